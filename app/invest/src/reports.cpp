#include "invest/reports.h"

#include "invest/returns.h"
#include "ui/today.h"

#include <QHash>
#include <QSqlField>

#include "db/connection.h"
#include "db/statements.h"

#include <QSqlQuery>
#include <QVariant>

namespace invest {

namespace {

class RecordRows : public report::RowSource {
public:
    explicit RecordRows(const QList<QSqlRecord>& rows) : rows_(rows) {}
    bool next() override { return ++at_ < rows_.size(); }
    QVariant value(const QString& field) const override { return rows_.at(at_).value(field); }

private:
    const QList<QSqlRecord>& rows_;
    qsizetype at_ = -1;
};

QList<QSqlRecord> readAll(db::Connection& connection, QStringView statement) {
    QSqlQuery q = db::prepare(connection, statement);
    db::exec(q);
    QList<QSqlRecord> rows;
    while (q.next())
        rows << q.record();
    return rows;
}

double sum(const QList<QSqlRecord>& rows, const char* column) {
    double total = 0;
    for (const QSqlRecord& r : rows)
        total += r.value(QLatin1String(column)).toDouble();
    return total;
}

QString money(double value, const char* mask) {
    return report::fieldText(QVariant(value), QString::fromLatin1(mask));
}

report::Font plain() {
    report::Font f;
    f.pointSize = 8;
    return f;
}
report::Font bold() {
    report::Font f = plain();
    f.bold = true;
    return f;
}
report::Font large() {
    report::Font f;
    f.pointSize = 16;
    f.bold = true;
    return f;
}

report::Band pageFooter() {
    return {report::BandKind::PageFooter,
            24,
            {report::special(report::ItemKind::Time, 0, 4, {}, plain()),
             report::special(report::ItemKind::PageNumber, 330, 4, QStringLiteral("Page "), plain()),
             report::alignRight(report::special(report::ItemKind::Date, 640, 4, {}, plain()))}};
}

struct Column {
    int x;
    const char* caption;
    const char* field;
    const char* mask;
};

// clang-format off
// After the account's figures, its money-weighted and time-weighted returns as of today.
constexpr Column kSummaryColumns[] = {
    {0, "Account ", "ACTNO", ""},
    {45, "Name", "NAME", ""},
    {175, "Current Price", "CURRENTPRICE", "0.00"},
    {255, "Shares", "TOTSHARES", "0.000"},
    {315, "Total Cost", "TOTBOOKVALUE", "0.00"},
    {385, "Balance", "TOTVALUE", "0.00"},
    {455, "Gain Dollars", "GAINDOLLARS", "0.00"},
    {535, "Gain Percent", "GAINPERCENT", "0.00"},
    {610, "XIRR", "XIRR", ""},
    {665, "TTWROR", "TTWROR", ""},
};
constexpr Column kHistoryColumns[] = {
    {0, "Account", "ACTNO", ""},
    {50, "Name", "NAME", ""},
    {170, "Date", "TRANSDATE", ""},
    {240, "Type", "TRANSTYPE", ""},
    {275, "Shares", "SHARES", "0.000"},
    {345, "Price", "PRICE", "0.00"},
    {405, "Commission", "COMMISSION", "0.00"},
    {480, "Fee", "FEE", "0.00"},
    {545, "Dividend", "DIVIDEND", "0.00"},
    {620, "Cost", "BOOKVALUE", "0.00"},
};
// clang-format on

template <std::size_t N> void addColumns(report::Definition& d, const Column (&columns)[N]) {
    report::Band header{report::BandKind::ColumnHeader, 24, {}};
    report::Band detail{report::BandKind::Detail, 16, {}};
    for (const Column& c : columns) {
        report::Item caption = report::label(c.x, 4, QString::fromLatin1(c.caption), bold());
        report::Item value =
            report::field(c.x, 0, QString::fromLatin1(c.field), QString::fromLatin1(c.mask), plain());
        // Numbers, and their captions, are right-aligned in their columns.
        if (*c.mask) caption.align = value.align = report::Align::Right;
        header.items.push_back(std::move(caption));
        detail.items.push_back(std::move(value));
    }
    d.bands.push_back(std::move(header));
    d.bands.push_back(std::move(detail));
}

} // namespace

SummaryTotals summaryTotals(const QList<QSqlRecord>& accounts) {
    SummaryTotals t;
    t.value = sum(accounts, "TOTVALUE");
    t.gain = sum(accounts, "GAINDOLLARS");
    t.bookValue = sum(accounts, "TOTBOOKVALUE");
    t.gainRatio = t.value != 0 ? t.gain / t.value : 0;
    return t;
}

HistoryTotals historyTotals(const QList<QSqlRecord>& items) {
    return {sum(items, "COMMISSION"), sum(items, "FEE"), sum(items, "DIVIDEND"), sum(items, "BOOKVALUE")};
}

report::Definition summaryReport(const SummaryTotals& t) {
    report::Definition d;
    d.title = QStringLiteral("Investment Summary Report");
    d.bands.push_back({report::BandKind::Title, 40, {report::label(0, 0, d.title, large())}});
    addColumns(d, kSummaryColumns);
    d.bands.push_back({report::BandKind::Summary,
                       48,
                       {report::label(0, 8, QStringLiteral("Composite Total Balance"), bold()),
                        report::label(180, 8, money(t.value, "$##,###,###.00"), plain()),
                        report::label(360, 8, QStringLiteral("Composite Gain Dollars"), bold()),
                        report::label(540, 8, money(t.gain, "$#,###,###.00"), plain()),
                        report::label(0, 26, QStringLiteral("Composite Total Cost"), bold()),
                        report::label(180, 26, money(t.bookValue, "$##,###,###.00"), plain()),
                        report::label(360, 26, QStringLiteral("Composite Gain Percent"), bold()),
                        report::label(540, 26, money(t.gainRatio, "0.00"), plain())}});
    d.bands.push_back(pageFooter());
    return d;
}

report::Definition historyReport(const HistoryTotals& t) {
    report::Definition d;
    d.title = QStringLiteral("Investment Transaction History");
    // Centred on the band: the title is about 330 report pixels wide at this size.
    d.bands.push_back({report::BandKind::Title, 40, {report::label(195, 0, d.title, large())}});
    addColumns(d, kHistoryColumns);
    d.bands.push_back(
        {report::BandKind::Summary,
         44,
         // The sums stand under their columns.
         {report::label(0, 8, QStringLiteral("TOTALS"), bold()),
          report::alignRight(report::label(480, 8, money(t.fee, "$##,###.00"), plain())),
          report::alignRight(report::label(620, 8, money(t.bookValue, "$#,###,###.00"), plain())),
          report::alignRight(report::label(405, 24, money(t.commission, "$##,###.00"), plain())),
          report::alignRight(report::label(545, 24, money(t.dividend, "$##,###.00"), plain()))}});
    d.bands.push_back(pageFooter());
    return d;
}

ReportData readSummaryReport(db::Connection& connection) {
    ReportData data;
    data.rows = readAll(connection, db::sql::accountList);
    const QDate today = ui::today();
    QHash<int, Returns> returns;
    for (const AccountHistory& h : readHistories(connection))
        returns.insert(h.account.ACTNO, returnsOf({h}, {today.month(), today.day(), today.year()}));
    for (QSqlRecord& r : data.rows) {
        const Returns& of = returns[r.value(QStringLiteral("ACTNO")).toInt()];
        QSqlField xirr(QStringLiteral("XIRR"), QMetaType(QMetaType::QString));
        xirr.setValue(rateText(of.xirr));
        QSqlField ttwror(QStringLiteral("TTWROR"), QMetaType(QMetaType::QString));
        ttwror.setValue(rateText(of.ttwror));
        r.append(xirr);
        r.append(ttwror);
    }
    data.definition = summaryReport(summaryTotals(data.rows));
    return data;
}

ReportData readHistoryReport(db::Connection& connection) {
    ReportData data;
    data.rows = readAll(connection, db::sql::lineItemsByAccountInOrder);
    data.definition = historyReport(historyTotals(data.rows));
    return data;
}

report::Renderer rendererFor(const ReportData& data, QDateTime now) {
    const QList<QSqlRecord>* rows = &data.rows;
    return report::Renderer(
        data.definition, [rows] { return std::make_unique<RecordRows>(*rows); }, std::move(now));
}

} // namespace invest
