// talvero-cli: the loan engines, the schedule, the Appendix J check, saving loans and the PDF reports
// on the command line.
#include "cli/commands.h"
#if TALVERO_CLI_DATABASE
#include "cli/application.h"
#endif
#ifdef TALVERO_CLI_DISCLOSE
#include "cli/disclose.h"
#endif

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // The arguments as given, before the application object takes the Qt options it knows.
    const std::vector<std::string> args(argv + 1, argv + argc);
#if TALVERO_CLI_DATABASE
    const auto application = talvero::cli::make_application(argc, argv);
#endif
#ifdef TALVERO_CLI_DISCLOSE
    if (!args.empty() && args.front() == "disclose")
        return talvero::cli::disclose_command({args.begin() + 1, args.end()}, std::cout, std::cerr);
#endif
    return talvero::cli::run(args, std::cin, std::cout, std::cerr);
}
