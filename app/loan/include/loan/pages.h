#pragma once
// The five pages of the loan form as one table, and the reading of a page's texts into the loan
// data. The form builds its pages from the table and hands the reading the texts its edits hold;
// nothing here needs a widget.

#include "loan/checks.h"
#include "loan/loandata.h"

#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace loan {

// The pages in their order.
enum Page { CalcPayment, CalcApr, CalcNumPay, CalcPayout, CalcPayoff };

// The member a page entry fills and how its text is read.
struct Target {
    enum Kind {
        Number,     // text-to-float into `number`
        Integer,    // text-to-integer into `integer`
        Flag,       // the Interest Flag list's item index into `integer`
        Date,       // the text into `dateText`, its month, day and year into `dateParts` (blank: today)
        PayoffDate, // as Date, then today's date is taken again into TODAYDATE
    };
    Kind kind;
    double LoanData::*number = nullptr;
    int LoanData::*integer = nullptr;
    char (LoanData::*dateText)[11] = nullptr;
    int (LoanData::*dateParts)[3] = nullptr;
};

// One entry of a page, in the page's layout order.
struct PageField {
    const char* label; // the label's caption
    const char* name;  // the control's name
    Target target;
    const char* format; // printf format of the member at creation; null for dates (today) and the flag
    int readOrder;      // place in the page's reading, from 1
    std::optional<std::string> CheckTexts::*checkText; // the character check reading this text, or null
    bool payoffGroup;                                  // sits in the "Loan Payoff Data" group
    const char* resultFormat; // shows its member again after a regular calculation, or null
};

struct PageTable {
    const char* caption;
    const char* heading;
    const char* sheetName;
    std::span<const PageField> fields;
    void (*beforeReading)(LoanData&);
    // The page's own rules once its texts are read: the message of the first that fails, or null.
    const char* (*afterReading)(LoanData&, const bool checkMarks[3]);
};

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

// Reads `page` into `data` in the page's reading order and applies its rules. Returns the message to
// show (a plain message) for the first text that does not convert or the first rule that fails;
// the members read before it keep their new values.
std::optional<std::string> readPage(Page page, const PageInput& input, const Conversion& conversion,
                                    LoanData& data);

// The texts the checks look at: the page's from `input`, the dialogs' from `dialogs`, and the
// decimal points from `input`.
CheckTexts checkTexts(Page page, const PageInput& input, const DialogTexts& dialogs);

} // namespace loan
