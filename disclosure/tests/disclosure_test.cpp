// The figures of the disclosure, worked out by hand for a few loans, and its payment runs.
// Definitions: Regulation Z section 1026.18(b) Amount Financed, (d) finance charge, (e) annual
// percentage rate, (g) payment schedule, (h) total of payments; Appendix H, H-2 and H-4(J).
#include "disclosure/disclosure.h"

#include "cli/loan.h"
#include "computed_loan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

using namespace talvero;
using disclosure::Disclosure;

Disclosure disclose(const cli::Loan& loan, const disclosure::Inputs& in = {}) {
    return disclosure::disclose(loan.block, loan.block.ERRFLAG, loan.block.PAYMENT, cli::variant(loan),
                                std::nullopt, in);
}

double cents(double x) {
    return std::round(x * 100) / 100;
}

// The rate per period i with advance = sum of p_k / (1 + i)^k (k = 1, 2, ...), by plain bisection:
// every loan here is lent one period before its first due date (30 days before a monthly one, which
// Appendix J counts as one unit-period: 0 months and 30/30 of a month).
double hand_rate(double advance, const std::vector<double>& payments) {
    double lo = 0, hi = 1;
    for (int n = 0; n < 200; ++n) {
        const double i = 0.5 * (lo + hi);
        double pv = 0;
        for (std::size_t k = 0; k < payments.size(); ++k)
            pv += payments[k] / std::pow(1 + i, static_cast<double>(k + 1));
        (pv > advance ? lo : hi) = i;
    }
    return 0.5 * (lo + hi);
}

// The payments the borrower makes: n - 1 level payments to the cent, and the last one takes up
// what their rounding moved, so that they add up to the loan's n - 1 payments and last payment.
std::vector<double> level_then_last(double level, double last, int n) {
    std::vector<double> p(static_cast<std::size_t>(n - 1), cents(level));
    p.push_back(cents((n - 1) * level + last - (n - 1) * cents(level)));
    return p;
}

double sum(const std::vector<double>& v) {
    double s = 0;
    for (double x : v)
        s += x;
    return s;
}

TEST(Disclosure, OriginationFeeAndDownPayment) {
    // 10,000 requested, 2,000 down, a 200 fee: FINANCEAMT 8,200 at 8 % over 36 months.
    const cli::Loan loan = computed({{"ORGAMT", "10000"},
                                     {"DOWNAMT", "2000"},
                                     {"FEEAMT", "200"},
                                     {"APR", "8"},
                                     {"NUMPAY", "36"},
                                     {"FIRSTDUE", "02012024"},
                                     {"LOANDATE", "01022024"}});
    ASSERT_DOUBLE_EQ(loan.block.FINANCEAMT, 8200);
    const Disclosure d = disclose(loan);
    ASSERT_TRUE(d.usable) << d.error;
    // The fee is a prepaid finance charge: the credit provided is 8,200 - 200 = 10,000 - 2,000.
    EXPECT_EQ(disclosure::money(d.amount_financed), "$8,000.00");
    EXPECT_EQ(disclosure::money(d.prepaid_finance_charge), "$200.00");
    const std::vector<double> paid = level_then_last(loan.block.PAYMENT, loan.block.LASTPAY, 36);
    EXPECT_NEAR(d.total_of_payments, sum(paid), 0.001);
    // The finance charge is the interest plus the fee.
    EXPECT_NEAR(d.finance_charge, sum(paid) - 8000, 0.001);
    EXPECT_NEAR(d.finance_charge, cents(loan.block.TOTALINTEREST + 200), 0.011);
    EXPECT_NEAR(d.apr, std::round(hand_rate(8000, paid) * 1200 * 100) / 100, 1e-9);
    EXPECT_EQ(disclosure::percent(d.apr), "9.69%");
    // The itemization: the requested amount less the down payment is given directly.
    EXPECT_EQ(disclosure::money(d.amount_requested), "$10,000.00");
    EXPECT_EQ(disclosure::money(d.down_payment), "$2,000.00");
    EXPECT_EQ(disclosure::money(d.given_directly), "$8,000.00");
    EXPECT_FALSE(d.estimated);
    EXPECT_EQ(d.statements.prepayment, "If you pay off early, you will not have to pay a penalty.");
}

