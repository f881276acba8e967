#include "testsupport/locale_text.h"

namespace testsupport {

QString num(const QString& text) {
    return QString(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString num(const char* text) {
    return num(QString::fromLatin1(text));
}

QString grouped(const char* text) {
    const QLocale locale;
    QString out;
    for (const char* c = text; *c; ++c) {
        if (*c == ',')
            out += locale.groupSeparator();
        else if (*c == '.')
            out += locale.decimalPoint();
        else
            out += QLatin1Char(*c);
    }
    return out;
}

DefaultLocale::DefaultLocale(const QLocale& locale) : previous_(QLocale()) {
    QLocale::setDefault(locale);
}

DefaultLocale::~DefaultLocale() {
    QLocale::setDefault(previous_);
}

} // namespace testsupport
