#include "invest/forms.h"

#include "formsupport.h"
#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TForm22* Form22 = nullptr;
TForm23* Form23 = nullptr;

TForm22::TForm22(QWidget* parent) : AccountForm(parent) {
    ui::nameWidget(this, QStringLiteral("Form22"));
    setWindowTitle(QStringLiteral("Post Investment Transaction"));
    buildNowUnlessDeferred();
}

void TForm22::buildWidgets() {
    resize(820, 560);
    auto* layout = new QVBoxLayout(this);
    Label1 = invest::titleLabel("Post Transaction", this);
    layout->addWidget(Label1);

    DBGrid1 = invest::makeGrid(QStringLiteral("DBGrid1"), accounts_->model(), {}, this);
    layout->addWidget(DBGrid1, 1);

    auto* grid = new QGridLayout;
    auto* gridLabel = ui::makeLabel(QStringLiteral("Select an Account Number from the Display Above"),
                                    QStringLiteral("Label2"), this);
    ui::labelFor(gridLabel, DBGrid1);
    grid->addWidget(gridLabel, 0, 0, 1, 2);
    auto* listLabel = ui::makeLabel(QStringLiteral("Account Number"), QStringLiteral("Label3"), this);
    makePickList(this)->setMaximumWidth(160);
    ui::labelFor(listLabel, DBLookupListBox1);
    grid->addWidget(listLabel, 1, 0, Qt::AlignTop);
    grid->addWidget(DBLookupListBox1, 1, 1, 6, 1);

    auto* inputs = new QGridLayout;
    Edit1 = ui::addEdit(inputs, 0, 0, QStringLiteral("Date"), QStringLiteral("Edit1"),
                        invest::dateBoxText(invest::todayDate()));
    QStringList types;
    for (const char* text : invest::kPostingTypeTexts)
        types << QString::fromLatin1(text);
    ComboBox1 =
        ui::addCombo(inputs, 1, 0, QStringLiteral("Transaction Type"), QStringLiteral("ComboBox1"), types);
    ComboBox1->setCurrentIndex(0);
    Edit2 = ui::addEdit(inputs, 2, 0, QStringLiteral("Shares this Transaction"), QStringLiteral("Edit2"),
                        ui::format("%5.5f", 0.0));
    Edit3 = ui::addEdit(inputs, 3, 0, QStringLiteral("Trade Price"), QStringLiteral("Edit3"),
                        ui::format("%5.8f", 0.0));
    Edit4 = ui::addEdit(inputs, 4, 0, QStringLiteral("Commission Paid"), QStringLiteral("Edit4"),
                        ui::format("%5.2f", 0.0));
    Edit5 =
        ui::addEdit(inputs, 5, 0, QStringLiteral("Fee"), QStringLiteral("Edit5"), ui::format("%5.2f", 0.0));
    Edit6 = ui::addEdit(inputs, 6, 0, QStringLiteral("Dividend"), QStringLiteral("Edit6"),
                        ui::format("%5.2f", 0.0));
    grid->addLayout(inputs, 0, 2, 7, 1);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    Button2 = ui::makeButton(QStringLiteral("Post"), QStringLiteral("Button2"), this);
    Button1 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button1"), this);
    Button3 = ui::makeButton(QStringLiteral("Help"), QStringLiteral("Button3"), this);
    for (QPushButton* b : {Button2, Button1, Button3})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &TForm22::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm22::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm22::Button3Click);
}

TForm22::~TForm22() = default;

invest::PostingTexts TForm22::texts() const {
    return {DBLookupListBox1->selectedText(),
            ComboBox1->currentIndex(),
            Edit1->text(),
            Edit2->text(),
            Edit3->text(),
            Edit4->text(),
            Edit5->text(),
            Edit6->text(),
            invest::decimalPoints()};
}

void TForm22::Button1Click() {
    quit();
}

void TForm22::Button2Click() {
    const auto outcome = invest::postTransaction(texts(), invest::todayDate());
    if (outcome.notice) invest::show(*outcome.notice);
    if (outcome.closeForm) {
        quit();
        return;
    }
    if (!outcome.written) return;
    refreshAccounts();
    Form23->setAccount(outcome.written->after.ACTNO);
    ui::showModal(Form23);
}

void TForm22::Button3Click() {
    ui::helpButton(this, QStringLiteral("Posting_an_Investment_Transaction"));
}

TForm23::TForm23(QWidget* parent)
    : HistoryWindow({"Transaction Posting Results", "Transaction Posting Results",
                     "Account Transaction History Detail ", "Account No"},
                    parent) {
    ui::nameWidget(this, QStringLiteral("Form23"));
    buildNowUnlessDeferred();
}
