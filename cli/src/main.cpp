// talvero-cli: the loan engines, the schedule and the Appendix J check on the command line.
#include "cli/commands.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return talvero::cli::run(args, std::cin, std::cout, std::cerr);
}
