#include "invest/returns.h"

#include "db/error.h"
#include "db/rows.h"
#include "db/statements.h"
#include "ui/convert.h"

#include <QHash>
#include <QSqlQuery>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <deque>

namespace invest {

namespace {

// The sum of the discounted amounts and its derivative at rate r.
struct Npv {
    double value = 0;
    double slope = 0;
};

Npv npvAt(const std::vector<CashFlow>& flows, long firstDay, double r) {
    Npv n;
    const double base = std::log1p(r);
    for (const CashFlow& f : flows) {
        const double t = static_cast<double>(f.day - firstDay) / 365.0;
        const double discount = std::exp(-t * base);
        n.value += f.amount * discount;
        n.slope -= t * f.amount * discount / (1 + r);
    }
    return n;
}

// Rates where the sum is looked at for a change of sign, from just above -100 % upwards.
constexpr double kRateGrid[] = {-0.999999, -0.99, -0.9, -0.75, -0.5, -0.25, -0.1, 0,   0.1, 0.25,
                                0.5,       1,     2,    5,     10,   100,   1e3,  1e4, 1e6};

} // namespace

std::optional<double> xirr(const std::vector<CashFlow>& given) {
    // The amounts of one day discount alike: summed first, each rate tried costs one term a day.
    const auto byDay = [](const CashFlow& a, const CashFlow& b) { return a.day < b.day; };
    std::vector<CashFlow> sorted;
    const std::vector<CashFlow>* inOrder = &given;
    if (!std::is_sorted(given.begin(), given.end(), byDay)) {
        sorted = given;
        std::stable_sort(sorted.begin(), sorted.end(), byDay);
        inOrder = &sorted;
    }
    std::vector<CashFlow> flows;
    for (const CashFlow& f : *inOrder) {
        if (!flows.empty() && flows.back().day == f.day)
            flows.back().amount += f.amount;
        else
            flows.push_back(f);
    }
    const bool someIn =
        std::any_of(flows.begin(), flows.end(), [](const CashFlow& f) { return f.amount < 0; });
    const bool someOut =
        std::any_of(flows.begin(), flows.end(), [](const CashFlow& f) { return f.amount > 0; });
    if (!someIn || !someOut) return std::nullopt;
    const auto [first, last] = std::minmax_element(
        flows.begin(), flows.end(), [](const CashFlow& a, const CashFlow& b) { return a.day < b.day; });
    // On one day alone no rate discounts anything: every rate or none solves it.
    if (first->day == last->day) return std::nullopt;
    const long firstDay = first->day;

    // The bracket nearest to 0 % among the grid's sign changes.
    std::optional<std::pair<double, double>> bracket;
    double bestDistance = INFINITY;
    double previousRate = kRateGrid[0];
    double previousValue = npvAt(flows, firstDay, previousRate).value;
    for (std::size_t i = 1; i < std::size(kRateGrid); ++i) {
        const double rate = kRateGrid[i];
        const double value = npvAt(flows, firstDay, rate).value;
        if (!std::isfinite(value)) break;
        if (previousValue == 0) return previousRate;
        if ((previousValue < 0) != (value < 0)) {
            const double distance = std::min(std::fabs(previousRate), std::fabs(rate));
            if (distance < bestDistance) {
                bestDistance = distance;
                bracket = {previousRate, rate};
            }
        }
        previousRate = rate;
        previousValue = value;
    }
    if (!bracket) return std::nullopt;

    // Newton steps, each kept inside the bracket (a bisection where a step would leave it).
    double lo = bracket->first, hi = bracket->second;
    const bool rising = npvAt(flows, firstDay, lo).value < 0;
    double r = (lo + hi) / 2;
    for (int i = 0; i < 200; ++i) {
        const Npv n = npvAt(flows, firstDay, r);
        if (n.value == 0) return r;
        if ((n.value < 0) == rising)
            lo = r;
        else
            hi = r;
        double next = n.slope != 0 ? r - n.value / n.slope : (lo + hi) / 2;
        if (!(next > lo && next < hi)) next = (lo + hi) / 2;
        if (std::fabs(next - r) <= 1e-12 * std::max(1.0, std::fabs(r))) return next;
        r = next;
    }
    return r;
}

namespace {

char16_t unitOf(QChar c) {
    return c.unicode();
}
char16_t unitOf(char c) {
    return static_cast<unsigned char>(c);
}

// "MM/DD/YYYY" with padding after it, read without building parts (there may be many rows).
template <class Text> std::optional<long> dayOfTransDate(const Text& transdate) {
    int parts[3] = {0, 0, 0};
    int part = 0, digits = 0;
    qsizetype end = transdate.size();
    while (end > 0 && unitOf(transdate[end - 1]) == u' ')
        --end;
    for (qsizetype k = 0; k < end; ++k) {
        const char16_t c = unitOf(transdate[k]);
        if (c == u'/') {
            if (digits == 0 || ++part > 2) return std::nullopt;
            digits = 0;
        } else if (c >= u'0' && c <= u'9') {
            if (++digits > 4) return std::nullopt;
            parts[part] = parts[part] * 10 + (c - u'0');
        } else {
            return std::nullopt;
        }
    }
    const int month = parts[0], day = parts[1], year = parts[2];
    if (part != 2 || digits == 0 || month < 1 || month > 12 || day < 1 || day > 31 || year < 1)
        return std::nullopt;
    return talvero::common::day_number({month, day, year});
}

} // namespace

std::optional<long> transDateDay(const QString& transdate) {
    return dayOfTransDate(transdate);
}

std::optional<long> transDateDay(QByteArrayView transdate) {
    return dayOfTransDate(transdate);
}

namespace {

// When in its day a line item counts: money in at the start, money out at the end.
enum class Phase : std::uint8_t { In = 0, Neither = 1, Out = 2 };

// Small, as there is one for each line item.
struct Event {
    int day = 0;
    Phase phase = Phase::Neither;
    std::uint32_t account = 0;
    std::uint32_t order = 0; // posting order across the accounts
    const ReturnItem* item = nullptr;
};

char codeOf(const ReturnItem& item) {
    return item.type;
}

// The investor's cash flow of a line item.
double flowOf(const ReturnItem& i) {
    switch (codeOf(i)) {
    case 'N':
        return -(i.SHARES * i.PRICE);
    case 'B':
        return -(i.SHARES * i.PRICE + i.COMMISSION + i.FEE);
    case 'S':
        return i.SHARES * i.PRICE - i.COMMISSION - i.FEE;
    case 'C':
        return i.DIVIDEND;
    case 'F':
        return -i.FEE;
    default:
        return 0;
    }
}

// Shares and price of one account as its line items move them.
struct Position {
    double shares = 0;
    double price = 0;
    double value() const { return shares * price; }
};

void apply(Position& p, const ReturnItem& i) {
    switch (codeOf(i)) {
    case 'N':
    case 'B':
    case 'D':
        p.shares += i.SHARES;
        break;
    case 'S':
    case 'U':
        p.shares -= i.SHARES;
        break;
    default:
        break;
    }
    // Cash dividends and cash fees keep no price of their own.
    const char c = codeOf(i);
    if (c != 'C' && c != 'F' && i.PRICE > 0) p.price = i.PRICE;
}

// The cost of the shares held, kept both ways.
struct Lot {
    double shares = 0;
    double cost = 0;
};

struct Costs {
    double shares = 0, cost = 0; // one pool: average cost
    std::deque<Lot> lots;        // oldest first: FIFO

