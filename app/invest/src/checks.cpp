#include "invest/checks.h"

#include "common/calendar.h"
#include "ui/convert.h"

#include <algorithm>

namespace invest {

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
bool isNameCharacter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == ' ' || u == '-' || u == '\'';
}

Notice plain(const char* text) {
    return {NoticeKind::Plain, QString::fromLatin1(text)};
}
Notice error(const char* text) {
    return {NoticeKind::Error, QString::fromLatin1(text)};
}

// The untouched initial text counts as no name: first character "A" and ninth "N".
bool namePresent(const QString& name) {
    if (name.isEmpty()) return false;
    return !(name.size() >= 9 && name[0] == QLatin1Char('A') && name[8] == QLatin1Char('N'));
}

// clang-format off
const char* const kBadDate =
    "Invalid Transaction Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, etc.\nThe CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter correctly.\n\nNOTE: A blank transaction date is acceptable.\nThis field will automatically be todays date if\nleft blank.";

struct AmountCheck {
    const QString PostingTexts::*text;
    double Trade::*value;
    const char* notNumeric;
    const char* tooLarge;
};

// The posting amounts in the order they are checked; each at most 999999999.99.
const AmountCheck kPostingAmounts[] = {
    {&PostingTexts::dividend, &Trade::dividend,
     "Invalid dividend entered!\nYou entered a non numeric value.\nPlease re-enter.",
     "Invalid dividend entered!\nAmount exceeds allowable value.\nPlease enter a dividend not greater\n than $999,999,999.99\n"},
    {&PostingTexts::fee, &Trade::fee,
     "Invalid Fee entered!\nYou entered a non numeric value.\nPlease re-enter.",
     "Invalid fee entered!\nAmount exceeds allowable value.\nPlease enter a price not greater\n than $999,999,999.99\n"},
    {&PostingTexts::commission, &Trade::commission,
     "Invalid commission entered!\nYou entered a non numeric value.\nPlease re-enter.",
     "Invalid commission entered!\nAmount exceeds allowable value.\nPlease enter a commission not\n greater than $999,999,999.99\n"},
    {&PostingTexts::price, &Trade::price,
     "Invalid price entered!\nYou entered a non numeric value.\nPlease re-enter.",
     "Invalid Price entered!\nAmount exceeds allowable value.\nPlease enter a price not greater\n than $999,999,999.99\n"},
    {&PostingTexts::shares, &Trade::shares,
     "Invalid Shares for this transaction entered!\nYou entered a non numeric value.\nPlease re-enter.",
     "Invalid Shares entered!\nAmount exceeds allowable value.\nPlease enter a share amount not\n greater than $999,999,999.99\n"},
};

const char* const kBothSharesAndPrice =
    "You failed to enter a required field. You must enter both the shares and price. Comissions and Fees are optional. Please correct!";
// clang-format on

// The message when a type's required inputs are missing, or nullptr.
const char* missingInput(PostingType type, const Trade& t) {
    const bool sharesAndPrice = t.shares > 0 && t.price > 0;
    // clang-format off
    switch (type) {
    case PostingType::Bought:
    case PostingType::Sold:
        return sharesAndPrice ? nullptr : kBothSharesAndPrice;
    case PostingType::CashDividend:
        return t.dividend > 0 ? nullptr : "You failed to enter a required field. You must enter the dividend to complete. this tranaction. Please correct!";
    case PostingType::DividendInShares:
        return sharesAndPrice ? nullptr : "You failed to enter a required field. You must enter the shares and price to complete this tranaction. Please correct!";
    case PostingType::FeeInCash:
        return t.fee > 0 ? nullptr : "You failed to enter a required field. You must enter the fee amount to post a fee in cash. Please correct!";
    case PostingType::UnitSharesFee:
        return sharesAndPrice ? nullptr : "You failed to enter a required field. You must enter both the shares and price to post a Unit Share Fee. Please correct!";
    }
    // clang-format on
    return nullptr;
}

} // namespace

QString transDate(const Date& d) {
    return QString::fromStdString(talvero::common::date_text(d));
}

QString dateBoxText(const Date& d) {
    return QString::asprintf("%02d%02d%d", d.month, d.day, d.year);
}

bool isNumericText(QStringView text, const QStringList& decimalPoints) {
    while (!text.isEmpty()) {
        const auto point = std::find_if(decimalPoints.begin(), decimalPoints.end(), [text](const QString& p) {
            return !p.isEmpty() && text.startsWith(p);
        });
        if (point != decimalPoints.end()) {
            text = text.mid(point->size());
        } else if (isDigit(text.front()) || isBlank(text.front())) {
            text = text.mid(1);
        } else {
            return false;
        }
    }
    return true;
}

QStringList decimalPoints() {
    QStringList points{ui::decimalSeparator()};
    double half = 0;
    if (points.front() != QLatin1String(".") && ui::tryFloat(QStringLiteral("0.5"), half))
        points << QStringLiteral(".");
    return points;
}

