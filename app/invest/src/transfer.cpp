#include "invest/transfer.h"

#include "db/error.h"
#include "db/retry.h"
#include "db/statements.h"
#include "db/transaction.h"
#include "invest/revalue.h"
#include "invest/status.h"
#include "ui/convert.h"

#include <QHash>
#include <QLocale>
#include <QSqlQuery>

#include <charconv>

namespace invest {

namespace {

constexpr int kColumns = 9;

// The records of a CSV text, each with its cells; quotes as RFC 4180 has them. Runs of plain text
// are taken whole (a file may have 100,000 rows).
QList<QStringList> records(const QString& text) {
    QList<QStringList> out;
    QStringList cells;
    QString cell;
    bool quoted = false, any = false;
    const auto endCell = [&] {
        cells << cell;
        cell.clear();
    };
    const auto endRecord = [&] {
        endCell();
        out << cells;
        cells.clear();
        any = false;
    };
    const qsizetype n = text.size();
    const QChar* const c = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        if (quoted) {
            qsizetype end = i;
            while (end < n && c[end] != QLatin1Char('"'))
                ++end;
            cell.append(c + i, end - i);
            i = end;
            if (i + 1 < n && c[i + 1] == QLatin1Char('"')) {
                cell += QLatin1Char('"');
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        const QChar ch = c[i];
        if (ch == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (ch == QLatin1Char(',')) {
            endCell();
            any = true;
        } else if (ch == QLatin1Char('\n')) {
            endRecord();
        } else if (ch == QLatin1Char('\r')) {
            if (i + 1 < n && c[i + 1] == QLatin1Char('\n')) continue;
            endRecord();
        } else {
            qsizetype end = i + 1;
            while (end < n && c[end] != QLatin1Char('"') && c[end] != QLatin1Char(',') &&
                   c[end] != QLatin1Char('\n') && c[end] != QLatin1Char('\r'))
                ++end;
            if (cell.isEmpty())
                cell = text.sliced(i, end - i);
            else
                cell.append(c + i, end - i);
            i = end - 1;
            any = true;
        }
    }
    if (any || !cell.isEmpty()) endRecord();
    return out;
}

QString cellText(const QString& value) {
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\n')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A notice on one line: its lines joined by blanks.
QString oneLine(const QString& text) {
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char(' ')).simplified();
}

QString refusal(int row, const QString& message) {
    return QStringLiteral("row %1: %2").arg(row).arg(oneLine(message));
}

// A number of the file ('.' in every locale) as the form readers take it: with the user's decimal
// separator, which under a comma locale is not '.'. Anything else is left for the reader to refuse.
QString readerNumber(const QString& text) {
    const QByteArray b = text.toLatin1();
    double v = 0;
    const auto [end, ec] = std::from_chars(b.constData(), b.constData() + b.size(), v);
    if (ec != std::errc() || end != b.constData() + b.size()) return text;
    QString t = text;
    t.replace(QLatin1Char('.'), ui::decimalSeparator());
    return t;
}

// An empty amount cell stands for 0.
QString amount(const QString& cell) {
    const QString t = cell.trimmed();
    return t.isEmpty() ? QStringLiteral("0") : readerNumber(t);
}

// "N": the add form's reading, duplicate check and checks, then its rows.
std::optional<QString> importAccount(db::Connection& connection, const TransferRow& r, const Date& today) {
    AccountTexts texts;
    texts.decimalPoints = decimalPoints(); // the readers' texts carry the user's decimal point
    texts.number = r.ACTNO.trimmed();
    texts.name = r.NAME.trimmed();
    texts.price = amount(r.PRICE);
    texts.shares = amount(r.SHARES);
    texts.date = r.DATE.trimmed();
    double price = 0, shares = 0;
    const bool numbers = ui::tryFloat(texts.price, price) && ui::tryFloat(texts.shares, shares);
    texts.blank = numbers && price == 0 && shares == 0;
    texts.balance = numbers ? readerNumber(transferNumber(shares * price)) : QStringLiteral("0");

    NewAccount account;
    if (auto notice = readNewAccount(texts, today, account)) return notice->text;
    if (readAccount(connection, account.ACTNO)) return duplicateAccountNotice().text;
    if (auto notice = checkNewAccount(texts, account)) return notice->text;
    insertNewAccount(connection, account);
    return std::nullopt;
}

// "B" ... "U": the posting form's reading and checks, then its rules.
std::optional<QString> importPosting(db::Connection& connection, const TransferRow& r, int position,
                                     const Date& today) {
    PostingTexts texts;
    texts.decimalPoints = decimalPoints();
    texts.account = r.ACTNO.trimmed();
    texts.typePosition = position;
    texts.date = r.DATE.trimmed();
    texts.shares = amount(r.SHARES);
    texts.price = amount(r.PRICE);
    texts.commission = amount(r.COMMISSION);
    texts.fee = amount(r.FEE);
    texts.dividend = amount(r.DIVIDEND);
    PostingRequest request;
    if (auto notice = readPosting(texts, today, request)) return notice->text;
    PostedTransaction posted;
    try {
        if (const char* fault = applyPosting(connection, request, posted)) return QString::fromLatin1(fault);
    } catch (const db::Error& e) {
        // No such account: the posting reads none. Contention and a full disk end the whole import.
        if (e.kind() != db::ErrorKind::Other) throw;
        if (!readAccount(connection, request.ACTNO)) return e.message();
        throw;
    }
    return std::nullopt;
}

// "R": the revaluation form's reading and checks, then its "Post", dated DATE.
std::optional<QString> importRevaluation(db::Connection& connection, const TransferRow& r,
                                         const Date& today) {
    int actno = 0;
    if (auto notice = selectedAccount(r.ACTNO.trimmed(), actno)) return notice->text;
    const AccountRow account = readAccountOrEmpty(connection, actno);
    const QString priceText = amount(r.PRICE);
    double price = 0;
    try {
        price = ui::toFloat(priceText);
    } catch (const ui::ConvertError& e) {
        return e.message();
    }
    if (auto notice = checkRevaluation(priceText, price, account.TOTSHARES, decimalPoints()))
        return notice->text;
    const QString dateText = r.DATE.trimmed();
    Date date;
    try {
        date = readDate(dateText, today);
    } catch (const ui::ConvertError& e) {
        return e.message();
    }
    if (!isValidDateText(dateText)) return badDateNotice().text;
    applyRevaluation(connection, account, computeRevaluation(account, price), date);
    return std::nullopt;
}

std::optional<QString> importRow(db::Connection& connection, const TransferRow& r, const Date& today) {
    const QString type = r.TYPE.trimmed().toUpper();
    if (type == QLatin1String("N")) return importAccount(connection, r, today);
    if (type == QLatin1String("R")) return importRevaluation(connection, r, today);
    const qsizetype position = type.size() == 1 ? QStringLiteral("BCDFSU").indexOf(type) : -1;
    if (position < 0)
        return QStringLiteral("TYPE \"%1\" is none of N, B, C, D, F, S, U, R").arg(r.TYPE.trimmed());
    return importPosting(connection, r, static_cast<int>(position), today);
}

QString dateCell(const QString& transdate) {
    const QStringList parts = transdate.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3) return transdate.trimmed();
    return QStringLiteral("%1%2%3").arg(parts[0], parts[1], parts[2]);
}

QString csvLine(const QStringList& cells) {
    QStringList out;
    for (const QString& c : cells)
        out << cellText(c);
    return out.join(QLatin1Char(',')) + QLatin1Char('\n');
}

} // namespace

QString transferNumber(double value) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

TransferFile parseTransferCsv(const QString& text) {
    TransferFile file;
    const QList<QStringList> all = records(text);
    if (all.isEmpty() || all.front()
                                 .join(QLatin1Char(','))
                                 .trimmed()
                                 .compare(QLatin1String(kTransferHeader), Qt::CaseInsensitive) != 0) {
        file.refused << refusal(1,
                                QStringLiteral("the header must be %1").arg(QLatin1String(kTransferHeader)));
        return file;
    }
    file.rows.reserve(all.size());
    for (qsizetype n = 1; n < all.size(); ++n) {
        const QStringList& c = all[n];
        const int row = static_cast<int>(n + 1);
        if (c.size() == 1 && c.front().trimmed().isEmpty()) continue;
        if (c.size() != kColumns) {
            file.refused << refusal(
                row, QStringLiteral("%1 cells where the header has %2").arg(c.size()).arg(kColumns));
            continue;
        }
        file.rows << TransferRow{row, c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8]};
    }
    return file;
}

ImportResult importRows(db::Connection& connection, const QList<TransferRow>& rows, const Date& today,
                        bool commit) {
    // The whole file is one command: another user's work makes it start again from its first row.
    return db::runCommand(connection, db::kAccountChanged, [&](db::Transaction& transaction) {
        ImportResult result;
        for (const TransferRow& r : rows) {
            if (auto refused = importRow(connection, r, today)) result.refused << refusal(r.row, *refused);
        }
        if (result.refused.isEmpty() && commit) {
            transaction.commit();
            result.written = static_cast<int>(rows.size());
        }
        return result;
    });
}

ImportResult importCsv(db::Connection& connection, const QString& text, const Date& today, bool commit) {
    const TransferFile file = parseTransferCsv(text);
    // Rows that do not fit the layout stop the file, but the others are still checked and listed.
    ImportResult result = importRows(connection, file.rows, today, commit && file.refused.isEmpty());
    if (file.refused.isEmpty()) return result;
    QStringList all = file.refused + result.refused;
    std::sort(all.begin(), all.end(), [](const QString& a, const QString& b) {
        return a.section(QLatin1Char(':'), 0, 0).mid(4).toInt() <
               b.section(QLatin1Char(':'), 0, 0).mid(4).toInt();
    });
    return {all, 0};
}

QString exportHistoryCsv(db::Connection& connection, std::optional<int> actno) {
    QString out = QLatin1String(kTransferHeader) + QLatin1Char('\n');
    QHash<int, AccountRow> accounts;
    {
        QSqlQuery q = db::prepare(connection, db::sql::accountList);
        db::exec(q);
        while (q.next()) {
            const AccountRow a = accountRowOf(q);
            accounts.insert(a.ACTNO, a);
        }
    }
    QSqlQuery q = db::prepare(connection,
                              actno ? db::sql::accountLineItemsInOrder : db::sql::lineItemsByAccountInOrder);
    if (actno) q.bindValue(QStringLiteral(":Para1"), *actno);
    q.setForwardOnly(true);
    db::exec(q);
    QList<LineItemRow> items;
    const LineItemReader reader(q);
    while (q.next())
        items << reader.read(q);

    double price = 0; // the price of the account's line item before
    for (qsizetype n = 0; n < items.size(); ++n) {
        const LineItemRow& i = items[n];
        if (n == 0 || items[n - 1].ACTNO != i.ACTNO) price = 0;
        const QString type = i.TRANSTYPE.trimmed();
        double rowPrice = i.PRICE;
        if (type == QLatin1String("C")) {
            const bool last = n + 1 == items.size() || items[n + 1].ACTNO != i.ACTNO;
            rowPrice = last && accounts.contains(i.ACTNO) ? accounts[i.ACTNO].CURRENTPRICE : price;
        }
        if (type != QLatin1String("F") && rowPrice > 0) price = rowPrice;
        out += csvLine({QString::number(i.ACTNO), i.NAME.trimmed(), dateCell(i.TRANSDATE), type,
                        transferNumber(i.SHARES), transferNumber(rowPrice), transferNumber(i.COMMISSION),
                        transferNumber(i.FEE), transferNumber(i.DIVIDEND)});
    }
    return out;
}

QString exportAccountsCsv(db::Connection& connection, const Date& today) {
    QString out = QLatin1String(kTransferHeader) + QLatin1Char('\n');
    QSqlQuery q = db::prepare(connection, db::sql::accountList);
    db::exec(q);
    QList<AccountRow> accounts;
    while (q.next())
        accounts << accountRowOf(q);
    for (const AccountRow& a : accounts) {
        const std::optional<QString> last = lastTransactionDate(connection, a.ACTNO);
        out +=
            csvLine({QString::number(a.ACTNO), a.NAME.trimmed(), last ? dateCell(*last) : dateBoxText(today),
                     QStringLiteral("N"), transferNumber(a.TOTSHARES), transferNumber(a.CURRENTPRICE),
                     QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
    }
    return out;
}

} // namespace invest
