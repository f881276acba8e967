#pragma once
// Reading and checking what the user typed on the add and posting forms, in the forms' order. Each
// step returns the notice of the first failing check, or nothing when the texts pass.

#include "common/calendar.h"
#include "invest/accounting.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace invest {

// How a notice reaches the user: a plain message box, an error box ("Error", stop icon), or the
// application's exception display (conversion of a pick list entry, floating-point faults).
enum class NoticeKind { Plain, Error, Exception };

struct Notice {
    NoticeKind kind;
    QString text;
    friend bool operator==(const Notice&, const Notice&) = default;
};

using Date = talvero::common::Date;

// TRANSDATE of a date: "%02d%s%02d%s%d" with "/" as both separators (03/01/2004).
QString transDate(const Date& date);
// The date box: "%02d%02d%d" (03012004).
QString dateBoxText(const Date& date);

// Only digits, decimal points and blanks (an empty text passes). `decimalPoints` lists what the
// program's conversion takes as the decimal point: "." alone, or the user's separator.
bool isNumericText(QStringView text, const QStringList& decimalPoints = {QStringLiteral(".")});
// The decimal points ui::toFloat reads: the user's separator, and '.' where it is read too.
QStringList decimalPoints();
// Empty, or MMDDCCYY: 8 digits, month 01-12, day 01-31, first year digit not 0, year at most
// 9998. The month's length plays no part (02312004 passes).
bool isValidDateText(QStringView text);
// A typed date: characters 1-2, 3-4 and 5-8 as month, day and year, each converted as a whole
// number (ui::ConvertError when one is not); an empty text is `today`.
Date readDate(const QString& text, const Date& today);
// The error box of a date text isValidDateText refuses.
Notice badDateNotice();

// The texts of the add form.
struct AccountTexts {
    QString number;  // Edit1
    QString name;    // Edit2
    QString price;   // Edit3
    QString shares;  // Edit4
    QString balance; // Edit5
    QString date;    // Edit6
    bool blank = false;
    // The decimal points as isNumericText takes them.
    QStringList decimalPoints{QStringLiteral(".")};
};

// A new account as read from those texts.
struct NewAccount {
    int ACTNO = 0;
    QString NAME;
    double price = 0, shares = 0, balance = 0;
    Date date;
    bool blank = false;
};

// Steps 1 to 6 of "Add": conversions, the date, the account number's digits and the required
// fields. Fills `account` as far as it got.
std::optional<Notice> readNewAccount(const AccountTexts& texts, const Date& today, NewAccount& account);
// The duplicate account number notice (step 7).
Notice duplicateAccountNotice();
// Steps 8 to 13: the name's characters and length, the amounts' characters and limits, the date.
std::optional<Notice> checkNewAccount(const AccountTexts& texts, const NewAccount& account);

// The texts of the posting form.
struct PostingTexts {
    QString account;      // the pick list's selected entry, empty with none
    int typePosition = 0; // ComboBox1
    QString date;         // Edit1
    QString shares;       // Edit2
    QString price;        // Edit3
    QString commission;   // Edit4
    QString fee;          // Edit5
    QString dividend;     // Edit6
    // The decimal points as isNumericText takes them.
    QStringList decimalPoints{QStringLiteral(".")};
};

struct PostingRequest {
    int ACTNO = 0;
    PostingType type = PostingType::Bought;
    Trade trade;
    Date date;
};

// Everything "Post" checks before it reads the account: the pick list entry, the conversions,
// the required inputs of the type, the amounts' characters and limits, the date.
std::optional<Notice> readPosting(const PostingTexts& texts, const Date& today, PostingRequest& request);

} // namespace invest
