// Both engines in one program: the cores' headers side by side, the shared loan block handed to
// either engine, and each shared library with its own message path and its own today.
#include "tessera/engine.h"
#include "tessera/tessera.h"
#include "vaulter/engine.h"
#include "vaulter/vaulter.h"

#include "common/loanblock.h"
#include "common/today.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace {

using talvero::common::BalloonBlock;
using talvero::common::Date;
using talvero::common::LoanBlock;
using talvero::common::RegularBlock;

static_assert(std::is_same_v<tessera::Block, RegularBlock>);
static_assert(std::is_same_v<talvero::vaulter::Block, BalloonBlock>);

int call_tessera(RegularBlock& b) {
    return Tessera(&b.FINANCEAMT, &b.APR, &b.NUMPAY, &b.PAYMENT, &b.DSRATE, &b.DSFREQ, &b.DSYEARS, &b.LFRATE,
                   &b.LFFREQ, &b.LFYEARS, &b.TAXES, &b.SKPMONTH, b.FIRSTDUE, &b.INTMETHOD, &b.FREQUENCY,
                   &b.RESERVED[0], &b.RESERVED[1], &b.RESERVED[2], &b.MATURITY[0], &b.MATURITY[1],
                   &b.MATURITY[2], &b.DSPREM, &b.LFPREM, &b.DSNUMPAY, &b.LFNUMPAY, &b.HOINS, &b.OTINS,
                   &b.TERMYEARS, &b.ODDDAYS, &b.LOANDATE[0], &b.LOANDATE[1], &b.LOANDATE[2], &b.ORGAMT,
                   &b.FEEAMT, &b.DOWNAMT, &b.TOTALINTEREST, &b.REGZAPR, &b.LASTPAY, &b.TOTALPRINCIPAL,
                   &b.TOTALINSURANCE, &b.TOTALTAXES, &b.TOTALPAYOUT, &b.ERRFLAG, &b.PAYOFFMODE, &b.PAYOFFPER,
                   &b.PAYOFFDAYS, &b.PAYSMADE, &b.CURBAL);
}

int call_vaulter(BalloonBlock& b) {
    return Vaulter(&b.FINANCEAMT, &b.APR, &b.NUMPAY, &b.PAYMENT, &b.DSRATE, &b.DSFREQ, &b.DSYEARS, &b.LFRATE,
                   &b.LFFREQ, &b.LFYEARS, &b.TAXES, &b.SKPMONTH, b.FIRSTDUE, &b.INTMETHOD, &b.FREQUENCY,
                   &b.RESERVED[0], &b.RESERVED[1], &b.RESERVED[2], &b.MATURITY[0], &b.MATURITY[1],
                   &b.MATURITY[2], &b.DSPREM, &b.LFPREM, &b.DSNUMPAY, &b.LFNUMPAY, &b.HOINS, &b.OTINS,
                   &b.TERMYEARS, &b.ODDDAYS, &b.LOANDATE[0], &b.LOANDATE[1], &b.LOANDATE[2], &b.ORGAMT,
                   &b.FEEAMT, &b.DOWNAMT, &b.TOTALINTEREST, &b.REGZAPR, &b.LASTPAY, &b.TOTALPRINCIPAL,
                   &b.TOTALINSURANCE, &b.TOTALTAXES, &b.TOTALPAYOUT, &b.BLPAY, &b.ERRFLAG);
}

// The entries with position `missing` (0 to 47 for Tessera, 0 to 43 for Vaulter) passed as null.
template <typename T> T* unless(int missing, int position, T* pointer) {
    return missing == position ? nullptr : pointer;
}

