#include "invest/returns.h"

#include "db/error.h"
#include "db/statements.h"
#include "ui/convert.h"

#include <QHash>
#include <QSqlQuery>

#include <algorithm>
#include <chrono>
#include <cmath>
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
    std::vector<CashFlow> flows = given;
    std::sort(flows.begin(), flows.end(), [](const CashFlow& a, const CashFlow& b) { return a.day < b.day; });
    std::size_t kept = 0;
    for (std::size_t n = 0; n < flows.size(); ++n) {
        if (kept > 0 && flows[kept - 1].day == flows[n].day)
            flows[kept - 1].amount += flows[n].amount;
        else
            flows[kept++] = flows[n];
    }
    flows.resize(kept);
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

std::optional<long> transDateDay(const QString& transdate) {
    // "MM/DD/YYYY" with padding after it, read without building parts (there may be many rows).
    int parts[3] = {0, 0, 0};
    int part = 0, digits = 0;
    qsizetype end = transdate.size();
    while (end > 0 && transdate[end - 1] == QLatin1Char(' '))
        --end;
    for (qsizetype k = 0; k < end; ++k) {
        const QChar c = transdate[k];
        if (c == QLatin1Char('/')) {
            if (digits == 0 || ++part > 2) return std::nullopt;
            digits = 0;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (++digits > 4) return std::nullopt;
            parts[part] = parts[part] * 10 + (c.unicode() - '0');
        } else {
            return std::nullopt;
        }
    }
    const int month = parts[0], day = parts[1], year = parts[2];
    if (part != 2 || digits == 0 || month < 1 || month > 12 || day < 1 || day > 31 || year < 1)
        return std::nullopt;
    return talvero::common::day_number({month, day, year});
}

namespace {

// When in its day a line item counts: money in at the start, money out at the end.
enum class Phase { In = 0, Neither = 1, Out = 2 };

struct Event {
    long day = 0;
    Phase phase = Phase::Neither;
    std::size_t order = 0; // posting order across the accounts
    std::size_t account = 0;
    int year = 0;
    const LineItemRow* item = nullptr;
    double flow = 0; // investor's side: money in negative
};

char codeOf(const LineItemRow& item) {
    return item.TRANSTYPE.isEmpty() ? ' ' : item.TRANSTYPE.at(0).toLatin1();
}

// The investor's cash flow of a line item.
double flowOf(const LineItemRow& i) {
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

void apply(Position& p, const LineItemRow& i) {
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
    std::vector<bool> complete(accounts.size(), true); // every line item on or before the as-of date
    std::size_t order = 0;
    for (std::size_t a = 0; a < accounts.size(); ++a) {
        for (const LineItemRow& item : accounts[a].items) {
            const std::optional<long> day = transDateDay(item.TRANSDATE);
            if (!day) continue;
            if (*day > asOfDay) {
                complete[a] = false;
                continue;
            }
            Event e;
            e.day = *day;
            e.order = order++;
            e.account = a;
            e.item = &item;
            e.year = static_cast<int>(
                std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{*day}}}.year());
            e.flow = flowOf(item);
            e.phase = e.flow < 0 ? Phase::In : e.flow > 0 ? Phase::Out : Phase::Neither;
            events.push_back(e);
        }
    }
    std::sort(events.begin(), events.end(), [](const Event& x, const Event& y) {
        if (x.day != y.day) return x.day < y.day;
        if (x.phase != y.phase) return x.phase < y.phase;
        return x.order < y.order;
    });

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

    for (std::size_t n = 0; n < events.size(); ++n) {
        const Event& e = events[n];
        const LineItemRow& i = *e.item;
        // A new day: every account a priced line item of that day names is worth that price all day,
        // so the holdings beside a flow are valued at the day's prices too.
        if (n == 0 || events[n - 1].day != e.day) {
            std::vector<bool> priced(accounts.size(), false);
            for (std::size_t m = n; m < events.size() && events[m].day == e.day; ++m) {
                const char c = codeOf(*events[m].item);
                if (priced[events[m].account] || c == 'C' || c == 'F' || !(events[m].item->PRICE > 0))
                    continue;
                priced[events[m].account] = true;
                if (positions[events[m].account].shares != 0)
                    positions[events[m].account].price = events[m].item->PRICE;
            }
        }
        Position& p = positions[e.account];
        const char code = codeOf(i);
        if (e.flow != 0) out.flows.push_back({e.day, e.flow});

        if (e.phase == Phase::In) {
            // The holding before the money, at this transaction's price, ends the sub-period; the
            // next starts from it plus the money put in (so commissions and fees count as a loss).
            if (code != 'F' && i.PRICE > 0) p.price = i.PRICE;
            const double before = total();
            close(before);
            apply(p, i);
            start = before - e.flow;
        } else {
            apply(p, i);
            if (e.phase == Phase::Out) {
                const double after = total();
                close(after + e.flow);
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
            const YearGains g = costs[e.account].dispose(s, code == 'S' ? e.flow : 0);
            YearGains& year = out.gains[e.year];
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

std::vector<AccountHistory> readHistories(db::Connection& connection, std::optional<int> actno) {
    std::vector<AccountHistory> histories;
    QHash<int, std::size_t> at;
    QSqlQuery accounts = db::prepare(connection, db::sql::accountList);
    db::exec(accounts);
    while (accounts.next()) {
        AccountRow a = accountRowOf(accounts);
        if (actno && a.ACTNO != *actno) continue;
        at.insert(a.ACTNO, histories.size());
        histories.push_back({a, {}});
    }
    QSqlQuery items = db::prepare(connection, actno ? db::sql::accountLineItemsInOrder
                                                    : db::sql::lineItemsByAccountInOrder);
    if (actno) items.bindValue(QStringLiteral(":Para1"), *actno);
    items.setForwardOnly(true);
    db::exec(items);
    const LineItemReader reader(items);
    while (items.next()) {
        LineItemRow i = reader.read(items);
        const auto found = at.constFind(i.ACTNO);
        if (found != at.constEnd()) histories[*found].items.push_back(std::move(i));
    }
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
