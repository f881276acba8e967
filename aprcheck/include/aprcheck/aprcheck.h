// The actuarial annual percentage rate of Regulation Z, Appendix J, for one advance and a stream of
// payments, and the verdict on a disclosed rate.
//
//   Stream s{advance_date, amount_financed, {{date, amount}, ...}};
//   UnitPeriod up = unit_period_of(s);          // (b)(4): the most frequent common period
//   Solution sol = actuarial_apr(s, up);         // (b)(8), solved to 1e-10 in the annual rate
//   Verdict v = verdict(s, sol, disclosed_apr, disclosed_finance_charge);
//
// Rates are in percent (9.69 means 9.69 %). Dates are calendar dates; a day beyond its month's end
// (02/31, as some schedules print it) counts as the month's last day, day 0 as the last day of the
// month before.
#pragma once

#include "common/calendar.h"

#include <string>
#include <vector>

namespace talvero::aprcheck {

using common::Date;

struct Payment {
    Date date;
    double amount = 0;
};

// One advance on `advance_date` and the payments in date order.
struct Stream {
    Date advance_date;
    double advance = 0;
    std::vector<Payment> payments;
};

// A standard interval of time, or a whole number of days where no standard interval fits.
struct UnitPeriod {
    enum class Kind { Month, SemiMonth, Week, Day, Year };
    Kind kind = Kind::Month;
    int count = 1; // months (1 to 11), weeks, or days per unit-period; 1 for a semimonth or a year
    // Unit-periods per year; a single-payment term shorter than a year sets its own.
    double per_year = 12;

    friend bool operator==(const UnitPeriod&, const UnitPeriod&) = default;
};

UnitPeriod months(int n);
UnitPeriod semimonth();
UnitPeriod weeks(int n);
UnitPeriod days(int n);
UnitPeriod year();
// "month", "3 months", "semimonth", "week", "2 weeks", "year", "36 days".
std::string describe(const UnitPeriod& unit);

// Full unit-periods t and the fraction f of one from `from` to the later date `to`, by (b)(5).
struct Time {
    long t = 0;
    double f = 0;
};
Time unit_periods_between(const Date& from, const Date& to, const UnitPeriod& unit);

// The unit-period of a stream by (b)(4): the period between payments (and from the advance to the
// first payment) that occurs most often, the smaller one on a tie; with no common period, the
// average period rounded to the nearest standard interval; for a single payment, the term itself.
UnitPeriod unit_period_of(const Stream& stream);

struct Solution {
    bool solved = false;
    double apr = 0;      // percent per year
    double periodic = 0; // rate per unit-period, a fraction
    int iterations = 0;  // Newton and bisection steps
    std::string error;   // why there is no rate, when not solved
};

// Solves A = sum P_k / ((1 + f_k i)(1 + i)^t_k) for i by bracketing and safeguarded Newton steps,
// to 1e-10 or better in the annual rate. Needs a positive advance, at least one payment and no
// payment dated before the advance; a negative amount (a refund) is taken as it is.
Solution actuarial_apr(const Stream& stream, const UnitPeriod& unit);
Solution actuarial_apr(const Stream& stream);

// An irregular transaction (section 1026.22(a)(3)): a payment period other than the unit-period after
// the first payment, or a payment amount that differs from the others, the first and the last
// payment excepted. Amounts within half a cent count as equal.
bool irregular(const Stream& stream, const UnitPeriod& unit);

inline constexpr double kRegularTolerance = 0.125;  // percentage points
inline constexpr double kIrregularTolerance = 0.25; // percentage points

struct Verdict {
    bool irregular = false;
    double tolerance = kRegularTolerance;
    double disclosed = 0;  // the disclosed APR
    double actuarial = 0;  // the Appendix J APR
    double difference = 0; // disclosed - actuarial
    bool within = false;   // |difference| not above the tolerance
    // The finance charge: total of payments less the advance, beside the disclosed figure; accurate
    // within $5 when the advance is $1,000 or less, else within $10 (section 1026.18(d)(2)).
    double finance_charge = 0;
    double disclosed_finance_charge = 0;
    double finance_charge_difference = 0; // disclosed - computed
    double finance_charge_tolerance = 10;
    bool finance_charge_within = false;
};

Verdict verdict(const Stream& stream, const UnitPeriod& unit, const Solution& solution, double disclosed_apr,
                double disclosed_finance_charge);

} // namespace talvero::aprcheck
