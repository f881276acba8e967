#include "disclosure/disclosure.h"

#include "aprcheck/aprcheck.h"
#include "common/today.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace talvero::disclosure {

namespace {

double cents(double amount) {
    return std::round(amount * 100.0) / 100.0;
}

bool month_frequency(double f, int& months) {
    if (f != std::floor(f) || f < 1 || f > 12 || 12 % static_cast<int>(f) != 0) return false;
    months = 12 / static_cast<int>(f);
    return true;
}

} // namespace

std::string money(double amount) {
    const long long c = std::llround(std::fabs(amount) * 100.0);
    std::string whole = std::to_string(c / 100);
    for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3)
        whole.insert(static_cast<std::size_t>(at), ",");
    char frac[4];
    std::snprintf(frac, sizeof frac, "%02lld", c % 100);
    return (amount < 0 && c != 0 ? "-$" : "$") + whole + "." + frac;
}

std::string fixed(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double v = std::round(value * scale) / scale;
    if (v == 0) v = 0; // no "-0.00"
    char text[64];
    const auto r = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals);
    return std::string(text, r.ptr);
}

std::string percent(double rate) {
    return fixed(rate, 2) + "%";
}

std::string frequency_word(double f) {
    int months = 0;
    if (month_frequency(f, months)) {
        switch (months) {
        case 1:
            return "Monthly";
        case 3:
            return "Quarterly";
        case 6:
            return "Semiannually";
        case 12:
            return "Yearly";
        default:
            return "Every " + std::to_string(months) + " months";
        }
    }
    if (f == 24) return "Semimonthly";
    if (f == 52) return "Weekly";
    if (f == 26 || f == 13) return "Every " + std::to_string(52 / static_cast<int>(f)) + " weeks";
    // The due dates step 365 / FREQUENCY whole days (aprcheck/duedates.h).
    const long step = f > 0 ? std::max(1L, static_cast<long>(365.0 / f)) : 1;
    return "Every " + std::to_string(step) + " days";
}

std::string prepayment_default(int intmethod) {
    if (intmethod == 6 || intmethod == 7)
        return "If you pay off early, you will not have to pay a penalty, and you will be entitled to a "
               "refund "
               "of part of the finance charge (figured by the rule of 78's).";
    return "If you pay off early, you will not have to pay a penalty.";
}

std::vector<Run> payment_runs(const std::vector<aprcheck::Payment>& payments, double frequency,
                              bool last_is_balloon) {
    std::vector<Run> runs;
    const std::size_t n = payments.size();
    for (std::size_t k = 0; k < n; ++k) {
        const double amount = cents(payments[k].amount);
        // A balloon payment is more than twice a regular one (section 1026.18(s)(5)(i)).
        const bool balloon =
            last_is_balloon && k + 1 == n && n > 1 && amount > 2 * cents(payments[k - 1].amount);
        if (!runs.empty() && !runs.back().balloon && !balloon && runs.back().amount == amount) {
            ++runs.back().count;
            continue;
        }
        runs.push_back({1, amount, payments[k].date, balloon, {}});
    }
    for (Run& r : runs)
        r.when = r.count > 1 ? frequency_word(frequency) + " beginning " + common::date_text(r.first)
                             : common::date_text(r.first);
    return runs;
}

Disclosure disclose(const common::LoanBlock& b, int errflag, double schedpay,
                    const schedule::Variant& variant, std::optional<Date> today, const Inputs& in) {
    Disclosure d;
    d.creditor = in.creditor;
    d.creditor_address = in.creditor_address;
    d.borrower = in.borrower;
    d.date = in.date.value_or(today.value_or(common::today()));
    if (errflag == 1) {
        d.error = "The loan was refused by the calculation; compute a loan before its disclosure.";
        return d;
    }
    d.check = aprcheck::check_loan(b, schedpay, variant, today);
    if (!d.check.usable) {
        d.error = "The disclosure cannot state this loan: " + d.check.error + ".";
        return d;
    }
    // The borrower pays cents: the disclosed stream is the check's with each payment rounded, the
    // last taking up what the rounding moved, so the totals stay the loan's to the cent.
    aprcheck::Stream paid = d.check.stream;
    double exact = 0, total = 0;
    for (std::size_t k = 0; k < paid.payments.size(); ++k) {
        aprcheck::Payment& p = paid.payments[k];
        exact += p.amount;
        p.amount = k + 1 < paid.payments.size() ? cents(p.amount) : cents(exact - total);
        total += p.amount;
    }
    const aprcheck::Solution rate = aprcheck::actuarial_apr(paid, d.check.unit);
    if (!rate.solved) {
        d.error = "The disclosure cannot state this loan: " + rate.error + ".";
        return d;
    }
    if (total < paid.advance || rate.apr < 0) {
        d.error = "The disclosure cannot state this loan: its payments add up to less than the Amount "
                  "Financed of " +
                  money(paid.advance) + ".";
        return d;
    }
    d.amount_financed = cents(paid.advance);
    d.total_of_payments = cents(total);
    d.finance_charge = cents(d.total_of_payments - d.amount_financed);
    d.apr = std::round(rate.apr * 100.0) / 100.0;
    d.estimated = b.FIRSTDUE[0] == '\0' || !(b.LOANDATE[0] >= 1 && b.LOANDATE[0] <= 12);

    d.balloon = variant.balloon;
    d.schedule = payment_runs(paid.payments, b.FREQUENCY, variant.balloon);

    // The premiums and the escrow of the same schedule.
    schedule::Pass pass(b, schedpay, variant, today);
    bool first = true;
    for (schedule::Row row; pass.next(row);) {
        if (row.kind != schedule::RowKind::Payment) continue;
        const schedule::Amounts& a = row.amounts;
        d.life_premium += a.LFINS;
        d.disability_premium += a.DSINS;
        if (first) d.escrow_per_payment = cents(a.TAXES + a.HOINS + a.OTINS);
        first = false;
    }
    d.life_premium = cents(d.life_premium);
    d.disability_premium = cents(d.disability_premium);

    d.prepaid_finance_charge = cents(b.FEEAMT);
    d.amount_requested = cents(b.ORGAMT);
    d.down_payment = cents(b.DOWNAMT);
    d.itemize = in.itemize;
    d.paid_on_account = cents(in.paid_on_account);
    double others = 0;
    for (const OtherPayee& p : in.paid_to_others) {
        if (p.amount < 0) {
            d.error = "An amount paid to others on the borrower's behalf is below 0.";
            return d;
        }
        if (p.amount == 0 && p.name.empty()) continue;
        d.paid_to_others.push_back({p.name, cents(p.amount)});
        others += cents(p.amount);
    }
    if (d.paid_on_account < 0) {
        d.error = "The amount paid on the borrower's account is below 0.";
        return d;
    }
    d.given_directly = cents(d.amount_financed - d.paid_on_account - others);
    if (d.given_directly < 0) {
        d.error = "The amounts paid on the account and to others exceed the Amount Financed of " +
                  money(d.amount_financed) + ".";
        return d;
    }

    d.statements = in.statements;
    if (d.statements.prepayment.empty()) d.statements.prepayment = prepayment_default(b.INTMETHOD);
    d.examiner_page = !d.check.verdict.within;
    d.usable = true;
    return d;
}

} // namespace talvero::disclosure
