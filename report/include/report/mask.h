// Display masks of the report fields, the way the report designer writes them: "$###,###,##0.00",
// "0.00", "###,###.##", "#.000", "#,##0;(#,##0)".
//
//   0      a digit, shown even when it is a leading or trailing zero
//   #      a digit, left out when it is a leading or trailing zero
//   .      the decimal point (the first one); shown only when decimals follow
//   ,      anywhere among the digits: groups of three in the whole part
//   ;      separates sections: positive;negative;zero (a negative section shows no minus sign of its
//          own; an empty section falls back to the first)
//   'x' "x" quoted literal text; any other character is literal too
//
// Digits are rounded as printf rounds, so a report and a printout of one schedule show the same
// cents. A value with no digit to show under '#' only (0 under "###,###.##") gives the literals
// alone, usually the empty text.
#pragma once

#include <QChar>
#include <QString>

namespace report {

struct Separators {
    QChar decimal = QLatin1Char('.');
    QChar thousands = QLatin1Char(',');
};

QString formatMask(double value, const QString& mask, Separators separators = {});

// The most decimals the mask's first section shows ('0' and '#' after the point).
int maskDecimals(const QString& mask);

} // namespace report
