#include "invest/importform.h"

#include "db/connection.h"
#include "db/error.h"
#include "formsupport.h"
#include "invest/csvfile.h"
#include "ui/fields.h"
#include "ui/messages.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TImportForm::TImportForm(QWidget* parent) : QDialog(parent) {
    ui::nameWidget(this, QStringLiteral("ImportForm"));
    setWindowTitle(QStringLiteral("Import Transactions"));
    resize(820, 560);
    auto* layout = new QVBoxLayout(this);
    Label1 = invest::titleLabel("Import Transactions", this);
    layout->addWidget(Label1);

    auto* fields = new QGridLayout;
    Edit1 = ui::addTextAnswer(fields, 0, 0, QStringLiteral("File"), QStringLiteral("Edit1"));
    Edit2 = ui::addTextAnswer(fields, 1, 0, QStringLiteral("Import Status"), QStringLiteral("Edit2"));
    Edit2->setText(QStringLiteral("None"));
    layout->addLayout(fields);

    QLabel* rows = ui::makeLabel(QStringLiteral("Rows"), QStringLiteral("Label2"), this);
    layout->addWidget(rows);
    Grid1 = ui::named(new QTableWidget(0, 10, this), QStringLiteral("Grid1"));
    Grid1->setHorizontalHeaderLabels((QStringList{QStringLiteral("Row")} +
                                      QString::fromLatin1(invest::kTransferHeader).split(QLatin1Char(','))));
    Grid1->verticalHeader()->hide();
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows->setBuddy(Grid1);
    layout->addWidget(Grid1, 3);

    QLabel* refused = ui::makeLabel(QStringLiteral("Refused Rows"), QStringLiteral("Label3"), this);
    layout->addWidget(refused);
    Memo1 = ui::named(new QPlainTextEdit(this), QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    refused->setBuddy(Memo1);
    layout->addWidget(Memo1, 1);

    auto* buttons = new QHBoxLayout;
    Button1 = ui::makeButton(QStringLiteral("Open File..."), QStringLiteral("Button1"), this);
    Button2 = ui::makeButton(QStringLiteral("Post"), QStringLiteral("Button2"), this);
    Button3 = ui::makeButton(QStringLiteral("Export History..."), QStringLiteral("Button3"), this);
    Button4 = ui::makeButton(QStringLiteral("Export Accounts..."), QStringLiteral("Button4"), this);
    Button5 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button5"), this);
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    Button2->setEnabled(false);
    connect(Button1, &QPushButton::clicked, this, &TImportForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TImportForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TImportForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TImportForm::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TImportForm::Button5Click);
}

void TImportForm::preview(const QString& path) {
    Button2->setEnabled(false);
    Grid1->setRowCount(0);
    Memo1->clear();
    csv_.clear();
    Edit1->setText(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Edit2->setText(QStringLiteral("None"));
        ui::showMessage(QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString()));
        return;
    }
    csv_ = QString::fromUtf8(file.readAll());
    const invest::TransferFile parsed = invest::parseTransferCsv(csv_);
    Grid1->setRowCount(static_cast<int>(parsed.rows.size()));
    for (int n = 0; n < parsed.rows.size(); ++n) {
        const invest::TransferRow& r = parsed.rows[n];
        const QStringList cells{QString::number(r.row), r.ACTNO, r.NAME,    r.DATE, r.TYPE, r.SHARES, r.PRICE,
                                r.COMMISSION,           r.FEE,   r.DIVIDEND};
        for (int c = 0; c < cells.size(); ++c)
            Grid1->setItem(n, c, new QTableWidgetItem(cells[c]));
    }
    try {
        db::Connection connection(db::Alias::IBInvest);
        const invest::ImportResult checked = invest::importCsv(connection, csv_, invest::todayDate(), false);
        Memo1->setPlainText(checked.refused.join(QLatin1Char('\n')));
        if (checked.refused.isEmpty() && !parsed.rows.isEmpty()) {
            Edit2->setText(QStringLiteral("Ready to post %1 rows").arg(parsed.rows.size()));
            Button2->setEnabled(true);
        } else {
            Edit2->setText(checked.refused.isEmpty()
                               ? QStringLiteral("No rows")
                               : QStringLiteral("%1 rows refused").arg(checked.refused.size()));
        }
    } catch (const db::Error& e) {
        Edit2->setText(QStringLiteral("None"));
        ui::showMessage(e.message());
    }
}

void TImportForm::Button1Click() {
    const QString path = invest::askCsvFile(this, invest::CsvFileUse::Open);
    if (!path.isEmpty()) preview(path);
}

void TImportForm::Button2Click() {
    Button2->setEnabled(false);
    try {
        db::Connection connection(db::Alias::IBInvest);
        const invest::ImportResult result = invest::importCsv(connection, csv_, invest::todayDate(), true);
        Memo1->setPlainText(result.refused.join(QLatin1Char('\n')));
        Edit2->setText(result.refused.isEmpty()
                           ? QStringLiteral("Imported %1 rows").arg(result.written)
                           : QStringLiteral("%1 rows refused").arg(result.refused.size()));
    } catch (const db::Error& e) {
        Edit2->setText(QStringLiteral("Import Failure"));
        ui::showMessage(e.message());
    }
}

namespace {

// Asks where, writes what `csv` gives, and says how it went in the status box.
template <class Make> void exportTo(TImportForm* form, const QString& suggested, Make csv) {
    const QString path = invest::askCsvFile(form, invest::CsvFileUse::Save, suggested);
    if (path.isEmpty()) return;
    try {
        db::Connection connection(db::Alias::IBInvest);
        if (const QString error = invest::writeCsvFile(path, csv(connection)); !error.isEmpty()) {
            ui::showMessage(error);
            return;
        }
        form->Edit2->setText(QStringLiteral("Exported to %1").arg(path));
    } catch (const db::Error& e) {
        ui::showMessage(e.message());
    }
}

} // namespace

void TImportForm::Button3Click() {
    exportTo(this, QStringLiteral("history.csv"),
             [](db::Connection& connection) { return invest::exportHistoryCsv(connection); });
}

void TImportForm::Button4Click() {
    exportTo(this, QStringLiteral("accounts.csv"), [](db::Connection& connection) {
        return invest::exportAccountsCsv(connection, invest::todayDate());
    });
}

void TImportForm::Button5Click() {
    reject();
}