bool isValidDateText(QStringView text) {
    if (text.isEmpty()) return true;
    if (text.size() != 8 || !std::all_of(text.begin(), text.end(), isDigit)) return false;
    const int month = text.mid(0, 2).toInt();
    const int day = text.mid(2, 2).toInt();
    const int year = text.mid(4, 4).toInt();
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 && text[4] != QLatin1Char('0') && year <= 9998;
}

Date readDate(const QString& text, const Date& today) {
    if (text.isEmpty()) return today;
    Date date;
    date.month = ui::toInt(text.mid(0, 2));
    date.day = ui::toInt(text.mid(2, 2));
    date.year = ui::toInt(text.mid(4, 4));
    return date;
}

Notice badDateNotice() {
    return error(kBadDate);
}

std::optional<Notice> readNewAccount(const AccountTexts& t, const Date& today, NewAccount& a) {
    try {
        a.price = ui::toFloat(t.price);
        a.shares = ui::toFloat(t.shares);
        a.balance = ui::toFloat(t.balance);
    } catch (const ui::ConvertError& e) {
        return Notice{NoticeKind::Plain, e.message()};
    }
    try {
        a.date = readDate(t.date, today);
    } catch (const ui::ConvertError& e) {
        return Notice{NoticeKind::Plain, e.message()};
    }
    a.NAME = t.name;
    if (!std::all_of(t.number.begin(), t.number.end(), isDigit))
        return plain("Only numeric values are allowed for the account number. Please re-enter without "
                     "periods, dashes, etc.");
    try {
        a.ACTNO = ui::toInt(t.number);
    } catch (const ui::ConvertError& e) {
        return Notice{NoticeKind::Plain, e.message()};
    }
    a.blank = t.blank;
    if (a.blank) {
        if (a.ACTNO < 1 || !namePresent(a.NAME))
            return plain(
                "You must enter the Account Number and Name for accounts with no data. Please correct!");
    } else if (a.ACTNO < 1 || a.price <= 0 || a.balance <= 0 || a.shares <= 0 || !namePresent(a.NAME)) {
        return plain("You failed to enter a required field.  Please correct!");
    }
    return std::nullopt;
}

Notice duplicateAccountNotice() {
    return plain("Duplicate Account Number entered. Please correct!");
}

std::optional<Notice> checkNewAccount(const AccountTexts& t, const NewAccount& a) {
    // clang-format off
    const QString head = t.name.left(21);
    if (!std::all_of(head.begin(), head.end(), isNameCharacter))
        return error("Invalid Account Name entered!\nYou entered a non-alphabetic character.\nSpaces and hyphens are allowable.\nDo not exceed 20 characters.\nPlease re-enter.");
    if (t.name.size() > 20)
        return error("Account Name is too large!\nYou cannot exceed 20 characters.\nPlease re-enter.");
    if (!isNumericText(t.price, t.decimalPoints))
        return error("Invalid Price entered!\nYou entered a non numeric value.\nPlease re-enter.");
    if (a.price > 999999.99)
        return error("Invalid Price entered!\nAmount exceeds allowable value.\nPlease enter a price not greater than $999,999.99\n");
    if (!isNumericText(t.shares, t.decimalPoints))
        return error("Invalid Number of Shares entered!\nYou entered a non numeric value.\nPlease re-enter.");
    if (a.shares > 999999.999)
        return error("Invalid Number of Shares entered!\nAmount exceeds allowable value.\nPlease enter a quantity not greater than 999999.999\n");
    if (!isNumericText(t.balance, t.decimalPoints))
        return error("Invalid Balance entered!\nYou entered a non numeric value.\nPlease re-enter.");
    if (a.balance > 999999999.99)
        return error("Invalid Balance entered!\nAmount exceeds allowable value.\nPlease enter a balance not greater than $999,999,999.99\n");
    if (!isValidDateText(t.date)) return error(kBadDate);
    // clang-format on
    return std::nullopt;
}

std::optional<Notice> readPosting(const PostingTexts& t, const Date& today, PostingRequest& r) {
    try {
        r.ACTNO = ui::toInt(t.account);
    } catch (const ui::ConvertError& e) {
        return Notice{NoticeKind::Exception, e.message()};
    }
    r.type = postingTypeAt(t.typePosition);
    try {
        r.trade.price = ui::toFloat(t.price);
        r.trade.shares = ui::toFloat(t.shares);
        r.trade.commission = ui::toFloat(t.commission);
        r.date = readDate(t.date, today);
        r.trade.fee = ui::toFloat(t.fee);
        r.trade.dividend = ui::toFloat(t.dividend);
    } catch (const ui::ConvertError& e) {
        return Notice{NoticeKind::Plain, e.message()};
    }
    if (const char* missing = missingInput(r.type, r.trade)) return plain(missing);
    for (const AmountCheck& check : kPostingAmounts) {
        if (!isNumericText(t.*check.text, t.decimalPoints)) return error(check.notNumeric);
        if (r.trade.*check.value > 999999999.99) return error(check.tooLarge);
    }
    if (!isValidDateText(t.date)) return error(kBadDate);
    return std::nullopt;
}

} // namespace invest
