#include "portfolio/reports.h"

#include "db/connection.h"
#include "db/statements.h"
#include "loan/loanreport.h"

#include <QSqlQuery>

namespace portfolio {

report::Definition balloonReport() {
    report::Definition d = loan::quickRep1();
    d.title = QStringLiteral("Balloon Amortization Table");
    for (report::Band& band : d.bands) {
        if (band.kind == report::BandKind::PageHeader) {
            report::Font caption;
            report::Font value;
            for (report::Item& item : band.items) {
                if (item.kind == report::ItemKind::Label && item.text == QLatin1String("No Payments :")) {
                    item.text = QStringLiteral("Amortize Periods :");
                    caption = item.font;
                }
                if (item.kind == report::ItemKind::Field && item.field == QLatin1String("NUMPAY")) {
                    // The longer caption pushes the value to the right edge.
                    item.x = 672;
                    value = item.font;
                }
            }
            band.items.push_back(report::label(0, 72, QStringLiteral("Number of Payments: "), caption));
            band.items.push_back(report::field(200, 72, QStringLiteral("BLPAY"), {}, value));
            band.height += 28;
        }
        if (band.kind == report::BandKind::Title)
            for (report::Item& item : band.items)
                if (item.kind == report::ItemKind::Label)
                    item.text = QStringLiteral("Balloon Amortization Table");
    }
    return d;
}

report::Definition reportFor(const QVariant& BLPAY) {
    return qRound(BLPAY.toDouble()) <= 0 ? loan::quickRep1() : balloonReport();
}

void withLoanReport(db::Connection& connection, int loanNo,
                    const std::function<void(const report::Renderer&, bool)>& use) {
    QSqlQuery query = db::prepare(connection, db::sql::portfolioReport);
    query.setForwardOnly(true);
    query.bindValue(QStringLiteral(":Param4"), loanNo);
    db::exec(query);
    const bool hasRows = query.next();
    const QVariant blpay = hasRows ? query.value(QStringLiteral("BLPAY")) : QVariant();
    const report::Renderer renderer(reportFor(blpay), [&query] {
        db::exec(query);
        return std::make_unique<report::QueryRows>(query);
    });
    use(renderer, hasRows);
    query.finish();
}

} // namespace portfolio
