#include "invest/returns.h"

#include "db/error.h"
#include "db/rows.h"
#include "db/statements.h"
#include "ui/convert.h"

#include <QHash>
#include <QSqlQuery>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <deque>
#include <limits>

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
template <class Text> bool readShaped(const Text& transdate, int parts[3]) {
    if (transdate.size() < 10 || unitOf(transdate[2]) != u'/' || unitOf(transdate[5]) != u'/') return false;
    for (qsizetype k = 10; k < transdate.size(); ++k)
        if (unitOf(transdate[k]) != u' ') return false;
    for (const auto [from, to, part] : {std::array{0, 2, 0}, std::array{3, 5, 1}, std::array{6, 10, 2}})
        for (int k = from; k < to; ++k) {
            const char16_t c = unitOf(transdate[k]);
            if (c < u'0' || c > u'9') return false;
            parts[part] = parts[part] * 10 + (c - u'0');
        }
    return true;
}

// Any other spelling: one to four digits a part.
template <class Text> bool readLoose(const Text& transdate, int parts[3]) {
    int part = 0, digits = 0;
    qsizetype end = transdate.size();
    while (end > 0 && unitOf(transdate[end - 1]) == u' ')
        --end;
    for (qsizetype k = 0; k < end; ++k) {
        const char16_t c = unitOf(transdate[k]);
        if (c == u'/') {
            if (digits == 0 || ++part > 2) return false;
            digits = 0;
        } else if (c >= u'0' && c <= u'9') {
            if (++digits > 4) return false;
            parts[part] = parts[part] * 10 + (c - u'0');
        } else {
            return false;
        }
    }
    return part == 2 && digits > 0;
}

