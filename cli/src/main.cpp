// talvero-cli: the loan engines, the schedule and the Appendix J check on the command line.
#include "cli/commands.h"
#ifdef TALVERO_CLI_DISCLOSE
#include "cli/disclose.h"
#endif

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef TALVERO_CLI_DISCLOSE
    if (!args.empty() && args.front() == "disclose")
        return talvero::cli::disclose_main(argc, argv, {args.begin() + 1, args.end()}, std::cout, std::cerr);
#endif
    return talvero::cli::run(args, std::cin, std::cout, std::cerr);
}
