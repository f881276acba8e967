#include "ui/convert.h"

#include <QByteArray>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace ui {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Trims blanks and rejects anything the C library would read that a user does not type as a
// number (hex, inf, nan, locale separators).
QByteArray trimmedPlain(const QString& text, bool& ok) {
    QByteArray b = text.toLatin1();
    int s = 0, e = b.size();
    while (s < e && isBlank(b[s]))
        ++s;
    while (e > s && isBlank(b[e - 1]))
        --e;
    b = b.mid(s, e - s);
    ok = !b.isEmpty();
    for (char c : b) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) ok = false;
    }
    return b;
}
} // namespace

bool tryFloat(const QString& text, double& value) {
    bool ok = false;
    const QByteArray b = trimmedPlain(text, ok);
    if (!ok) return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(b.constData(), &end);
    if (end != b.constData() + b.size() || end == b.constData()) return false;
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

bool tryInt(const QString& text, int& value) {
    bool ok = false;
    const QByteArray b = trimmedPlain(text, ok);
    if (!ok) return false;
    for (int i = 0; i < b.size(); ++i) {
        const char c = b[i];
        if (!((c >= '0' && c <= '9') || (i == 0 && (c == '-' || c == '+')))) return false;
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
    if (!tryFloat(text, v))
        throw ConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

int toInt(const QString& text) {
    int v = 0;
    if (!tryInt(text, v)) throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

QString format(const char* fmt, double value) {
    return QString::asprintf(fmt, value);
}
QString format(const char* fmt, int value) {
    return QString::asprintf(fmt, value);
}

} // namespace ui