template <class Text> std::optional<long> dayOfTransDate(const Text& transdate) {
    int parts[3] = {0, 0, 0};
    if (!readShaped(transdate, parts)) {
        parts[0] = parts[1] = parts[2] = 0;
        if (!readLoose(transdate, parts)) return std::nullopt;
    }
    const int month = parts[0], day = parts[1], year = parts[2];
    if (month < 1 || month > 12 || day < 1 || day > 31 || year < 1) return std::nullopt;
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

// The investor's cash flow of a line item.
double flowOf(const ReturnItem& i) {
    switch (i.type) {
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

Phase phaseOf(double flow) {
    return flow < 0 ? Phase::In : flow > 0 ? Phase::Out : Phase::Neither;
}

Phase phaseOf(const ReturnItem& i) {
    return phaseOf(flowOf(i));
}

// Whether the item tells the account's price on its day (cash dividends and fees keep none).
bool tellsPrice(const ReturnItem& i) {
    return i.type != 'C' && i.type != 'F' && i.PRICE > 0;
}

// Shares and price of one account as its line items move them.
struct Position {
    double shares = 0;
    double price = 0;
    double value() const { return shares * price; }
};

void apply(Position& p, const ReturnItem& i) {
    switch (i.type) {
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
    if (tellsPrice(i)) p.price = i.PRICE;
}

// The cost of the shares held, kept both ways.
struct Lot {
    double shares = 0;
    double cost = 0;
    std::uint32_t count = 1; // alike lots bought one after another
};

struct Costs {
    double shares = 0, cost = 0; // one pool: average cost
    std::deque<Lot> lots;        // oldest first: FIFO

    void acquire(double s, double c) {
        if (!(s > 0)) return;
        shares += s;
        cost += c;
        if (!lots.empty() && lots.back().shares == s && lots.back().cost == c &&
            lots.back().count < std::numeric_limits<std::uint32_t>::max())
            ++lots.back().count;
        else
            lots.push_back({s, c, 1});
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
            left -= part;
            if (lot.shares - part <= 1e-12) {
                if (--lot.count == 0) lots.pop_front();
            } else {
                // What is left of the first lot goes ahead of the rest of its run.
                const Lot rest{lot.shares - part, lot.cost - partCost, 1};
                if (--lot.count == 0)
                    lot = rest;
                else
                    lots.push_front(rest);
            }
        }
        g.fifo = proceeds - fifoCost;
        return g;
    }
};

// The figures of accounts taken together, fed their line items in the order they count: by day,
// in a day money in first and money out last, else in posting order (account by account). Before
// a day's first item, each account is priced at what its day's first priced item says.
class Pass {
public:
    explicit Pass(std::size_t accounts) : positions_(accounts), costs_(accounts) {}

    // Prices account `a` for the day about to start, when it holds shares.
    void priceDay(std::size_t a, double price) {
        if (positions_[a].shares != 0) positions_[a].price = price;
    }

    void take(std::size_t a, const ReturnItem& i) {
        Position& p = positions_[a];
        const double flow = flowOf(i);
        if (flow != 0) addFlow(i.day, flow);

        const Phase phase = phaseOf(flow);
        if (phase == Phase::In) {
            // The holding before the money, at this transaction's price, ends the sub-period; the
            // next starts from it plus the money put in (so commissions and fees count as a loss).
            if (i.type != 'F' && i.PRICE > 0) p.price = i.PRICE;
            const double before = total();
            close(before);
            apply(p, i);
            start_ = before - flow;
        } else {
            apply(p, i);
            if (phase == Phase::Out) {
                const double after = total();
                close(after + flow);
                start_ = after;
            }
        }

        const double s = i.SHARES, price = i.PRICE;
        switch (i.type) {
        case 'N':
            costs_[a].acquire(s, s * price);
            break;
        case 'B':
            costs_[a].acquire(s, s * price + i.COMMISSION + i.FEE);
            break;
        case 'D':
            costs_[a].acquire(s, s * price);
            break;
        case 'S':
        case 'U': {
            const YearGains g = costs_[a].dispose(s, i.type == 'S' ? flow : 0);
            const auto y =
                std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{i.day}}}.year();
            YearGains& year = out_.gains[static_cast<int>(y)];
            year.averageCost += g.averageCost;
            year.fifo += g.fifo;
            break;
        }
        default:
            break;
        }
    }

    // The figures as of `asOfDay`; `settled[a]`: account a's row holds its position (every line
    // item counted).
    Returns finish(const std::vector<AccountHistory>& accounts, const std::vector<bool>& settled,
                   long asOfDay) {
        for (std::size_t a = 0; a < accounts.size(); ++a)
            if (settled[a]) positions_[a] = {accounts[a].account.TOTSHARES, accounts[a].account.CURRENTPRICE};
        out_.value = total();
        close(out_.value);
        if (out_.value != 0) addFlow(asOfDay, out_.value);
        if (measured_) out_.ttwror = growth_ - 1;
        out_.xirr = xirr(out_.flows);
        return std::move(out_);
    }

private:
    double total() const {
        double v = 0;
        for (const Position& p : positions_)
            v += p.value();
        return v;
    }
    void close(double end) {
        if (start_ > 0) {
            growth_ *= end / start_;
            measured_ = true;
        }
    }
    // One amount a day, summed in the order the items count.
    void addFlow(long day, double amount) {
        if (!out_.flows.empty() && out_.flows.back().day == day)
            out_.flows.back().amount += amount;
        else
            out_.flows.push_back({day, amount});
    }

    std::vector<Position> positions_;
    std::vector<Costs> costs_;
    Returns out_;
    double growth_ = 1;
    bool measured_ = false;
    double start_ = 0; // value at the start of the running sub-period
};

// Every account's items sorted into the order they count, and fed to the pass; for each account,
// whether every item was on or before the as-of date.
std::vector<bool> feedSorted(Pass& pass, const std::vector<AccountHistory>& accounts, long asOfDay) {
    struct Event {
        int day;
        Phase phase;
        std::uint32_t account, index; // posting order: account by account, then item by item
    };
    std::vector<Event> events;
    std::size_t itemCount = 0;
    for (const AccountHistory& h : accounts)
        itemCount += h.items.size();
    events.reserve(itemCount);
    std::vector<bool> settled(accounts.size(), true);
    for (std::size_t a = 0; a < accounts.size(); ++a)
        for (std::size_t k = 0; k < accounts[a].items.size(); ++k) {
            const ReturnItem& i = accounts[a].items[k];
            if (!i.dated) continue;
            if (i.day > asOfDay)
                settled[a] = false;
            else
                events.push_back(
                    {i.day, phaseOf(i), static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(k)});
        }
    std::sort(events.begin(), events.end(), [](const Event& x, const Event& y) {
        if (x.day != y.day) return x.day < y.day;
        if (x.phase != y.phase) return x.phase < y.phase;
        if (x.account != y.account) return x.account < y.account;
        return x.index < y.index;
    });
    const auto itemOf = [&accounts](const Event& e) -> const ReturnItem& {
        return accounts[e.account].items[e.index];
    };
    std::vector<bool> priced(accounts.size());
    for (std::size_t n = 0; n < events.size(); ++n) {
        if (n == 0 || events[n - 1].day != events[n].day) {
            std::fill(priced.begin(), priced.end(), false);
            for (std::size_t m = n; m < events.size() && events[m].day == events[n].day; ++m) {
                const ReturnItem& i = itemOf(events[m]);
                if (priced[events[m].account] || !tellsPrice(i)) continue;
                priced[events[m].account] = true;
                pass.priceDay(events[m].account, i.PRICE);
            }
        }
        pass.take(events[n].account, itemOf(events[n]));
    }
    return settled;
}

// One account's items in posting order, fed to the pass as they come. Only a day's items that
// count after later ones wait: money in that comes before the day's price is known, and the rest.
class AccountStream {
public:
    AccountStream(Pass& pass, long asOfDay) : pass_(pass), asOfDay_(asOfDay) {}

    // False when the item is dated before the day running: then the items need sorting.
    bool add(const ReturnItem& i) {
        if (!i.dated) return true;
        if (i.day > asOfDay_) {
            settled_ = false;
            return true;
        }
        if (started_ && i.day < day_) return false;
        if (!started_ || i.day > day_) {
            endDay();
            started_ = true;
            day_ = i.day;
        }
        if (phaseOf(i) != Phase::In) {
            later_.push_back(i);
        } else if (priced_) {
            pass_.take(0, i);
        } else if (tellsPrice(i)) {
            pass_.priceDay(0, i.PRICE);
            priced_ = true;
            for (const ReturnItem& w : waiting_)
                pass_.take(0, w);
            waiting_.clear();
            pass_.take(0, i);
        } else {
            waiting_.push_back(i);
        }
        return true;
    }

    // Counts what the last day left waiting; whether every item was on or before the as-of date.
    bool end() {
        endDay();
        return settled_;
    }

private:
    void endDay() {
        if (!priced_) {
            for (const Phase phase : {Phase::Neither, Phase::Out}) {
                const auto first = std::find_if(later_.begin(), later_.end(), [phase](const ReturnItem& i) {
                    return phaseOf(i) == phase && tellsPrice(i);
                });
                if (first != later_.end()) {
                    pass_.priceDay(0, first->PRICE);
                    break;
                }
            }
        }
        for (const ReturnItem& w : waiting_)
            pass_.take(0, w);
        for (const Phase phase : {Phase::Neither, Phase::Out})
            for (const ReturnItem& i : later_)
                if (phaseOf(i) == phase) pass_.take(0, i);
        waiting_.clear();
        later_.clear();
        priced_ = false;
    }

    Pass& pass_;
    long asOfDay_;
    bool settled_ = true;
    bool started_ = false;
    bool priced_ = false; // the running day's price is known
    int day_ = 0;
    std::vector<ReturnItem> waiting_, later_;
};

} // namespace