TEST(Disclosure, CreditInsurancePremiumsAreFinanceCharges) {
    // Life at 0.01 and disability at 0.02 per dollar a year, 12 premiums a year for 2 years: each
    // disability premium is twice the life premium of the same payment.
    const cli::Loan loan = computed({{"FINANCEAMT", "5000"},
                                     {"APR", "12"},
                                     {"NUMPAY", "24"},
                                     {"LFRATE", "0.01"},
                                     {"LFFREQ", "12"},
                                     {"LFYEARS", "2"},
                                     {"DSRATE", "0.02"},
                                     {"DSFREQ", "12"},
                                     {"DSYEARS", "2"},
                                     {"FIRSTDUE", "02012024"},
                                     {"LOANDATE", "01022024"}});
    const Disclosure d = disclose(loan);
    ASSERT_TRUE(d.usable) << d.error;
    EXPECT_NEAR(d.disability_premium, 2 * d.life_premium, 0.011);
    EXPECT_NEAR(d.life_premium + d.disability_premium, loan.block.TOTALINSURANCE, 0.011);
    // The first life premium alone is 5,000 x 0.01 / 12 = 4.17.
    EXPECT_GT(d.life_premium, 4.17);
    EXPECT_EQ(disclosure::money(d.amount_financed), "$5,000.00");
    const std::vector<double> paid = level_then_last(loan.block.PAYMENT, loan.block.LASTPAY, 24);
    EXPECT_NEAR(d.total_of_payments, sum(paid), 0.001);
    EXPECT_NEAR(d.finance_charge, loan.block.TOTALINTEREST + loan.block.TOTALINSURANCE, 0.02);
    // The premiums raise the rate above the note rate of 12 %.
    EXPECT_NEAR(d.apr, std::round(hand_rate(5000, paid) * 1200 * 100) / 100, 1e-9);
    EXPECT_GT(d.apr, 12.5);
}

TEST(Disclosure, EscrowedTaxesAndInsuranceStayOutOfTheFigures) {
    // 6,000 at 6 % over 12 months with 1,200 of taxes and 600 of homeowner insurance a year: 150.00
    // of escrow in each payment, none of it a finance charge.
    const cli::Loan loan = computed({{"FINANCEAMT", "6000"},
                                     {"APR", "6"},
                                     {"NUMPAY", "12"},
                                     {"TAXES", "1200"},
                                     {"HOINS", "600"},
                                     {"FIRSTDUE", "02012024"},
                                     {"LOANDATE", "01022024"}});
    const Disclosure d = disclose(loan);
    ASSERT_TRUE(d.usable) << d.error;
    EXPECT_EQ(disclosure::money(d.escrow_per_payment), "$150.00");
    // The level principal and interest of 6,000 at 1/2 % a month for 12 months is 516.40.
    const double level = 6000 * 0.005 / (1 - std::pow(1.005, -12));
    ASSERT_NEAR(loan.block.PAYMENT - 150, level, 0.01);
    const std::vector<double> paid = level_then_last(loan.block.PAYMENT - 150, loan.block.LASTPAY - 150, 12);
    EXPECT_NEAR(d.total_of_payments, sum(paid), 0.001);
    EXPECT_NEAR(d.finance_charge, sum(paid) - 6000, 0.001);
    EXPECT_NEAR(d.finance_charge, loan.block.TOTALINTEREST, 0.011);
    EXPECT_EQ(disclosure::percent(d.apr), "6.00%");
    ASSERT_FALSE(d.schedule.empty());
    EXPECT_NEAR(d.schedule.front().amount, cents(level), 0.001);
}

