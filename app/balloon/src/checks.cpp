#include "balloon/pages.h"

#include "loan/checkmessages.h"

#include "common/loan_amounts.h"

#include <algorithm>

namespace balloon {

using namespace loan::checkmessages;
using loan::isNumericText;

namespace {

// A box the active page does not have counts as empty text, which passes.
bool numeric(const std::optional<std::string>& text, const CheckTexts& t) {
    return !text || isNumericText(*text, t.decimalPoints);
}

bool digitsOrBlanks(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == ' ' || c == '\t'; });
}

// clang-format off
const char* const kBalloonTermNonNumeric = "Invalid Payments for Balloon Term entered!\nYou entered a non numeric value.\nPlease re-enter.";
const char* const kBalloonTermTooLong = "Invalid Balloon Term entered!\nPlease enter a value for the balloon term\nthat will not exceed the amortize years\nentered for this loan.";
const char* const kDsYearsBeyondTerm = "Invalid Disability Insurance Years entered!\nYear and frequency exceed allowable value.\nPlease enter a value for the years and\nfrequency, that when multiplied together\nwill not exceed the number of payments\nentered for the balloon term.";
const char* const kLfYearsBeyondTerm = "Invalid Life Insurance Years entered!\nYear and frequency exceed allowable value.\nPlease enter a value for the years and\nfrequency, that when multiplied together\nwill not exceed the number of payments\nentered for the balloon term.";
// clang-format on

// Disability or life: the rate, frequency and years go together.
const char* insuranceSet(double rate, double freq, double years, const char* freqWithoutRate,
                         const char* yearsWithoutRate, const char* rateWithoutYears) {
    if (freq > 0 && rate == 0) return freqWithoutRate;
    if (years > 0 && rate == 0) return yearsWithoutRate;
    if (rate > 0 && (years == 0 || freq == 0)) return rateWithoutYears;
    return nullptr;
}

} // namespace

