#include "invest/history.h"

#include "db/connection.h"
#include "db/error.h"
#include "db/statements.h"
#include "invest/csvfile.h"
#include "invest/grids.h"
#include "invest/transfer.h"
#include "ui/fields.h"
#include "ui/messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QVBoxLayout>

namespace invest {

HistoryWindow::HistoryWindow(const HistoryTexts& texts, QWidget* parent) : ui::Form(parent), texts_(texts) {
    setWindowTitle(QString::fromLatin1(texts.caption));
    query_ = new ui::GridModel(this);
}

void HistoryWindow::buildWidgets() {
    const HistoryTexts& texts = texts_;
    resize(760, 420);
    auto* layout = new QVBoxLayout(this);
    Label1 = ui::makeLabel(QString::fromLatin1(texts.title), QStringLiteral("Label1"), this);
    QFont heading = Label1->font();
    heading.setPointSize(heading.pointSize() + 4);
    heading.setBold(true);
    Label1->setFont(heading);
    Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label1);

    Label2 = ui::makeLabel(QString::fromLatin1(texts.gridHeading), QStringLiteral("Label2"), this);
    layout->addWidget(Label2);
    DBGrid1 = makeGrid(QStringLiteral("DBGrid1"), query_, {{"ACTNO", texts.accountCaption}}, this);
    ui::labelFor(Label2, DBGrid1);
    layout->addWidget(DBGrid1, 1);

    Button1 = ui::addCentredButton(layout, QStringLiteral("OK"), QStringLiteral("Button1"), this);
    connect(Button1, &QPushButton::clicked, this, &HistoryWindow::Button1Click);
    Button2 = ui::addCentredButton(layout, QStringLiteral("Export..."), QStringLiteral("Button2"), this);
    connect(Button2, &QPushButton::clicked, this, &HistoryWindow::Button2Click);
}

HistoryWindow::~HistoryWindow() {
    closeQuery();
}

void HistoryWindow::openQuery() {
    closeQuery();
    try {
        connection_ = std::make_unique<db::Connection>(db::Alias::IBInvest);
        QSqlQuery query = ui::prepareForModel(*connection_, db::sql::accountLineItems);
        query.bindValue(QStringLiteral(":Para1"), actno_);
        db::exec(query);
        // The grid fetches the rows it shows; the rest follow as it scrolls.
        query_->setQuery(std::move(query));
    } catch (const db::Error& e) {
        closeQuery();
        ui::showMessage(e.message());
    }
}

void HistoryWindow::closeQuery() {
    ui::releaseModel(*query_);
    connection_.reset();
}

void HistoryWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    openQuery();
}

void HistoryWindow::hideEvent(QHideEvent* event) {
    closeQuery();
    QDialog::hideEvent(event);
}

void HistoryWindow::Button1Click() {
    closeQuery();
    accept();
}

void HistoryWindow::Button2Click() {
    const QString path = askCsvFile(this, CsvFileUse::Save, QStringLiteral("account-%1.csv").arg(actno_));
    if (path.isEmpty()) return;
    try {
        db::Connection connection(db::Alias::IBInvest);
        if (const QString error = writeCsvFile(path, exportHistoryCsv(connection, actno_)); !error.isEmpty())
            ui::showMessage(error);
    } catch (const db::Error& e) {
        ui::showMessage(e.message());
    }
}

} // namespace invest
