// The balloon schedule by calendar year: the rows of the balloon term laid out as the calendar-year
// printout, under the balloon header.
#pragma once

#include "vellum1/layout.h"

namespace talvero::vellum2 {

struct Values : vellum1::Values {
    double BLPAY = 0; // balloon term, payments
};

class BalloonLayout : public vellum1::CalendarLayout {
public:
    explicit BalloonLayout(const Values& values) : CalendarLayout(values), BLPAY_(values.BLPAY) {}
    schedule::Pass pass() const override;
    printers::Lines pageHeader(bool closingPage) const override;

private:
    double BLPAY_;
};

} // namespace talvero::vellum2
