#pragma once
// What the loan input forms share around their page tables: the interest flag texts, the program's
// conversion as the page reading takes it, today's date as three parts and the number at the end of
// a control's name.

#include "loan/pages.h"

#include <QStringList>

#include <string>
#include <vector>

namespace loan {

// The eight Interest Flag texts; the first page of a form lists flag 2 with a trailing blank.
QStringList interestFlags(bool trailingBlank);

// ui::toFloat and ui::toInt with their messages.
const Conversion& formConversion();

// What the program's reading takes as the decimal point: the user's separator, and '.' too where
// the reading accepts it. The character checks let these through.
std::vector<std::string> decimalPoints();

// Today's month, day and year.
void takeToday(int today[3]);

// "Edit12" gives 12.
int controlNumber(const char* name);

} // namespace loan