    void acquire(double s, double c) {
        if (!(s > 0)) return;
        shares += s;
        cost += c;
        lots.push_back({s, c});
    }
    // The gains of disposing of `s` shares for `proceeds`.
    YearGains dispose(double s, double proceeds) {
        YearGains g;
        if (!(s > 0)) return g;
        const double taken = std::min(s, shares);
        const double averageCost = shares > 0 ? cost * (taken / shares) : 0;
        shares -= taken;
        cost -= averageCost;
        g.averageCost = proceeds - averageCost;
        double left = taken, fifoCost = 0;
        while (left > 1e-12 && !lots.empty()) {
            Lot& lot = lots.front();
            const double part = std::min(left, lot.shares);
            const double partCost = lot.cost * (part / lot.shares);
            fifoCost += partCost;
            lot.shares -= part;
            lot.cost -= partCost;
            left -= part;
            if (lot.shares <= 1e-12) lots.pop_front();
        }
        g.fifo = proceeds - fifoCost;
        return g;
    }
};

} // namespace

Returns returnsOf(const std::vector<AccountHistory>& accounts, const Date& asOf) {
    Returns out;
    const long asOfDay = talvero::common::day_number(asOf);

    std::vector<Event> events;
    std::size_t itemCount = 0;
    for (const AccountHistory& h : accounts)
        itemCount += h.items.size();
    events.reserve(itemCount);
    std::vector<bool> complete(accounts.size(), true); // every line item on or before the as-of date
    std::size_t order = 0;
    for (std::size_t a = 0; a < accounts.size(); ++a) {
        for (const ReturnItem& item : accounts[a].items) {
            if (!item.dated) continue;
            if (item.day > asOfDay) {
                complete[a] = false;
                continue;
            }
            const double flow = flowOf(item);
            events.push_back({item.day,
                              flow < 0   ? Phase::In
                              : flow > 0 ? Phase::Out
                                         : Phase::Neither,
                              static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(order++), &item});
        }
    }
    const auto earlier = [](const Event& x, const Event& y) {
        if (x.day != y.day) return x.day < y.day;
        if (x.phase != y.phase) return x.phase < y.phase;
        return x.order < y.order;
    };
    // One account's items mostly come in order already.
    if (!std::is_sorted(events.begin(), events.end(), earlier))
        std::sort(events.begin(), events.end(), earlier);

    std::vector<Position> positions(accounts.size());
    std::vector<Costs> costs(accounts.size());
    const auto total = [&positions] {
        double v = 0;
        for (const Position& p : positions)
            v += p.value();
        return v;
    };

    double growth = 1;
    bool measured = false;
    double start = 0; // value at the start of the running sub-period
    const auto close = [&](double end) {
        if (start > 0) {
            growth *= end / start;
            measured = true;
        }
    };

    out.flows.reserve(events.size() + 1);
    std::vector<std::size_t> pricedOn(accounts.size(), events.size()); // the day (its first event) priced
    for (std::size_t n = 0; n < events.size(); ++n) {
        const Event& e = events[n];
        const ReturnItem& i = *e.item;
        // A new day: every account a priced line item of that day names is worth that price all day,
        // so the holdings beside a flow are valued at the day's prices too.
        if (n == 0 || events[n - 1].day != e.day) {
            for (std::size_t m = n; m < events.size() && events[m].day == e.day; ++m) {
                const char c = codeOf(*events[m].item);
                if (pricedOn[events[m].account] == n || c == 'C' || c == 'F' || !(events[m].item->PRICE > 0))
                    continue;
                pricedOn[events[m].account] = n;
                if (positions[events[m].account].shares != 0)
                    positions[events[m].account].price = events[m].item->PRICE;
            }
        }
        Position& p = positions[e.account];
        const char code = codeOf(i);
        const double flow = flowOf(i);
        if (flow != 0) out.flows.push_back({e.day, flow});

        if (e.phase == Phase::In) {
            // The holding before the money, at this transaction's price, ends the sub-period; the
            // next starts from it plus the money put in (so commissions and fees count as a loss).
            if (code != 'F' && i.PRICE > 0) p.price = i.PRICE;
            const double before = total();
            close(before);
            apply(p, i);
            start = before - flow;
        } else {
            apply(p, i);
            if (e.phase == Phase::Out) {
                const double after = total();
                close(after + flow);
                start = after;
            }
        }

        const double s = i.SHARES, price = i.PRICE;
        switch (code) {
        case 'N':
            costs[e.account].acquire(s, s * price);
            break;
        case 'B':
            costs[e.account].acquire(s, s * price + i.COMMISSION + i.FEE);
            break;
        case 'D':
            costs[e.account].acquire(s, s * price);
            break;
        case 'S':
        case 'U': {
            const YearGains g = costs[e.account].dispose(s, code == 'S' ? flow : 0);
            const auto y =
                std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{e.day}}}.year();
            YearGains& year = out.gains[static_cast<int>(y)];
            year.averageCost += g.averageCost;
            year.fifo += g.fifo;
            break;
        }
        default:
            break;
        }
    }

    for (std::size_t a = 0; a < accounts.size(); ++a)
        if (complete[a]) positions[a] = {accounts[a].account.TOTSHARES, accounts[a].account.CURRENTPRICE};
    out.value = total();
    close(out.value);
    if (out.value != 0) out.flows.push_back({asOfDay, out.value});
    if (measured) out.ttwror = growth - 1;
    out.xirr = xirr(out.flows);
    return out;
}