TEST(Disclosure, BalloonLoan) {
    // 20,000 at 7.5 % amortized over 360 months, due after 60: 59 level payments, then the balance
    // with its last month's interest and the 60th payment's share.
    const cli::Loan loan = computed({{"FINANCEAMT", "20000"},
                                     {"APR", "7.5"},
                                     {"NUMPAY", "360"},
                                     {"BLPAY", "60"},
                                     {"FIRSTDUE", "02012024"},
                                     {"LOANDATE", "01022024"}});
    const Disclosure d = disclose(loan);
    ASSERT_TRUE(d.usable) << d.error;
    const double i = 0.075 / 12, p = 20000 * i / (1 - std::pow(1 + i, -360));
    ASSERT_NEAR(loan.block.PAYMENT, p, 0.01);
    // The balance after 59 payments plus a month's interest on it, and what the 59 payments
    // rounded to the cent moved.
    const double b59 = 20000 * std::pow(1 + i, 59) - p * (std::pow(1 + i, 59) - 1) / i;
    const double balloon = cents(b59 * (1 + i) + 59 * (p - cents(p)));
    ASSERT_EQ(d.schedule.size(), 2u);
    EXPECT_EQ(d.schedule[0].count, 59);
    EXPECT_NEAR(d.schedule[0].amount, cents(p), 0.001);
    EXPECT_EQ(d.schedule[0].when, "Monthly beginning 02/01/2024");
    EXPECT_TRUE(d.schedule[1].balloon);
    EXPECT_EQ(d.schedule[1].count, 1);
    EXPECT_NEAR(d.schedule[1].amount, balloon, 0.011);
    EXPECT_EQ(d.schedule[1].when, "01/01/2029");
    std::vector<double> paid(59, cents(p));
    paid.push_back(balloon);
    EXPECT_NEAR(d.total_of_payments, sum(paid), 0.001);
    EXPECT_NEAR(d.finance_charge, sum(paid) - 20000, 0.001);
    EXPECT_EQ(disclosure::percent(d.apr), "7.50%");
}

TEST(Disclosure, YearlyLoan) {
    // 10,000 at 8 % in 5 yearly payments, lent a year before the first: 10,000 x 0.08 / (1 - 1.08^-5).
    const cli::Loan loan = computed({{"FINANCEAMT", "10000"},
                                     {"APR", "8"},
                                     {"NUMPAY", "5"},
                                     {"FREQUENCY", "1"},
                                     {"FIRSTDUE", "01012025"},
                                     {"LOANDATE", "01012024"}});
    const Disclosure d = disclose(loan);
    ASSERT_TRUE(d.usable) << d.error;
    const double level = 10000 * 0.08 / (1 - std::pow(1.08, -5));
    ASSERT_NEAR(loan.block.PAYMENT, level, 0.01);
    ASSERT_FALSE(d.schedule.empty());
    EXPECT_EQ(d.schedule.front().when, "Yearly beginning 01/01/2025");
    const std::vector<double> paid = level_then_last(loan.block.PAYMENT, loan.block.LASTPAY, 5);
    EXPECT_NEAR(d.total_of_payments, sum(paid), 0.001);
    EXPECT_NEAR(d.finance_charge, sum(paid) - 10000, 0.001);
    EXPECT_NEAR(d.apr, std::round(hand_rate(10000, paid) * 100 * 100) / 100, 1e-9);
    EXPECT_EQ(disclosure::percent(d.apr), "8.00%");
}

TEST(Disclosure, WithoutDatesTheFiguresAreEstimates) {
    const cli::Loan loan = computed({{"FINANCEAMT", "3000"}, {"APR", "9"}, {"NUMPAY", "12"}});
    const Disclosure d = disclose(loan);
    ASSERT_TRUE(d.usable) << d.error;
    EXPECT_TRUE(d.estimated);
}

TEST(Disclosure, RuleOf78LoansAreToldOfTheRefund) {
    EXPECT_NE(disclosure::prepayment_default(6).find("refund"), std::string::npos);
    EXPECT_NE(disclosure::prepayment_default(7).find("rule of 78"), std::string::npos);
    EXPECT_EQ(disclosure::prepayment_default(1).find("refund"), std::string::npos);
}

TEST(Disclosure, RefusedLoanIsNotDisclosed) {
    cli::Loan loan;
    for (const auto& [name, value] : {std::pair{"FINANCEAMT", "5000"}, {"APR", "9"}, {"NUMPAY", "12"}})
        ASSERT_EQ(cli::set_field(loan, name, value), "");
    ASSERT_EQ(cli::prepare(loan), "");
    loan.block.ERRFLAG = 1; // as the engine leaves a loan it refused
    const Disclosure d = disclose(loan);
    EXPECT_FALSE(d.usable);
    EXPECT_NE(d.error.find("refused"), std::string::npos);
}

