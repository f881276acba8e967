#include "invest/revalue.h"

#include "db/error.h"
#include "db/retry.h"
#include "db/transaction.h"
#include "ui/convert.h"

namespace invest {

namespace {

Notice error(const char* text) {
    return {NoticeKind::Error, QString::fromLatin1(text)};
}

} // namespace

Revaluation computeRevaluation(const AccountRow& a, double P) {
    const double S = a.TOTSHARES;
    const double B = a.TOTBOOKVALUE;
    Revaluation r;
    r.figures.price = P;
    r.figures.shares = S;
    r.figures.bookValue = B;
    r.figures.value = S * P;
    r.figures.gain = P * S - B;
    r.figures.gainRatio = r.figures.gain / r.figures.value;
    r.figures.averageCost = B / S;
    r.lastPrice = a.CURRENTPRICE;
    return r;
}

std::optional<Notice> checkRevaluation(const QString& priceText, double price, double shares,
                                       const QStringList& decimalPoints) {
    if (!isNumericText(priceText, decimalPoints)) return error(kRevaluePriceNotNumeric);
    if (!(price > 0)) return error(kRevaluePriceNotPositive);
    if (price > 999999999.99) return error(kRevaluePriceTooLarge);
    if (!(shares > 0)) return error(kRevalueNoShares);
    return std::nullopt;
}

RevaluedAccount writeRevaluation(db::Connection& connection, const AccountRow& before, const Revaluation& r,
                                 const Date& date) {
    return db::runCommand(connection, db::kAccountChanged, [&](db::Transaction& transaction) {
        // The account as it stands now: another user may have posted since it was shown.
        const std::optional<AccountRow> now = readAccount(connection, before.ACTNO);
        if (!now)
            throw db::Error(QStringLiteral("Account %1 is not in the investment database").arg(before.ACTNO));
        RevaluedAccount out =
            applyRevaluation(connection, *now, computeRevaluation(*now, r.figures.price), date);
        transaction.commit();
        return out;
    });
}

RevaluedAccount applyRevaluation(db::Connection& connection, const AccountRow& before, const Revaluation& r,
                                 const Date& date) {
    RevaluedAccount out{before, before, {}};
    AccountRow& a = out.after;
    a.CURRENTPRICE = r.figures.price;
    a.TOTVALUE = r.figures.value;
    a.GAINDOLLARS = r.figures.gain;
    a.GAINPERCENT = r.figures.gainRatio;
    a.AVERAGECOST = r.figures.averageCost;
    a.LASTPRICE = r.lastPrice;

    // Without its account row the line item would belong to nothing.
    if (rewritePriceFigures(connection, a) != 1)
        throw db::Error(QStringLiteral("Account %1 is not in the investment database").arg(a.ACTNO));

    LineItemRow& i = out.item;
    i.FUNDNO = a.FUNDNO;
    i.ACTNO = a.ACTNO;
    i.NAME = a.NAME;
    i.TRANSDATE = transDate(date);
    i.TRANSTYPE = QStringLiteral("R");
    i.SHARES = r.figures.shares;
    i.PRICE = r.figures.price;
    appendLineItem(connection, i);
    return out;
}

RevalueOutcome revalue(const RevalueTexts& texts, RevalueCommand command, const Date& started) {
    RevalueOutcome outcome;
    int actno = 0;
    if (auto notice = selectedAccount(texts.account, actno)) {
        outcome.notices << *notice;
        return outcome;
    }
    try {
        db::Connection connection(db::Alias::IBInvest);
        const AccountRow account = readAccountOrEmpty(connection, actno);
        double price = 0;
        try {
            price = ui::toFloat(texts.price);
        } catch (const ui::ConvertError& e) {
            outcome.notices << Notice{NoticeKind::Exception, e.message()};
            return outcome;
        }
        if (auto notice = checkRevaluation(texts.price, price, account.TOTSHARES, texts.decimalPoints)) {
            outcome.notices << *notice;
            return outcome;
        }
        const Revaluation revaluation = computeRevaluation(account, price);
        outcome.shown = revaluation;
        try {
            outcome.lastDate = lastTransactionDate(connection, actno);
        } catch (const db::Error& e) {
            outcome.notices << Notice{NoticeKind::Plain, e.message()};
        }
        if (command == RevalueCommand::Post)
            outcome.posted = writeRevaluation(connection, account, revaluation, started);
    } catch (const db::Error& e) {
        outcome.notices << Notice{NoticeKind::Plain, e.message()};
    }
    return outcome;
}

} // namespace invest