namespace {

void setDay(ReturnItem& item, std::optional<long> day) {
    item.dated = day.has_value();
    item.day = day ? static_cast<int>(*day) : 0;
}

} // namespace

ReturnItem returnItemOf(const LineItemRow& i) {
    ReturnItem r;
    r.RECNO = i.RECNO;
    setDay(r, transDateDay(i.TRANSDATE));
    r.type = i.TRANSTYPE.isEmpty() ? ' ' : i.TRANSTYPE.at(0).toLatin1();
    r.SHARES = i.SHARES;
    r.PRICE = i.PRICE;
    r.COMMISSION = i.COMMISSION;
    r.FEE = i.FEE;
    r.DIVIDEND = i.DIVIDEND;
    return r;
}

std::vector<AccountHistory> readHistories(db::Connection& connection, std::optional<int> actno) {
    std::vector<AccountHistory> histories;
    QHash<int, std::size_t> at;
    if (actno) {
        if (std::optional<AccountRow> a = readAccount(connection, *actno)) histories.push_back({*a, {}});
    } else {
        QSqlQuery accounts = db::prepare(connection, db::sql::accountList);
        db::exec(accounts);
        while (accounts.next())
            histories.push_back({accountRowOf(accounts), {}});
    }
    if (histories.empty()) return histories;
    for (std::size_t n = 0; n < histories.size(); ++n)
        at.insert(histories[n].account.ACTNO, n);

    // Room for each account's rows at once: growing by copies costs as much as reading them.
    {
        db::RowReader counts(connection, actno ? db::sql::accountLineItemCount : db::sql::lineItemCounts);
        if (actno) counts.bind(0, *actno);
        counts.exec();
        while (counts.next()) {
            const auto found = at.constFind(static_cast<int>(counts.integer(0)));
            if (found != at.constEnd())
                histories[*found].items.reserve(static_cast<std::size_t>(counts.integer(1)));
        }
    }
    // Only the columns the figures need, read by position without a value object each.
    db::RowReader rows(connection, actno ? db::sql::accountReturnItems : db::sql::returnItems);
    if (actno) rows.bind(0, *actno);
    rows.exec();
    std::size_t last = 0; // rows come grouped by account as a rule
    while (rows.next()) {
        const int number = static_cast<int>(rows.integer(0));
        if (histories[last].account.ACTNO != number) {
            const auto found = at.constFind(number);
            if (found == at.constEnd()) continue;
            last = *found;
        }
        ReturnItem i;
        i.RECNO = rows.integer(1);
        setDay(i, transDateDay(rows.utf8(2)));
        const QByteArrayView type = rows.utf8(3);
        i.type = type.isEmpty() ? ' ' : type.front();
        i.SHARES = rows.real(4);
        i.PRICE = rows.real(5);
        i.COMMISSION = rows.real(6);
        i.FEE = rows.real(7);
        i.DIVIDEND = rows.real(8);
        histories[last].items.push_back(i);
    }
    const auto byRecno = [](const ReturnItem& x, const ReturnItem& y) { return x.RECNO < y.RECNO; };
    for (AccountHistory& h : histories)
        if (!std::is_sorted(h.items.begin(), h.items.end(), byRecno))
            std::sort(h.items.begin(), h.items.end(), byRecno);
    return histories;
}

