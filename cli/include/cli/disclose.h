// talvero-cli disclose: a computed loan's Truth-in-Lending disclosure written as a PDF file, the
// same pages the program's disclosure window prints. Needs Qt Gui for the fonts of the PDF.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace talvero::cli {

// The command on its arguments (after "disclose"). Exit code: 0 written; 2 wrong usage, a loan the
// engine refused or the disclosure cannot state, or a file that cannot be written (none is left).
// A QGuiApplication must exist.
int disclose_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace talvero::cli