int call_tessera_without(RegularBlock& b, int m) {
    return Tessera(
        unless(m, 0, &b.FINANCEAMT), unless(m, 1, &b.APR), unless(m, 2, &b.NUMPAY), unless(m, 3, &b.PAYMENT),
        unless(m, 4, &b.DSRATE), unless(m, 5, &b.DSFREQ), unless(m, 6, &b.DSYEARS), unless(m, 7, &b.LFRATE),
        unless(m, 8, &b.LFFREQ), unless(m, 9, &b.LFYEARS), unless(m, 10, &b.TAXES),
        unless(m, 11, &b.SKPMONTH), unless(m, 12, b.FIRSTDUE), unless(m, 13, &b.INTMETHOD),
        unless(m, 14, &b.FREQUENCY), unless(m, 15, &b.RESERVED[0]), unless(m, 16, &b.RESERVED[1]),
        unless(m, 17, &b.RESERVED[2]), unless(m, 18, &b.MATURITY[0]), unless(m, 19, &b.MATURITY[1]),
        unless(m, 20, &b.MATURITY[2]), unless(m, 21, &b.DSPREM), unless(m, 22, &b.LFPREM),
        unless(m, 23, &b.DSNUMPAY), unless(m, 24, &b.LFNUMPAY), unless(m, 25, &b.HOINS),
        unless(m, 26, &b.OTINS), unless(m, 27, &b.TERMYEARS), unless(m, 28, &b.ODDDAYS),
        unless(m, 29, &b.LOANDATE[0]), unless(m, 30, &b.LOANDATE[1]), unless(m, 31, &b.LOANDATE[2]),
        unless(m, 32, &b.ORGAMT), unless(m, 33, &b.FEEAMT), unless(m, 34, &b.DOWNAMT),
        unless(m, 35, &b.TOTALINTEREST), unless(m, 36, &b.REGZAPR), unless(m, 37, &b.LASTPAY),
        unless(m, 38, &b.TOTALPRINCIPAL), unless(m, 39, &b.TOTALINSURANCE), unless(m, 40, &b.TOTALTAXES),
        unless(m, 41, &b.TOTALPAYOUT), unless(m, 42, &b.ERRFLAG), unless(m, 43, &b.PAYOFFMODE),
        unless(m, 44, &b.PAYOFFPER), unless(m, 45, &b.PAYOFFDAYS), unless(m, 46, &b.PAYSMADE),
        unless(m, 47, &b.CURBAL));
}

int call_vaulter_without(BalloonBlock& b, int m) {
    return Vaulter(
        unless(m, 0, &b.FINANCEAMT), unless(m, 1, &b.APR), unless(m, 2, &b.NUMPAY), unless(m, 3, &b.PAYMENT),
        unless(m, 4, &b.DSRATE), unless(m, 5, &b.DSFREQ), unless(m, 6, &b.DSYEARS), unless(m, 7, &b.LFRATE),
        unless(m, 8, &b.LFFREQ), unless(m, 9, &b.LFYEARS), unless(m, 10, &b.TAXES),
        unless(m, 11, &b.SKPMONTH), unless(m, 12, b.FIRSTDUE), unless(m, 13, &b.INTMETHOD),
        unless(m, 14, &b.FREQUENCY), unless(m, 15, &b.RESERVED[0]), unless(m, 16, &b.RESERVED[1]),
        unless(m, 17, &b.RESERVED[2]), unless(m, 18, &b.MATURITY[0]), unless(m, 19, &b.MATURITY[1]),
        unless(m, 20, &b.MATURITY[2]), unless(m, 21, &b.DSPREM), unless(m, 22, &b.LFPREM),
        unless(m, 23, &b.DSNUMPAY), unless(m, 24, &b.LFNUMPAY), unless(m, 25, &b.HOINS),
        unless(m, 26, &b.OTINS), unless(m, 27, &b.TERMYEARS), unless(m, 28, &b.ODDDAYS),
        unless(m, 29, &b.LOANDATE[0]), unless(m, 30, &b.LOANDATE[1]), unless(m, 31, &b.LOANDATE[2]),
        unless(m, 32, &b.ORGAMT), unless(m, 33, &b.FEEAMT), unless(m, 34, &b.DOWNAMT),
        unless(m, 35, &b.TOTALINTEREST), unless(m, 36, &b.REGZAPR), unless(m, 37, &b.LASTPAY),
        unless(m, 38, &b.TOTALPRINCIPAL), unless(m, 39, &b.TOTALINSURANCE), unless(m, 40, &b.TOTALTAXES),
        unless(m, 41, &b.TOTALPAYOUT), unless(m, 42, &b.BLPAY), unless(m, 43, &b.ERRFLAG));
}

