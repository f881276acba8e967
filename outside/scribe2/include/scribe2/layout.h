// The balloon schedule by loan year: Scribe1's printout over the BLPAY rows of the balloon schedule,
// under its own title and with the balloon term in the header.
#pragma once

#include "scribe1/layout.h"

namespace talvero::scribe2 {

struct Values : scribe1::Values {
    double BLPAY = 0;
};

class BalloonLoanYearLayout : public scribe1::LoanYearLayout {
public:
    explicit BalloonLoanYearLayout(const Values& values) : LoanYearLayout(values), BLPAY_(values.BLPAY) {}
    const char* title() const override { return "Balloon Amortization"; }
    schedule::Pass pass() const override;
    printers::Lines pageHeader(bool closingPage) const override;

protected:
    std::string titleLine() const override;

private:
    double BLPAY_;
};

} // namespace talvero::scribe2
