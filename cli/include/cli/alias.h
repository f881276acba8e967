// talvero-cli alias: where a database alias points, resolved by the program's own connection layer,
// for the maintenance scripts and for people checking their aliases.ini.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace talvero::cli {

// Prints the data folder (created when missing, as a connection creates it) and the resolved alias
// as "KEY value" lines; with --password-to-fd N also writes its password
// (nothing for an alias without one) to the open file descriptor N (3 or more). Exit code: 0 done,
// 1 the alias cannot be used (the reason on `err`), 2 wrong usage.
int alias_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace talvero::cli
