#pragma once
// What the loan input forms share around their page tables: the interest flag texts, the program's
// conversion as the page reading takes it, today's date as three parts and the number at the end of
// a control's name.

#include "loan/pages.h"

#include <QStringList>

namespace loan {

// The eight Interest Flag texts; the first page of a form lists flag 2 with a trailing blank.
QStringList interestFlags(bool trailingBlank);

// ui::toFloat and ui::toInt with their messages.
const Conversion& formConversion();

// Today's month, day and year.
void takeToday(int today[3]);

// "Edit12" gives 12.
int controlNumber(const char* name);

} // namespace loan
