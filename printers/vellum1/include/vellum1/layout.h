// The calendar-year printout: dated rows, a subtotal block after the last payment of each calendar
// year and a closing block with the last year and the grand totals. Vellum1 prints the regular
// schedule with it; Vellum2 derives for balloon loans.
#pragma once

#include "common/loanblock.h"
#include "printers/frame.h"

namespace talvero::vellum1 {

struct Values {
    common::LoanBlock block; // FIRSTDUE holds the 10 characters received
    double SCHEDPAY = 0;
};

class CalendarLayout : public printers::Layout {
public:
    explicit CalendarLayout(const Values& values) : v_(values) {}
    const char* title() const override { return "Calendar Amortization"; }
    int helpContext() const override { return 225; }
    schedule::Pass pass() const override;
    printers::Lines pageHeader(bool closingPage) const override;
    std::string paymentRow(const schedule::Row& row) const override;
    printers::Lines subtotalBlock(const schedule::Row& subtotal) const override;
    printers::Lines closingBlock(const schedule::Row& subtotal, const schedule::Row& grand,
                                 bool onNewPage) const override;
    int closingMargin() const override { return 7; }
    bool subtotalBeforeNextRow() const override { return false; }

protected:
    const Values& values() const { return v_; }
    // Header lines 5 and 6 and the column heading with its dashes, which Vellum2 shares.
    std::string frequencyLine() const;
    std::string originationLine() const;
    static const char* columnHeading();
    static const char* dashLine();

private:
    Values v_;
};

} // namespace talvero::vellum1