TEST(Disclosure, PaymentsShortOfTheLoanAreNotDisclosed) {
    // 12 payments of 10.00 on 10,000: the engine leaves a last payment short of the balance.
    const cli::Loan loan = computed({{"FINANCEAMT", "10000"}, {"PAYMENT", "10"}, {"NUMPAY", "12"}});
    const Disclosure d = disclose(loan);
    EXPECT_FALSE(d.usable);
    EXPECT_EQ(d.error, "The disclosure cannot state this loan: its payments add up to less than the Amount "
                       "Financed of $10,000.00.");
}

TEST(Disclosure, ItemizationCannotExceedTheAmountFinanced) {
    const cli::Loan loan = computed({{"FINANCEAMT", "5000"},
                                     {"APR", "9"},
                                     {"NUMPAY", "12"},
                                     {"FIRSTDUE", "02012024"},
                                     {"LOANDATE", "01022024"}});
    disclosure::Inputs in;
    in.paid_on_account = 1000;
    in.paid_to_others = {{"County recorder", 250.5}};
    Disclosure d = disclose(loan, in);
    ASSERT_TRUE(d.usable) << d.error;
    EXPECT_EQ(disclosure::money(d.given_directly), "$3,749.50");
    in.paid_to_others = {{"Old Bank", 4000.01}};
    d = disclose(loan, in);
    EXPECT_FALSE(d.usable);
    EXPECT_EQ(d.error,
              "The amounts paid on the account and to others exceed the Amount Financed of $5,000.00.");
}

TEST(PaymentRuns, EqualPaymentsThenADifferentLast) {
    using aprcheck::Payment;
    const std::vector<Payment> p = {
        {{2, 1, 2024}, 313.364}, {{3, 1, 2024}, 313.36}, {{4, 1, 2024}, 313.36}, {{5, 1, 2024}, 313.30}};
    const auto runs = disclosure::payment_runs(p, 12, false);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].count, 3);
    EXPECT_DOUBLE_EQ(runs[0].amount, 313.36);
    EXPECT_EQ(runs[0].when, "Monthly beginning 02/01/2024");
    EXPECT_EQ(runs[1].count, 1);
    EXPECT_DOUBLE_EQ(runs[1].amount, 313.30);
    EXPECT_EQ(runs[1].when, "05/01/2024");
}

TEST(PaymentRuns, TheLastPaymentOfABalloonTermIsTheBalloonWhenMoreThanTwiceTheOthers) {
    using aprcheck::Payment;
    // Section 1026.18(s)(5)(i): a balloon payment is more than two times a regular periodic payment.
    const std::vector<Payment> balloon = {
        {{1, 15, 2024}, 100}, {{1, 29, 2024}, 100}, {{2, 12, 2024}, 200.01}};
    auto runs = disclosure::payment_runs(balloon, 26, true);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].when, "Every 2 weeks beginning 01/15/2024");
    EXPECT_TRUE(runs[1].balloon);
    EXPECT_EQ(runs[1].when, "02/12/2024");
    // A balloon term as long as the amortization ends in an ordinary last payment.
    const std::vector<Payment> level = {{{1, 15, 2024}, 100}, {{1, 29, 2024}, 100}, {{2, 12, 2024}, 200}};
    runs = disclosure::payment_runs(level, 26, true);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_FALSE(runs[1].balloon);
}

TEST(PaymentRuns, FrequencyWords) {
    const std::pair<double, const char*> cases[] = {
        {12, "Monthly"},       {24, "Semimonthly"},   {52, "Weekly"},       {26, "Every 2 weeks"},
        {13, "Every 4 weeks"}, {4, "Quarterly"},      {2, "Semiannually"},  {1, "Yearly"},
        {6, "Every 2 months"}, {3, "Every 4 months"}, {10, "Every 36 days"}};
    for (const auto& [f, word] : cases)
        EXPECT_EQ(disclosure::frequency_word(f), word) << f;
}

TEST(Money, Formats) {
    EXPECT_EQ(disclosure::money(1234567.891), "$1,234,567.89");
    EXPECT_EQ(disclosure::money(0), "$0.00");
    EXPECT_EQ(disclosure::money(999.995), "$1,000.00");
    EXPECT_EQ(disclosure::percent(9.6949), "9.69%");
    EXPECT_EQ(disclosure::percent(-0.001), "0.00%");
}

} // namespace