// 50,000.00 at 10 % over 360 monthly payments, flag 0, first due January 15, 2004.
LoanBlock shared_loan(const char* first_due = "01152004") {
    LoanBlock b;
    b.FINANCEAMT = b.ORGAMT = 50000.0;
    b.APR = 10.0;
    b.NUMPAY = 360.0;
    b.FREQUENCY = 12.0;
    b.TERMYEARS = 30.0;
    std::strncpy(b.FIRSTDUE, first_due, sizeof b.FIRSTDUE - 1);
    return b;
}

RegularBlock regular(const LoanBlock& loan) {
    RegularBlock b;
    static_cast<LoanBlock&>(b) = loan;
    return b;
}

BalloonBlock balloon(const LoanBlock& loan, double balloon_after) {
    BalloonBlock b;
    static_cast<LoanBlock&>(b) = loan;
    b.BLPAY = balloon_after;
    return b;
}

[[noreturn]] void throwing(void*, int, const char*) {
    throw std::runtime_error("no box");
}

int shown = 0;
void counting(void*, int, const char*) {
    ++shown;
}

class EnginesTogether : public ::testing::Test {
protected:
    void SetUp() override { shown = 0; }
    void TearDown() override {
        TesseraSetMessageHandler(nullptr);
        VaulterSetMessageHandler(nullptr);
        TesseraSetToday(0, 0, 0);
        VaulterSetToday(0, 0, 0);
    }
};

TEST_F(EnginesTogether, OneLoanBlockGoesToEitherEngine) {
    // The textbook level payment A * i / (1 - (1 + i)^-n) with i = 0.10 / 12, n = 360: 438.79.
    const double i = 0.10 / 12;
    const double textbook = 50000.0 * i / (1.0 - std::pow(1.0 + i, -360.0));
    ASSERT_NEAR(textbook, 438.79, 0.005);

    RegularBlock r = regular(shared_loan());
    ASSERT_EQ(call_tessera(r), 0);
    EXPECT_EQ(r.ERRFLAG, 0);
    EXPECT_NEAR(r.PAYMENT, textbook, 0.005);
    // 360 payments from January 2004 on the 360-day count: the last is due December 1, 2033.
    EXPECT_EQ((Date{r.MATURITY[0], r.MATURITY[1], r.MATURITY[2]}), (Date{12, 1, 2033}));

    BalloonBlock b = balloon(shared_loan(), 60.0);
    ASSERT_EQ(call_vaulter(b), 0);
    EXPECT_EQ(b.ERRFLAG, 0);
    EXPECT_NEAR(b.PAYMENT, textbook, 0.005);
    // The balloon falls due with the 60th payment, December 1, 2008.
    EXPECT_EQ((Date{b.MATURITY[0], b.MATURITY[1], b.MATURITY[2]}), (Date{12, 1, 2008}));
}

TEST_F(EnginesTogether, EachLibraryKeepsItsOwnToday) {
    // The program's own copy of today is a third one; the libraries take theirs from the setters.
    talvero::common::set_today(Date{1, 1, 1990});
    TesseraSetToday(6, 1, 2004);
    VaulterSetToday(6, 10, 2005);

    RegularBlock r = regular(shared_loan(""));
    r.NUMPAY = 36;
    call_tessera(r);
    ASSERT_EQ(r.ERRFLAG, 0);
    EXPECT_EQ((Date{r.MATURITY[0], r.MATURITY[1], r.MATURITY[2]}), (Date{5, 1, 2007})); // June 2004 + 35

    BalloonBlock b = balloon(shared_loan(""), 60.0);
    call_vaulter(b);
    ASSERT_EQ(b.ERRFLAG, 0);
    EXPECT_EQ((Date{b.MATURITY[0], b.MATURITY[1], b.MATURITY[2]}), (Date{5, 1, 2010})); // June 2005 + 59

    // Setting one library's today leaves the other's alone.
    TesseraSetToday(1, 15, 2003);
    r = regular(shared_loan(""));
    r.NUMPAY = 36;
    call_tessera(r);
    EXPECT_EQ((Date{r.MATURITY[0], r.MATURITY[1], r.MATURITY[2]}), (Date{12, 1, 2005}));
    b = balloon(shared_loan(""), 60.0);
    call_vaulter(b);
    EXPECT_EQ((Date{b.MATURITY[0], b.MATURITY[1], b.MATURITY[2]}), (Date{5, 1, 2010}));
    talvero::common::clear_today();
}