QString rateText(const std::optional<double>& rate) {
    return rate ? ui::format("%.6f", *rate) : QStringLiteral("n/a");
}

ReturnsTexts returnsTexts(const Returns& r) {
    ReturnsTexts t{ui::format("%7.2f", r.value), rateText(r.xirr), rateText(r.ttwror), {}};
    QStringList years;
    for (const auto& [year, g] : r.gains)
        years << QStringLiteral("%1: %2 / %3")
                     .arg(year)
                     .arg(ui::format("%.2f", g.averageCost), ui::format("%.2f", g.fifo));
    t.gains = years.isEmpty() ? QStringLiteral("None") : years.join(QStringLiteral("; "));
    return t;
}

ReturnsShown queryReturns(const QString& entry, bool allAccounts, const QString& asOfText,
                          const Date& today) {
    ReturnsShown out;
    std::optional<int> actno;
    if (!allAccounts) {
        int n = 0;
        if (auto notice = selectedAccount(entry, n)) {
            out.notices << *notice;
            return out;
        }
        actno = n;
    }
    const QString dateText = asOfText.trimmed();
    if (!isValidDateText(dateText)) {
        out.notices << badDateNotice();
        return out;
    }
    const Date asOf = readDate(dateText, today);
    try {
        db::Connection connection(db::Alias::IBInvest);
        out.shown = returnsTexts(returnsOf(readHistories(connection, actno), asOf));
    } catch (const db::Error& e) {
        out.notices << Notice{NoticeKind::Plain, e.message()};
    }
    return out;
}

} // namespace invest
