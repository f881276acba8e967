#include "common/loan_amounts.h"

namespace talvero::common {

double down_payment_total(double ORGAMT, double DOWNPAYPCT, double DOWNPAYAMT) noexcept {
    return ORGAMT * DOWNPAYPCT / 100 + DOWNPAYAMT;
}

double fee_total(double ORGAMT, double FEEPCT, double FEEPAYAMT) noexcept {
    return ORGAMT * FEEPCT / 100 + FEEPAYAMT;
}

double amount_financed(double ORGAMT, double FEEAMT, double DOWNAMT) noexcept {
    return ORGAMT + FEEAMT - DOWNAMT;
}

InsuranceBases insurance_bases(double FINANCEAMT, double DSRATE, double DSFREQ, double DSYEARS, double LFRATE,
                               double LFFREQ, double LFYEARS) noexcept {
    return {FINANCEAMT * DSRATE, FINANCEAMT * LFRATE, DSFREQ * DSYEARS, LFFREQ * LFYEARS};
}

int odd_days(const Date& loan_date, const Date& first_due) noexcept {
    return day_of_year(first_due) - day_of_year(loan_date) + 365 * (first_due.year - loan_date.year);
}

void set_insurance_bases(LoanBlock& b) noexcept {
    const InsuranceBases bases =
        insurance_bases(b.FINANCEAMT, b.DSRATE, b.DSFREQ, b.DSYEARS, b.LFRATE, b.LFFREQ, b.LFYEARS);
    b.DSPREM = bases.DSPREM;
    b.LFPREM = bases.LFPREM;
    b.DSNUMPAY = bases.DSNUMPAY;
    b.LFNUMPAY = bases.LFNUMPAY;
}

DerivedAmounts derive_amounts(const LoanFactors& loan) noexcept {
    DerivedAmounts out;
    out.DOWNAMT = down_payment_total(loan.ORGAMT, loan.DOWNPAYPCT, loan.DOWNPAYAMT);
    out.FEEAMT = fee_total(loan.ORGAMT, loan.FEEPCT, loan.FEEPAYAMT);
    out.FINANCEAMT = amount_financed(loan.ORGAMT, out.FEEAMT, out.DOWNAMT);
    out.insurance = insurance_bases(out.FINANCEAMT, loan.DSRATE, loan.DSFREQ, loan.DSYEARS, loan.LFRATE,
                                    loan.LFFREQ, loan.LFYEARS);
    out.ODDDAYS = odd_days(loan.LOANDATE, loan.FIRSTDUE);
    return out;
}

} // namespace talvero::common
