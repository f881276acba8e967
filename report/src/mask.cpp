#include "report/mask.h"

#include <QStringList>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace report {

namespace {

QStringList sections(const QString& mask) {
    QStringList out{QString()};
    QChar quote;
    for (QChar c : mask) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            out.append(QString());
            continue;
        }
        out.last().append(c);
    }
    return out;
}

struct Parsed {
    QString prefix, suffix;
    int minWhole = 0;    // '0' before the point
    int minDecimals = 0; // '0' after the point
    int maxDecimals = 0; // '0' and '#' after the point
    bool grouping = false;
};

Parsed parse(const QString& section) {
    Parsed p;
    bool seenDigit = false, afterPoint = false;
    QString pendingLiteral; // literal text after the last placeholder seen so far
    QChar quote;
    for (QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (seenDigit ? pendingLiteral : p.prefix).append(c);
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            seenDigit = true;
            pendingLiteral.clear();
            if (afterPoint) {
                ++p.maxDecimals;
                if (c == QLatin1Char('0')) p.minDecimals = p.maxDecimals;
            } else if (c == QLatin1Char('0')) {
                ++p.minWhole;
            }
        } else if (c == QLatin1Char('.') && !afterPoint) {
            afterPoint = true;
            seenDigit = true;
            pendingLiteral.clear();
        } else if (c == QLatin1Char(',') && !afterPoint) {
            p.grouping = true;
            if (seenDigit) pendingLiteral.clear();
        } else {
            (seenDigit ? pendingLiteral : p.prefix).append(c);
        }
    }
    p.suffix = pendingLiteral;
    return p;
}

} // namespace

QString formatMask(double value, const QString& mask, Separators separators) {
    if (!std::isfinite(value)) return QString();
    const QStringList parts = sections(mask);
    auto pick = [&parts](int i) {
        return i < parts.size() && !parts.at(i).isEmpty() ? parts.at(i) : parts.at(0);
    };

    Parsed p = parse(parts.at(0));
    // The digits never follow the process locale: '.' is always the point here.
    char buffer[400];
    auto digitsOf = [&buffer](double v, int decimals) {
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer - 1, v, std::chars_format::fixed, decimals);
        *(end.ec == std::errc() ? end.ptr : buffer) = '\0';
    };
    digitsOf(std::fabs(value), p.maxDecimals);
    bool zero = true;
    for (const char* c = buffer; *c; ++c)
        if (*c >= '1' && *c <= '9') zero = false;
    const bool negative = value < 0 && !zero;

    QString section = parts.at(0);
    bool sign = negative;
    if (negative && parts.size() >= 2) {
        section = pick(1);
        sign = false;
    } else if (zero && parts.size() >= 3) {
        section = pick(2);
    }
    if (section != parts.at(0)) {
        p = parse(section);
        digitsOf(std::fabs(value), p.maxDecimals);
    }

    const std::string digits(buffer);
    const std::size_t point = digits.find('.');
    std::string whole = digits.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : digits.substr(point + 1);
    while (static_cast<int>(fraction.size()) > p.minDecimals && !fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::size_t lead = 0;
    while (lead < whole.size() && whole[lead] == '0')
        ++lead;
    whole.erase(0, lead);
    while (static_cast<int>(whole.size()) < p.minWhole)
        whole.insert(whole.begin(), '0');

    QString out;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (p.grouping && i > 0 && (whole.size() - i) % 3 == 0) out.append(separators.thousands);
        out.append(QLatin1Char(whole[i]));
    }
    if (!fraction.empty()) {
        out.append(separators.decimal);
        out.append(QString::fromLatin1(fraction.c_str()));
    }
    return (sign ? QStringLiteral("-") : QString()) + p.prefix + out + p.suffix;
}

int maskDecimals(const QString& mask) {
    return parse(sections(mask).at(0)).maxDecimals;
}

} // namespace report
