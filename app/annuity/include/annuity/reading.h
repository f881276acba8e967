#pragma once
// Reading the input boxes of one calculator tab: each text is converted in order, the first
// text that is not a number ends the reading with the conversion's message, and every value
// must then be greater than 0.

#include <QList>
#include <QString>
#include <QStringList>

namespace annuity {

inline const QString kRequiredField =
    QStringLiteral("You failed to enter a required field properly.  Please correct!");
inline const QString kRequiredApr = QStringLiteral("You failed to enter the APR properly.  Please correct!");

struct Reading {
    QList<double> values; // the values converted, in order (fewer than the texts after a failure)
    QString message;      // the message to show; empty when every value is usable
    bool ok() const { return message.isEmpty(); }
};

Reading readPositive(const QStringList& texts, const QString& requiredMessage = kRequiredField);

} // namespace annuity
