#include "loan/disclosure.h"

#include "disclosure/document.h"
#include "report/preview.h"

#include "ui/convert.h"
#include "ui/datafolder.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/printing.h"
#include "ui/window.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace dz = talvero::disclosure;

namespace {

QPlainTextEdit* addMemo(QGridLayout* grid, int row, const QString& caption, const QString& name,
                        const QString& text, int lines) {
    auto* memo = ui::named(new QPlainTextEdit(text), name);
    memo->setTabChangesFocus(true);
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * lines + 12);
    QLabel* label = ui::makeLabel(caption);
    label->setBuddy(memo);
    grid->addWidget(label, row, 0, Qt::AlignTop);
    grid->addWidget(memo, row, 1);
    return memo;
}

std::string text(const QLineEdit* e) {
    return e->text().trimmed().toStdString();
}
std::string text(const QPlainTextEdit* m) {
    return m->toPlainText().trimmed().toStdString();
}

} // namespace

TForm31::TForm31(const talvero::common::LoanBlock& loan, double schedpay,
                 const talvero::schedule::Variant& variant, std::optional<talvero::common::Date> today,
                 QWidget* parent)
    : QDialog(parent), loan_(loan), schedpay_(schedpay), variant_(variant), today_(today) {
    ui::nameWidget(this, QStringLiteral("Form31"));
    setWindowTitle(QString::fromLatin1(dz::kTitle));
    setMinimumWidth(620);
    auto* layout = new QVBoxLayout(this);
    Label1 = ui::makeLabel(QString::fromLatin1(dz::kTitle), QStringLiteral("Label1"), this);
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPixelSize(19);
    Label1->setFont(heading);
    Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label1);

    const dz::Creditor creditor = dz::loadCreditor(ui::dataFolderPath());
    auto* parties =
        ui::named(new QGroupBox(QStringLiteral("Creditor and Borrower")), QStringLiteral("GroupBox1"));
    auto* pg = new QGridLayout(parties);
    Edit1 =
        ui::addTextEdit(pg, 0, 0, QStringLiteral("Creditor Name"), QStringLiteral("Edit1"), creditor.name);
    Memo1 = addMemo(pg, 1, QStringLiteral("Creditor Address"), QStringLiteral("Memo1"), creditor.address, 3);
    Edit2 = ui::addTextEdit(pg, 2, 0, QStringLiteral("Borrower Name"), QStringLiteral("Edit2"));
    layout->addWidget(parties);

    const dz::Statements defaults;
    auto* statements = ui::named(new QGroupBox(QStringLiteral("Statements")), QStringLiteral("GroupBox2"));
    auto* sg = new QGridLayout(statements);
    Memo2 = addMemo(sg, 0, QStringLiteral("Security"), QStringLiteral("Memo2"),
                    QString::fromStdString(defaults.security), 2);
    Memo3 = addMemo(sg, 1, QStringLiteral("Late Charge"), QStringLiteral("Memo3"),
                    QString::fromStdString(defaults.late_charge), 2);
    Memo4 = addMemo(sg, 2, QStringLiteral("Prepayment"), QStringLiteral("Memo4"),
                    QString::fromStdString(dz::prepayment_default(loan.INTMETHOD)), 2);
    layout->addWidget(statements);

    auto* items = ui::named(new QGroupBox(QStringLiteral("Itemization of the Amount Financed")),
                            QStringLiteral("GroupBox3"));
    auto* ig = new QGridLayout(items);
    CheckBox1 =
        ui::makeCheck(QStringLiteral("Itemize the Amount Financed"), QStringLiteral("CheckBox1"), items);
    CheckBox1->setChecked(true);
    ig->addWidget(CheckBox1, 0, 0, 1, 2);
    Edit3 = ui::addEdit(ig, 1, 0, QStringLiteral("Paid on Your Account"), QStringLiteral("Edit3"),
                        ui::format("%.2f", 0.0));
    Edit4 = ui::addTextEdit(ig, 2, 0, QStringLiteral("Paid to Others (Name)"), QStringLiteral("Edit4"));
    Edit5 = ui::addEdit(ig, 3, 0, QStringLiteral("Paid to Others (Amount)"), QStringLiteral("Edit5"),
                        ui::format("%.2f", 0.0));
    layout->addWidget(items);

    Label2 = ui::makeLabel(QString(), QStringLiteral("Label2"), this);
    Label2->setWordWrap(true);
    layout->addWidget(Label2);

    auto* buttons = new QHBoxLayout;
    Button1 = ui::makeButton(QStringLiteral("Preview"), QStringLiteral("Button1"), this);
    Button2 = ui::makeButton(QStringLiteral("Print"), QStringLiteral("Button2"), this);
    Button3 = ui::makeButton(QStringLiteral("Save as PDF"), QStringLiteral("Button3"), this);
    Button4 = ui::makeButton(QStringLiteral("Examiner's Page"), QStringLiteral("Button4"), this);
    Button5 = ui::makeButton(QStringLiteral("Help"), QStringLiteral("Button5"), this);
    Button6 = ui::makeButton(QStringLiteral("Close"), QStringLiteral("Button6"), this);
    buttons->addStretch();
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5, Button6})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &TForm31::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm31::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm31::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm31::Button4Click);
    connect(Button5, &QPushButton::clicked, this,
            [this] { ui::helpButton(this, QStringLiteral("Truth_in_Lending_Disclosure")); });
    connect(Button6, &QPushButton::clicked, this, &QDialog::close);

    // The examiner's page depends on the loan alone, so the notice is known at once.
    const dz::Disclosure d = dz::disclose(loan_, 0, schedpay_, variant_, today_, {});
    Button4->setEnabled(d.usable && d.examiner_page);
    if (d.usable && d.examiner_page)
        Label2->setText(
            QStringLiteral("The calculation's Reg Z effective APR (%1) is outside the Appendix J "
                           "tolerance of the actuarial APR (%2). The disclosure states the Appendix J "
                           "APR; the examiner's page records the difference and is not part of the "
                           "borrower's copy.")
                .arg(ui::format("%.3f", d.check.verdict.disclosed),
                     ui::format("%.3f", d.check.verdict.actuarial)));
}

