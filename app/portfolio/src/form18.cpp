#include "portfolio/forms.h"

#include "charts/chartmodule.h"
#include "db/connection.h"
#include "db/error.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/printing.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm18* Form18 = nullptr;

namespace {

// A group of rows, each a label and the three loans' boxes under "Loan # 1" ... "Loan # 3".
template <std::size_t N>
QGroupBox* makeGroup(const char* title, const char* name, const portfolio::Row (&rows)[N],
                     QHash<int, QLineEdit*>& edits, QWidget* parent) {
    auto* group = ui::named(new QGroupBox(QString::fromLatin1(title), parent), QString::fromLatin1(name));
    auto* grid = new QGridLayout(group);
    for (int k = 0; k < 3; ++k) {
        auto* heading = ui::makeLabel(QStringLiteral("Loan # %1").arg(k + 1),
                                      QStringLiteral("%1Loan%2").arg(QLatin1String(name)).arg(k + 1), group);
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, k + 1);
    }
    int line = 1;
    for (const portfolio::Row& row : rows) {
        const bool text = row.firstBox == 16 || row.firstBox == 19 || row.firstBox == 25;
        auto* label =
            ui::makeLabel(QString::fromLatin1(row.label), QStringLiteral("Label%1").arg(row.firstBox), group);
        grid->addWidget(label, line, 0);
        for (int k = 0; k < 3; ++k) {
            const int number = row.firstBox + k;
            auto* edit = ui::named(new QLineEdit(group), QStringLiteral("Edit%1").arg(number));
            edit->setReadOnly(true);
            ui::alignFor(edit, text ? ui::Content::Text : ui::Content::Number);
            grid->addWidget(edit, line, k + 1);
            edits.insert(number, edit);
            if (k == 0) label->setBuddy(edit);
            // Only the first box of a row has the row's label; every box is named by its row and
            // its loan's column.
            edit->setAccessibleName(
                QStringLiteral("%1, Loan # %2").arg(QString::fromLatin1(row.label).trimmed()).arg(k + 1));
        }
        ++line;
    }
    return group;
}

} // namespace

TForm18::TForm18(QWidget* parent) : ui::Form(parent) {
    ui::nameWidget(this, QStringLiteral("Form18"));
    setWindowTitle(QStringLiteral("LOAN COMPARISON ANALYSIS"));
    buildNowUnlessDeferred();
}

void TForm18::buildWidgets() {
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    GroupBox1 = makeGroup("Loan Factors", "GroupBox1", portfolio::kLoanFactors, edits_, this);
    GroupBox2 = makeGroup("Loan Costs", "GroupBox2", portfolio::kLoanCosts, edits_, this);
    groups->addWidget(GroupBox1);
    groups->addWidget(GroupBox2, 0, Qt::AlignTop);
    layout->addLayout(groups);

    auto* buttons = new QHBoxLayout;
    Button2 = ui::makeButton(QStringLiteral("Prt/Screen"), QStringLiteral("Button2"), this);
    Button1 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button1"), this);
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);
    Button3 = ui::makeButton(QStringLiteral("Chart"), QStringLiteral("Button3"), this);
    buttons->addWidget(Button3);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &TForm18::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm18::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm18::Button3Click);
}

void TForm18::fill(const portfolio::Comparison& comparison) {
    ensureBuilt();
    comparison_ = comparison;
    for (const portfolio::BoxText& b : portfolio::boxTexts(comparison))
        edits_.value(b.box.mid(4).toInt())->setText(b.text);
}

void TForm18::Button1Click() {
    close();
}

void TForm18::Button2Click() {
    ui::printFormImage(this);
}

void TForm18::Button3Click() {
    talvero::charts::Chart chart;
    try {
        db::Connection connection(db::Alias::IBLoan);
        chart = portfolio::comparisonChart(connection, comparison_);
    } catch (const db::Error& e) {
        ui::showException(e.message());
        return;
    }
    talvero::charts::showChartWindow(std::move(chart), this);
}
