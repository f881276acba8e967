#include "annuity/reading.h"

namespace annuity {

Reading readPositive(const QStringList& texts, const Converter& convert, const QString& requiredMessage) {
    Reading r;
    for (const QString& text : texts) {
        const Converted c = convert(text);
        if (!c.ok()) {
            r.message = c.message;
            return r;
        }
        r.values.append(c.value);
    }
    for (double v : r.values) {
        if (!(v > 0)) {
            r.message = requiredMessage;
            break;
        }
    }
    return r;
}

} // namespace annuity
