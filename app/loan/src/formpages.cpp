#include "loan/formpages.h"

#include "ui/convert.h"
#include "ui/today.h"

#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

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

InputFormFrame buildInputFormFrame(QDialog* form, const QString& heading,
                                   const std::function<void(QTabWidget*)>& buildPages) {
    InputFormFrame f{};
    auto* layout = new QVBoxLayout(form);
    f.Label1 = ui::makeLabel(heading, QStringLiteral("Label1"), form);
    QFont titleFont = f.Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 4);
    f.Label1->setFont(titleFont);
    f.Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(f.Label1);

    f.PageControl1 = ui::named(new QTabWidget(form), QStringLiteral("PageControl1"));
    layout->addWidget(f.PageControl1);
    buildPages(f.PageControl1);

    f.GroupBox1 = ui::named(new QGroupBox(QStringLiteral("Additional Factors and Fees"), form),
                            QStringLiteral("GroupBox1"));
    auto* factors = new QHBoxLayout(f.GroupBox1);
    f.Button1 = ui::makeButton(QStringLiteral("Down Amount / Fees"), QStringLiteral("Button1"), f.GroupBox1);
    f.Button2 = ui::makeButton(QStringLiteral("Insurance Charges"), QStringLiteral("Button2"), f.GroupBox1);
    f.Button3 = ui::makeButton(QStringLiteral("Other Annual Fees"), QStringLiteral("Button3"), f.GroupBox1);
    for (QPushButton* b : {f.Button1, f.Button2, f.Button3})
        factors->addWidget(b);
    layout->addWidget(f.GroupBox1);

    auto* bottom = new QHBoxLayout;
    f.Button4 = ui::makeButton(QStringLiteral("Compute"), QStringLiteral("Button4"), form);
    f.Button5 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button5"), form);
    f.Button6 = ui::makeButton(QStringLiteral("Help"), QStringLiteral("Button6"), form);
    bottom->addStretch();
    for (QPushButton* b : {f.Button4, f.Button5, f.Button6})
        bottom->addWidget(b);
    layout->addLayout(bottom);
    return f;
}

std::string numberText(const char* format, double value) {
    return ui::format(format, value).toStdString();
}

std::string integerText(const char* format, int value) {
    return ui::format(format, value).toStdString();
}

int controlNumber(const char* name) {
    const QString n = QString::fromLatin1(name);
    int start = n.size();
    while (start > 0 && n[start - 1].isDigit())
        --start;
    return n.mid(start).toInt();
}

} // namespace loan
