#include "annuity/reading.h"

#include "ui/convert.h"

namespace annuity {

Reading readPositive(const QStringList& texts, const QString& requiredMessage) {
    Reading r;
    for (const QString& text : texts) {
        try {
            r.values.append(ui::toFloat(text));
        } catch (const ui::ConvertError& e) {
            r.message = e.message();
            return r;
        }
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