const char* checkBalloonInputs(BalloonData& d, const CheckTexts& t) {
    if (!numeric(t.loanAmount, t)) return kLoanAmountNonNumeric;
    if (d.ORGAMT <= 0) return kLoanAmountNotPositive;
    if (d.ORGAMT > 999999.99) return kLoanAmountTooLarge;
    if (!isNumericText(t.downAmount, t.decimalPoints)) return kDownAmountNonNumeric;
    if (d.DOWNPAYAMT > 99999.99) return kDownAmountTooLarge;
    if (!isNumericText(t.downPct, t.decimalPoints)) return kDownPctNonNumeric;
    if (d.DOWNPAYPCT > 49.99) return kDownPctTooLarge;
    d.DOWNAMT = talvero::common::down_payment_total(d.ORGAMT, d.DOWNPAYPCT, d.DOWNPAYAMT);
    if (d.DOWNAMT > d.ORGAMT * 0.5) return kDownTotalTooLarge;
    if (!isNumericText(t.feeAmount, t.decimalPoints)) return kFeeAmountNonNumeric;
    if (d.FEEPAYAMT > 99999.99) return kFeeAmountTooLarge;
    if (!isNumericText(t.feePct, t.decimalPoints)) return kFeePctNonNumeric;
    if (d.FEEPCT > 49.99) return kFeePctTooLarge;
    d.FEEAMT = talvero::common::fee_total(d.ORGAMT, d.FEEPCT, d.FEEPAYAMT);
    if (d.FEEAMT > d.ORGAMT * 0.5) return kFeeTotalTooLarge;
    d.FINANCEAMT = talvero::common::amount_financed(d.ORGAMT, d.FEEAMT, d.DOWNAMT);
    if (d.FINANCEAMT > 1000000) return kFinancedTooLarge;
    if (!numeric(t.apr, t)) return kAprNonNumeric;
    if (d.APR > 49.99) return kAprTooLarge;
    if (!numeric(t.financeCharge, t)) return kFinanceChargeNonNumeric;
    if (d.TOTALINTEREST > 999999.99) return kFinanceChargeTooLarge;
    if (!numeric(t.numPay, t)) return kNumPayNonNumeric;
    if (d.NUMPAY > 99999) return kNumPayTooLarge;
    if (!numeric(t.payment, t)) return kPaymentNonNumeric;
    if (d.PAYMENT > 999999.99) return kPaymentTooLarge;
    if (d.PAYMENT >= d.FINANCEAMT && d.NUMPAY != 1) return kPaymentNotBelowFinanced;
    if (!isNumericText(t.dsRate, t.decimalPoints)) return kDsRateNonNumeric;
    if (d.DSRATE >= 1) return kDsRateTooLarge;
    if (!isNumericText(t.dsFreq, t.decimalPoints)) return kDsFreqNonNumeric;
    if (d.DSFREQ > 52) return kDsFreqTooLarge;
    if (!isNumericText(t.dsYears, t.decimalPoints)) return kDsYearsNonNumeric;
    if (const char* m = insuranceSet(d.DSRATE, d.DSFREQ, d.DSYEARS, kDsFreqWithoutRate, kDsYearsWithoutRate,
                                     kDsRateWithoutYears))
        return m;
    if (!isNumericText(t.lfRate, t.decimalPoints)) return kLfRateNonNumeric;
    if (d.LFRATE >= 1) return kLfRateTooLarge;
    if (!isNumericText(t.lfFreq, t.decimalPoints)) return kLfFreqNonNumeric;
    if (d.LFFREQ > 52) return kLfFreqTooLarge;
    if (!isNumericText(t.lfYears, t.decimalPoints)) return kLfYearsNonNumeric;
    if (const char* m = insuranceSet(d.LFRATE, d.LFFREQ, d.LFYEARS, kLfFreqWithoutRate, kLfYearsWithoutRate,
                                     kLfRateWithoutYears))
        return m;
    if (!isNumericText(t.taxes, t.decimalPoints)) return kTaxesNonNumeric;
    if (d.TAXES > 99999.99) return kTaxesTooLarge;
    if (!isNumericText(t.hoIns, t.decimalPoints)) return kHoInsNonNumeric;
    if (d.HOINS > 9999.99) return kHoInsTooLarge;
    if (!isNumericText(t.otIns, t.decimalPoints)) return kOtInsNonNumeric;
    if (d.OTINS > 9999.99) return kOtInsTooLarge;
    const std::string skip = t.skipMonths.value_or("");
    if (skip.size() > 3 || !digitsOrBlanks(skip)) return kSkipMonthsNotDigits;
    if (d.SKPMONTH > d.NUMPAY) return kSkipMonthsTooLarge;
    if (!numeric(t.frequency, t)) return kFrequencyNonNumeric;
    if (d.FREQUENCY > 52) return kFrequencyTooLarge;
    if (!numeric(t.balloonTerm, t)) return kBalloonTermNonNumeric;
    if (d.BLPAY > d.NUMPAY) return kBalloonTermTooLong;
    const double termYears = d.BLPAY / 12;
    if (d.DSYEARS > 0 && d.DSYEARS > termYears) return kDsYearsBeyondTerm;
    if (d.LFYEARS > 0 && d.LFYEARS > termYears) return kLfYearsBeyondTerm;
    if (!loan::isValidDateText(t.firstDue.value_or(""))) return kFirstDueBadForm;
    if (!loan::isValidDateText(t.loanDate.value_or(""))) return kLoanDateBadForm;

    const int mL = d.LOANDATE[0], dL = d.LOANDATE[1], yL = d.LOANDATE[2];
    const int mF = d.FIRSTDUEDATE[0], dF = d.FIRSTDUEDATE[1], yF = d.FIRSTDUEDATE[2];
    if ((mF < mL && yL >= yF) || (mF == mL && dF < dL && yL >= yF) || yF < yL) return kLoanDateAfterFirstDue;
    const int years = yF - yL;
    if (years > 2 || (years == 2 && mL < mF)) return kDatesMoreThanTwoYears;
    if (d.BLPAY / d.FREQUENCY < years) return kDatesMoreThanTerm;
    d.ODDDAYS = talvero::common::odd_days({mL, dL, yL}, {mF, dF, yF});
    return nullptr;
}

} // namespace balloon
