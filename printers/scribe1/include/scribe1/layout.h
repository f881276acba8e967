// The loan-year printout: numbered rows, a subtotal block after every FREQUENCY payments and a
// closing block with the last year and the grand totals. Scribe1 prints the regular schedule with
// it; a balloon printout derives and changes the pass and the header.
#pragma once

#include "common/loanblock.h"
#include "printers/frame.h"

namespace talvero::scribe1 {

// The values the library copies from its caller.
struct Values {
    common::LoanBlock block; // FIRSTDUE holds the 10 characters received
    double SCHEDPAY = 0;
};

class LoanYearLayout : public printers::Layout {
public:
    explicit LoanYearLayout(const Values& values) : v_(values) {}
    const char* title() const override { return "Regular Amortization"; }
    int helpContext() const override { return 216; }
    schedule::Pass pass() const override;
    printers::Lines pageHeader(bool closingPage) const override;
    std::string paymentRow(const schedule::Row& row) const override;
    printers::Lines subtotalBlock(const schedule::Row& subtotal) const override;
    printers::Lines closingBlock(const schedule::Row& subtotal, const schedule::Row& grand,
                                 bool onNewPage) const override;
    int closingMargin() const override { return 8; }
    bool subtotalBeforeNextRow() const override { return true; }

protected:
    // Header lines 2 and 4 (the title and the amount line); the rest is shared.
    virtual std::string titleLine() const;
    virtual std::string amountLine(bool closingPage) const;
    const Values& values() const { return v_; }

private:
    Values v_;
};

} // namespace talvero::scribe1
