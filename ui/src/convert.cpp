#include "ui/convert.h"

#include <QByteArray>
#include <QLocale>
#include <QStringView>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace ui {

ConvertError::~ConvertError() = default;

namespace {
// clang-format off
const char* const kNotAFloat = "'%1' is not a valid floating point value";
const char* const kNotAnInteger = "'%1' is not a valid integer value";
// clang-format on

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView trimmedBlanks(const QString& text) {
    qsizetype s = 0, e = text.size();
    while (s < e && isBlank(text[s]))
        ++s;
    while (e > s && isBlank(text[e - 1]))
        --e;
    return QStringView(text).mid(s, e - s);
}

bool isPlain(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || u == u'-' || u == u'+' || u == u'e' || u == u'E';
}

// The C locale for strtod, whatever LC_NUMERIC the process runs with.
locale_t cLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

// The text as the C locale writes the same number, or empty when it holds anything a user does
// not type as a number (hex, inf, nan, group separators, letters).
QByteArray plainNumber(const QString& text) {
    const QStringView t = trimmedBlanks(text);
    const QString point = decimalSeparator();
    const bool dotToo = QLocale().groupSeparator() != QLatin1String(".");
    QByteArray plain;
    plain.reserve(t.size());
    for (qsizetype i = 0; i < t.size();) {
        if (!point.isEmpty() && t.mid(i).startsWith(point)) {
            plain += '.';
            i += point.size();
        } else if (t[i] == QLatin1Char('.') && dotToo) {
            plain += '.';
            ++i;
        } else if (isPlain(t[i])) {
            plain += char(t[i].unicode());
            ++i;
        } else {
            return {};
        }
    }
    return plain;
}

// The printf conversion in `fmt` and the literal text around it.
struct FormatParts {
    QString before, conversion, after;
};

QString literal(const char* begin, const char* end) {
    return QString::fromLatin1(begin, end - begin).replace(QStringLiteral("%%"), QStringLiteral("%"));
}

FormatParts splitFormat(const char* fmt) {
    const char* p = fmt;
    while (*p && !(p[0] == '%' && p[1] != '%'))
        p += (p[0] == '%') ? 2 : 1;
    if (!*p) return {literal(fmt, p), QString(), QString()};
    const char* q = p + 1;
    while (*q && !((*q >= 'a' && *q <= 'z') || (*q >= 'A' && *q <= 'Z')))
        ++q;
    if (*q) ++q;
    const char* end = q;
    while (*end)
        ++end;
    return {literal(fmt, p), QString::fromLatin1(p, q - p), literal(q, end)};
}
} // namespace

QString decimalSeparator() {
    return QLocale().decimalPoint();
}

bool tryFloat(const QString& text, double& value) {
    const QByteArray b = plainNumber(text);
    if (b.isEmpty()) return false;
    char* end = nullptr;
    const double v = strtod_l(b.constData(), &end, cLocale());
    if (end != b.constData() + b.size()) return false;
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

bool tryInt(const QString& text, int& value) {
    const QStringView t = trimmedBlanks(text);
    if (t.isEmpty()) return false;
    QByteArray b;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (!((c >= u'0' && c <= u'9') || (i == 0 && (c == u'-' || c == u'+')))) return false;
        b += char(c);
    }
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(b.constData(), &end, 10);
    if (end != b.constData() + b.size() || end == b.constData() || errno == ERANGE) return false;
    if (v < INT_MIN || v > INT_MAX) return false;
    value = int(v);
    return true;
}

double toFloat(const QString& text) {
    double v = 0;
    if (!tryFloat(text, v)) throw ConvertError(QString::fromLatin1(kNotAFloat).arg(text));
    return v;
}

int toInt(const QString& text) {
    int v = 0;
    if (!tryInt(text, v)) throw ConvertError(QString::fromLatin1(kNotAnInteger).arg(text));
    return v;
}

// QString::asprintf writes numbers as the C locale does; only the conversion's '.' becomes the
// user's separator, so literal text around it stays as written.
QString format(const char* fmt, double value) {
    const FormatParts parts = splitFormat(fmt);
    if (parts.conversion.isEmpty()) return parts.before;
    QString number = QString::asprintf(parts.conversion.toLatin1().constData(), value);
    number.replace(QLatin1Char('.'), decimalSeparator());
    return parts.before + number + parts.after;
}
QString format(const char* fmt, int value) {
    return QString::asprintf(fmt, value);
}

} // namespace ui
