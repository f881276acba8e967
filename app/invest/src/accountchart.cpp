#include "invest/accountchart.h"

#include "invest/rollback.h"

namespace invest {

std::vector<talvero::charts::AccountPoint> accountPoints(const QList<LineItemRow>& items) {
    std::vector<talvero::charts::AccountPoint> points;
    double shares = 0, price = 0, book = 0;
    for (const LineItemRow& item : items) {
        const char type = item.TRANSTYPE.isEmpty() ? ' ' : item.TRANSTYPE.at(0).toLatin1();
        shares += shareSign(type) * item.SHARES;
        if (item.PRICE > 0) price = item.PRICE;
        if (type != 'R') book += item.BOOKVALUE;
        points.push_back({item.TRANSDATE.trimmed().toStdString(), shares * price, book});
    }
    return points;
}

talvero::charts::Chart accountChart(db::Connection& connection, int actno) {
    return talvero::charts::investmentChart(accountPoints(readLineItems(connection, actno)));
}

} // namespace invest