TEST_F(EnginesTogether, AThrowingMessageFunctionLeavesTheCallRejected) {
    // The fixed-principal notice is a plain box on a call that otherwise succeeds.
    RegularBlock notice = regular(shared_loan());
    notice.APR = 0;
    notice.NUMPAY = 12;
    notice.PAYMENT = 500;
    notice.INTMETHOD = 3;

    RegularBlock shown_first = notice;
    TesseraSetMessageHandler(counting);
    call_tessera(shown_first);
    EXPECT_EQ(shown_first.ERRFLAG, 0);
    EXPECT_EQ(shown, 1);

    RegularBlock thrown = notice;
    TesseraSetMessageHandler(throwing);
    EXPECT_EQ(call_tessera(thrown), 0);
    EXPECT_EQ(thrown.ERRFLAG, 1);

    // The next call starts clean.
    TesseraSetMessageHandler(counting);
    RegularBlock next = regular(shared_loan());
    call_tessera(next);
    EXPECT_EQ(next.ERRFLAG, 0);

    // The balloon engine: a payment with no balloon term is not enough data; the throw is caught
    // inside the library and the call comes back rejected instead of ending the program.
    BalloonBlock missing = balloon(shared_loan(), 0.0);
    missing.PAYMENT = 500.0;
    VaulterSetMessageHandler(throwing);
    EXPECT_EQ(call_vaulter(missing), 0);
    EXPECT_EQ(missing.ERRFLAG, 1);

    VaulterSetMessageHandler(counting);
    BalloonBlock fine = balloon(shared_loan(), 60.0);
    call_vaulter(fine);
    EXPECT_EQ(fine.ERRFLAG, 0);
}

// Any null position refuses the call: ERRFLAG 1 where there is one, an error box, nothing computed
// or written; a message function that throws on the refusal stays inside the library.
TEST_F(EnginesTogether, NullPositionsAreRefusedByBothEntries) {
    static std::string text;
    auto recording = [](void*, int kind, const char* t) {
        ++shown;
        if (kind == 1) text = t;
    };
    struct Engine {
        const char* name;
        int positions, errflag;
        std::function<int(int missing, double& payment, int& errflag)> call;
        std::function<void(TesseraMessageFn)> handler;
    } const engines[] = {
        {"Tessera", 48, 42,
         [](int m, double& payment, int& errflag) {
             RegularBlock b = regular(shared_loan());
             b.ERRFLAG = 7; // not a value the engine writes: shows whether ERRFLAG was written
             const int result = call_tessera_without(b, m);
             payment = b.PAYMENT;
             errflag = b.ERRFLAG;
             return result;
         },
         [](TesseraMessageFn fn) { TesseraSetMessageHandler(fn); }},
        {"Vaulter", 44, 43,
         [](int m, double& payment, int& errflag) {
             BalloonBlock b = balloon(shared_loan(), 60.0);
             b.ERRFLAG = 7;
             const int result = call_vaulter_without(b, m);
             payment = b.PAYMENT;
             errflag = b.ERRFLAG;
             return result;
         },
         [](TesseraMessageFn fn) { VaulterSetMessageHandler(fn); }},
    };
    for (const Engine& e : engines) {
        for (int m = 0; m < e.positions; ++m) {
            SCOPED_TRACE(::testing::Message() << e.name << " without position " << m);
            e.handler(recording);
            shown = 0;
            text.clear();
            double payment = -1;
            int errflag = -1;
            EXPECT_EQ(e.call(m, payment, errflag), 0);
            EXPECT_EQ(payment, 0.0); // the payment was not solved
            EXPECT_EQ(errflag, m == e.errflag ? 7 : 1);
            EXPECT_EQ(shown, 1);
            EXPECT_EQ(text.rfind("Loan Input Error!\nThe loan data handed to the engine", 0), 0u) << text;

            e.handler(throwing);
            EXPECT_EQ(e.call(m, payment, errflag), 0);
            EXPECT_EQ(errflag, m == e.errflag ? 7 : 1);
        }
        // With every position there, the same loan computes, and the next call starts clean.
        e.handler(counting);
        double payment = 0;
        int errflag = -1;
        e.call(-1, payment, errflag);
        EXPECT_EQ(errflag, 0) << e.name;
        EXPECT_NEAR(payment, 438.79, 0.005) << e.name;
    }
}

} // namespace
