#pragma once
// What one calculation gives back to its form: a value to show, or the text of the box that
// ends the command instead.

#include <QString>

namespace annuity {

struct Answer {
    double value = 0;
    QString error;  // the framework's floating-point fault text, shown in an error box
    QString notice; // a plain message box that ends the command without an answer
    bool ok() const { return error.isEmpty() && notice.isEmpty(); }
};

// "Floating point overflow" for an infinite value, "Invalid floating point operation" for NaN,
// empty for a finite value.
QString faultText(double value);

// The value as an answer, or the fault it stands for.
Answer checked(double value);

} // namespace annuity