std::optional<dz::Disclosure> TForm31::current() {
    dz::Inputs in;
    in.creditor = text(Edit1);
    in.creditor_address = text(Memo1);
    in.borrower = text(Edit2);
    in.statements.security = text(Memo2);
    in.statements.late_charge = text(Memo3);
    in.statements.prepayment = text(Memo4);
    in.itemize = CheckBox1->isChecked();
    try {
        const QString account = Edit3->text().trimmed(), others = Edit5->text().trimmed();
        in.paid_on_account = account.isEmpty() ? 0 : ui::toFloat(account);
        in.paid_to_others = {{text(Edit4), others.isEmpty() ? 0 : ui::toFloat(others)}};
    } catch (const ui::ConvertError& e) {
        ui::showError(e.message());
        return std::nullopt;
    }
    dz::Disclosure d = dz::disclose(loan_, 0, schedpay_, variant_, today_, in);
    if (!d.usable) {
        ui::showError(QString::fromStdString(d.error));
        return std::nullopt;
    }
    return d;
}

void TForm31::rememberCreditor() {
    const QString folder = ui::ensureDataFolder();
    if (!folder.isEmpty())
        dz::saveCreditor(folder, {Edit1->text().trimmed(), Memo1->toPlainText().trimmed()});
}

void TForm31::done(int result) {
    rememberCreditor();
    QDialog::done(result);
}

void TForm31::Button1Click() {
    rememberCreditor();
    if (const auto d = current()) report::preview(dz::borrowerCopy(*d), this);
}

void TForm31::Button2Click() {
    rememberCreditor();
    const auto d = current();
    if (!d || !ui::choosePrinter(this)) return;
    const report::Renderer copy = dz::borrowerCopy(*d);
    report::setUpPrinter(ui::printer(), copy.definition());
    copy.print(ui::printer());
}

void TForm31::Button3Click() {
    rememberCreditor();
    const auto d = current();
    if (!d) return;
    report::saveAsPdf(dz::borrowerCopy(*d), this);
}

void TForm31::Button4Click() {
    if (const auto d = current(); d && d->examiner_page) report::preview(dz::examinerPage(*d), this);
}
