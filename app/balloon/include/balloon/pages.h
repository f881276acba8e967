#pragma once
// The three pages of the balloon loan form as tables over the loan forms' page machinery, their
// reading into the balloon data, and the balloon form's checks. Nothing here needs a widget.

#include "balloon/balloondata.h"
#include "loan/checks.h"
#include "loan/pages.h"

#include <optional>
#include <string>

namespace balloon {

// The pages in their order: "Calc Payment", "Calc APR", "Calc Payout".
enum Page { CalcPayment, CalcApr, CalcPayout };

// The texts the checks look at: the loan form's, and the page's balloon term box.
struct CheckTexts : loan::CheckTexts {
    std::optional<std::string> balloonTerm;
};

using PageField = loan::PageFieldFor<BalloonData, CheckTexts>;
using PageTable = loan::PageTableFor<BalloonData, CheckTexts>;

extern const PageTable kPages[3];

// Reads `page` into `data`; the message to show (a plain message) for the first text that does not
// convert or the first of the page's rules that fails.
std::optional<std::string> readPage(Page page, const loan::PageInput& input,
                                    const loan::Conversion& conversion, BalloonData& data);

// The texts the checks look at: the page's from `input`, the dialogs' from `dialogs`.
CheckTexts checkTexts(Page page, const loan::PageInput& input, const loan::DialogTexts& dialogs);

// The balloon form's checks in their order. Sets DOWNAMT, FEEAMT and FINANCEAMT on the way and
// ODDDAYS when everything passes. Returns the message of the first failing check, or nullptr.
const char* checkBalloonInputs(BalloonData& data, const CheckTexts& texts);

} // namespace balloon
