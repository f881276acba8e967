// talvero-cli chart: the amortization chart of a computed loan as an SVG or PNG file, drawn with
// Qt Gui and Qt Svg alone from the chart series the program's chart window shows.
//
// Exit code: 0 done; 1 the output file cannot be written (the reason on `err`, no file written);
// 2 wrong usage, bad loan options, or a loan the engine refused.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace talvero::cli {

// chart [--balloon] [loan options] --output FILE.svg|FILE.png [--width N] [--height N]
int chart_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace talvero::cli
