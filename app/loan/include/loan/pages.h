#pragma once
// The pages of a loan input form as one table each, and the reading of a page's texts into the
// form's data. A form builds its pages from its tables and hands the reading the texts its edits
// hold; nothing here needs a widget. The loan form's five pages are kPages; the balloon form has
// tables of its own over the same machinery.

#include "loan/checks.h"
#include "loan/loandata.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace loan {

// The pages in their order.
enum Page { CalcPayment, CalcApr, CalcNumPay, CalcPayout, CalcPayoff };

// The member a page entry fills and how its text is read. `Data` is the form's data: a loan block
// with the form's date texts, date parts and TODAYDATE beside it.
template <class Data> struct TargetFor {
    enum Kind {
        Number,     // text-to-float into `number`
        Integer,    // text-to-integer into `integer`
        Flag,       // the Interest Flag list's item index into `integer`
        Date,       // the text into `dateText`, its month, day and year into `dateParts` (blank: today)
        PayoffDate, // as Date, then today's date is taken again into TODAYDATE
    };
    Kind kind;
    double Data::*number = nullptr;
    int Data::*integer = nullptr;
    char (Data::*dateText)[11] = nullptr;
    int (Data::*dateParts)[3] = nullptr;
};

// One entry of a page, in the page's layout order. `Texts` holds the texts the checks look at.
template <class Data, class Texts> struct PageFieldFor {
    const char* label; // the label's caption
    const char* name;  // the control's name
    TargetFor<Data> target;
    const char* format; // printf format of the member at creation; null for dates (today) and the flag
    int readOrder;      // place in the page's reading, from 1
    std::optional<std::string> Texts::*checkText; // the character check reading this text, or null
    bool payoffGroup;                             // sits in the "Loan Payoff Data" group
    const char* resultFormat; // shows its member again after a successful calculation, or null
};

template <class Data, class Texts> struct PageTableFor {
    const char* caption;
    const char* heading;
    const char* sheetName;
    std::span<const PageFieldFor<Data, Texts>> fields;
    void (*beforeReading)(Data&);
    // The page's own rules once its texts are read: the message of the first that fails, or null.
    const char* (*afterReading)(Data&, const bool checkMarks[3]);
};

using Target = TargetFor<LoanData>;
using PageField = PageFieldFor<LoanData, CheckTexts>;
using PageTable = PageTableFor<LoanData, CheckTexts>;

extern const PageTable kPages[5];

// What the form hands the reading: the texts of the page's edits by control name, the item index
// of its Interest Flag list, the Calc APR page's check marks, today's date and what the program's
// conversion takes as the decimal point.
struct PageInput {
    std::map<std::string, std::string> texts;
    int flag = 0;
    bool checkMarks[3] = {};
    int today[3] = {};
    std::vector<std::string> decimalPoints{"."};
};

// The program's text-to-number conversion, passed in so this library needs no widgets: each gives
// the value, or nullopt with the conversion's own message in `message`.
struct Conversion {
    std::function<std::optional<double>(const std::string& text, std::string& message)> toFloat;
    std::function<std::optional<int>(const std::string& text, std::string& message)> toInt;
};

// The text of the control `name` in `input`; empty when the page has no such control.
const std::string& pageText(const PageInput& input, const char* name);

// Reads the fields of `table` into `data` in the page's reading order and applies its rules. Returns
// the message to show (a plain message) for the first text that does not convert or the first rule
// that fails; the members read before it keep their new values.
template <class Data, class Texts>
std::optional<std::string> readFields(const PageTableFor<Data, Texts>& table, const PageInput& input,
                                      const Conversion& conversion, Data& d) {
    using T = TargetFor<Data>;
    std::vector<const PageFieldFor<Data, Texts>*> order;
    for (const auto& f : table.fields)
        order.push_back(&f);
    std::sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->readOrder < b->readOrder; });

    table.beforeReading(d);
    std::string message;
    for (const auto* f : order) {
        const T& t = f->target;
        const std::string& text = pageText(input, f->name);
        switch (t.kind) {
        case T::Number:
            if (const auto v = conversion.toFloat(text, message))
                d.*t.number = *v;
            else
                return message;
            break;
        case T::Integer:
            if (const auto v = conversion.toInt(text, message))
                d.*t.integer = *v;
            else
                return message;
            break;
        case T::Flag:
            d.*t.integer = input.flag;
            break;
        case T::Date:
        case T::PayoffDate:
            storeDateText(text, d.*t.dateText);
            if (text.empty())
                std::copy(d.TODAYDATE, d.TODAYDATE + 3, d.*t.dateParts);
            else
                readDateParts(text, d.*t.dateParts);
            if (t.kind == T::PayoffDate) std::copy(input.today, input.today + 3, d.TODAYDATE);
            break;
        }
    }
    if (const char* failed = table.afterReading(d, input.checkMarks)) return std::string(failed);
    return std::nullopt;
}

// The texts the checks look at: the page's from `input`, the dialogs' from `dialogs`.
template <class Texts, class Data>
Texts textsFor(const PageTableFor<Data, Texts>& table, const PageInput& input, const DialogTexts& dialogs) {
    Texts t;
    static_cast<DialogTexts&>(t) = dialogs;
    t.decimalPoints = input.decimalPoints;
    for (const auto& f : table.fields)
        if (f.checkText) t.*f.checkText = pageText(input, f.name);
    return t;
}

// Reads `page` into `data` in the page's reading order and applies its rules. Returns the message to
// show (a plain message) for the first text that does not convert or the first rule that fails;
// the members read before it keep their new values.
std::optional<std::string> readPage(Page page, const PageInput& input, const Conversion& conversion,
                                    LoanData& data);

// The texts the checks look at: the page's from `input`, the dialogs' from `dialogs`, and the
// decimal points from `input`.
CheckTexts checkTexts(Page page, const PageInput& input, const DialogTexts& dialogs);

} // namespace loan