Returns returnsOf(const std::vector<AccountHistory>& accounts, const Date& asOf) {
    const long asOfDay = talvero::common::day_number(asOf);
    if (accounts.size() == 1) {
        Pass pass(1);
        AccountStream stream(pass, asOfDay);
        if (std::all_of(accounts[0].items.begin(), accounts[0].items.end(),
                        [&stream](const ReturnItem& i) { return stream.add(i); }))
            return pass.finish(accounts, {stream.end()}, asOfDay);
    }
    Pass pass(accounts.size());
    const std::vector<bool> settled = feedSorted(pass, accounts, asOfDay);
    return pass.finish(accounts, settled, asOfDay);
}

namespace {

void setDay(ReturnItem& item, std::optional<long> day) {
    item.dated = day.has_value();
    item.day = day ? static_cast<int>(*day) : 0;
}

// A row of the return items statements.
ReturnItem itemOfRow(db::RowReader& rows) {
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
    return i;
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
        histories[last].items.push_back(itemOfRow(rows));
    }
    const auto byRecno = [](const ReturnItem& x, const ReturnItem& y) { return x.RECNO < y.RECNO; };
    for (AccountHistory& h : histories)
        if (!std::is_sorted(h.items.begin(), h.items.end(), byRecno))
            std::sort(h.items.begin(), h.items.end(), byRecno);
    return histories;
}

Returns accountReturns(db::Connection& connection, int actno, const Date& asOf) {
    std::vector<AccountHistory> one;
    if (std::optional<AccountRow> a = readAccount(connection, actno)) one.push_back({*a, {}});
    if (one.empty()) return returnsOf(one, asOf);
    const long asOfDay = talvero::common::day_number(asOf);
    Pass pass(1);
    AccountStream stream(pass, asOfDay);
    bool inOrder = true;
    {
        const db::OnePass onePass(connection);
        db::RowReader rows(connection, db::sql::accountReturnItems);
        rows.bind(0, actno);
        rows.exec();
        qint64 lastRecno = std::numeric_limits<qint64>::min();
        while (inOrder && rows.next()) {
            const ReturnItem i = itemOfRow(rows);
            inOrder = i.RECNO > lastRecno && stream.add(i);
            lastRecno = i.RECNO;
        }
    }
    // Items posted out of date order: read them all and sort.
    if (!inOrder) return returnsOf(readHistories(connection, actno), asOf);
    return pass.finish(one, {stream.end()}, asOfDay);
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
        out.shown = returnsTexts(actno ? accountReturns(connection, *actno, asOf)
                                       : returnsOf(readHistories(connection), asOf));
    } catch (const db::Error& e) {
        out.notices << Notice{NoticeKind::Plain, e.message()};
    }
    return out;
}

} // namespace invest
