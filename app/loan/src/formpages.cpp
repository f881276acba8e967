#include "loan/formpages.h"

#include "ui/convert.h"
#include "ui/today.h"

namespace loan {

namespace {

template <class T, T (*convert)(const QString&)>
std::optional<T> converted(const std::string& text, std::string& message) {
    try {
        return convert(QString::fromStdString(text));
    } catch (const ui::ConvertError& e) {
        message = e.message().toStdString();
        return std::nullopt;
    }
}

} // namespace

QStringList interestFlags(bool trailingBlank) {
    return {QStringLiteral("0 = 360 days"),
            QStringLiteral("1 = 365 days"),
            trailingBlank ? QStringLiteral("2 = 360/365 days ") : QStringLiteral("2 = 360/365 days"),
            QStringLiteral("3 = fixed principal, 360 days"),
            QStringLiteral("4 = fixed principal, 365 days"),
            QStringLiteral("5 = principal only"),
            QStringLiteral("6 = rule of 78's, 360 days"),
            QStringLiteral("7 = rule of 78's, 365 days")};
}

const Conversion& formConversion() {
    static const Conversion conversion{converted<double, ui::toFloat>, converted<int, ui::toInt>};
    return conversion;
}

std::vector<std::string> decimalPoints() {
    std::vector<std::string> points{ui::decimalSeparator().toStdString()};
    double half = 0;
    if (points.front() != "." && ui::tryFloat(QStringLiteral("0.5"), half)) points.emplace_back(".");
    return points;
}

void takeToday(int today[3]) {
    const QDate date = ui::today();
    today[0] = date.month();
    today[1] = date.day();
    today[2] = date.year();
}

int controlNumber(const char* name) {
    const QString n = QString::fromLatin1(name);
    int start = n.size();
    while (start > 0 && n[start - 1].isDigit())
        --start;
    return n.mid(start).toInt();
}

} // namespace loan
