#include "invest/status.h"

#include "db/error.h"
#include "ui/convert.h"

namespace invest {

Figures figuresOf(const AccountRow& a) {
    return {a.TOTSHARES,   a.CURRENTPRICE, a.TOTVALUE,    a.GAINDOLLARS,
            a.GAINPERCENT, a.AVERAGECOST,  a.TOTBOOKVALUE};
}

FigureTexts figureTexts(const Figures& f) {
    return {ui::format("%5.3f", f.shares),    ui::format("%7.2f", f.price),
            ui::format("%7.2f", f.value),     ui::format("%7.2f", f.gain),
            ui::format("%5.2f", f.gainRatio), ui::format("%5.2f", f.averageCost),
            ui::format("%7.2f", f.bookValue)};
}

std::optional<Notice> selectedAccount(const QString& entry, int& actno) {
    try {
        actno = ui::toInt(entry);
    } catch (const ui::ConvertError& e) {
        return Notice{NoticeKind::Exception, e.message()};
    }
    return std::nullopt;
}

AccountRow readAccountOrEmpty(db::Connection& connection, int actno) {
    return readAccount(connection, actno).value_or(AccountRow{});
}

std::optional<QString> lastTransactionDate(db::Connection& connection, int actno) {
    const QList<LineItemRow> items = readLineItems(connection, actno);
    if (items.isEmpty()) return std::nullopt;
    return items.last().TRANSDATE;
}

AccountStatus queryStatus(const QString& entry) {
    AccountStatus status;
    int actno = 0;
    if (auto notice = selectedAccount(entry, actno)) {
        status.notices << *notice;
        return status;
    }
    try {
        db::Connection connection(db::Alias::IBInvest);
        status.account = readAccountOrEmpty(connection, actno);
        // The boxes are filled even when the line items cannot be read; the date box then stays.
        try {
            status.lastDate = lastTransactionDate(connection, actno);
        } catch (const db::Error& e) {
            status.notices << Notice{NoticeKind::Plain, e.message()};
        }
    } catch (const db::Error& e) {
        status.notices << Notice{NoticeKind::Plain, e.message()};
    }
    return status;
}

} // namespace invest
