// What both engines' C entries do alike with a caller's block: positions 0 to 41 as the caller's
// pointers, the check that none is null, the copy in of the in and io positions and the copy back
// of the io and out positions, in the block's order, and the texts of a refused call.
#pragma once

#include "common/loanblock.h"

namespace talvero::common {

inline constexpr const char* kIncompleteBlockText =
    "Loan Input Error!\nThe loan data handed to the engine\nis incomplete. Nothing was computed.";
inline constexpr const char* kCallFailedText =
    "Loan Input Error!\nThe engine could not finish the\ncalculation. Nothing was computed.";

// The caller's positions 0 to 41; the reserved positions 15 to 17 are P15 to P17.
struct CallerBlock {
    double* FINANCEAMT;
    double* APR;
    double* NUMPAY;
    double* PAYMENT;
    double* DSRATE;
    double* DSFREQ;
    double* DSYEARS;
    double* LFRATE;
    double* LFFREQ;
    double* LFYEARS;
    double* TAXES;
    int* SKPMONTH;
    char* FIRSTDUE;
    int* INTMETHOD;
    double* FREQUENCY;
    int* P15;
    int* P16;
    int* P17;
    int* MATMONTH;
    int* MATDAY;
    int* MATYEAR;
    double* DSPREM;
    double* LFPREM;
    double* DSNUMPAY;
    double* LFNUMPAY;
    double* HOINS;
    double* OTINS;
    double* TERMYEARS;
    int* ODDDAYS;
    int* LOANMONTH;
    int* LOANDAY;
    int* LOANYEAR;
    double* ORGAMT;
    double* FEEAMT;
    double* DOWNAMT;
    double* TOTALINTEREST;
    double* REGZAPR;
    double* LASTPAY;
    double* TOTALPRINCIPAL;
    double* TOTALINSURANCE;
    double* TOTALTAXES;
    double* TOTALPAYOUT;
};

template <typename... P> bool all_present(const P*... positions) noexcept {
    return ((positions != nullptr) && ...);
}

bool all_present(const CallerBlock& caller) noexcept;

// The in and io positions 0 to 35 (the out positions are never read); FIRSTDUE's 10 bytes.
void copy_in(LoanBlock& mine, const CallerBlock& caller) noexcept;

// The copy back comes in two runs, so that an engine's own io positions keep their place between
// them: first the reserved positions, MATURITY, PAYMENT, NUMPAY and TERMYEARS; then
// TOTALINTEREST, APR and the out positions 36 to 41.
void copy_out_terms(CallerBlock& caller, const LoanBlock& mine) noexcept;
void copy_out_totals(CallerBlock& caller, const LoanBlock& mine) noexcept;

} // namespace talvero::common
