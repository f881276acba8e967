#include "annuity/answer.h"

#include <cmath>

namespace annuity {

QString faultText(double value) {
    if (std::isnan(value)) return QStringLiteral("Invalid floating point operation");
    if (std::isinf(value)) return QStringLiteral("Floating point overflow");
    return QString();
}

Answer checked(double value) {
    Answer a;
    a.error = faultText(value);
    if (a.error.isEmpty()) a.value = value;
    return a;
}

} // namespace annuity
