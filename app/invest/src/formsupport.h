#pragma once
// What the investment forms share: today's date, showing a notice, the heading label.

#include "invest/checks.h"

class QLabel;
class QWidget;

namespace invest {

Date todayDate();
void show(const Notice& notice);
QLabel* titleLabel(const char* text, QWidget* parent);

} // namespace invest
