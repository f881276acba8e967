#pragma once
// Reading the input boxes of one calculator tab: each text is converted in order, the first
// text that is not a number ends the reading with the conversion's message, and every value
// must then be greater than 0.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace annuity {

// clang-format off
inline const QString kRequiredField = QStringLiteral("You failed to enter a required field properly.  Please correct!");
inline const QString kRequiredApr = QStringLiteral("You failed to enter the APR properly.  Please correct!");
// clang-format on

// One text read as a number: the value, or the message the user sees when it is not one.
struct Converted {
    double value = 0;
    QString message;
    bool ok() const { return message.isEmpty(); }
};

// The program's one way of reading a typed number (blanks, decimal separator, message text). The
// forms hand it in, so these calculations never depend on the widget library that holds it.
using Converter = std::function<Converted(const QString& text)>;

struct Reading {
    QList<double> values; // the values converted, in order (fewer than the texts after a failure)
    QString message;      // the message to show; empty when every value is usable
    bool ok() const { return message.isEmpty(); }
};

Reading readPositive(const QStringList& texts, const Converter& convert,
                     const QString& requiredMessage = kRequiredField);

} // namespace annuity
