// The engine's own message texts, exactly as the users know them.
#pragma once

namespace talvero::vaulter::texts {

inline constexpr const char* kPeriodCap =
    "Loan Input Error!\n\nThe suggested payment amount will not\ncover insurance charges and taxes for\n"
    "9,999 payments computed. Your payment\namount created an infinite loop.\n\nSUGGESTION:\n"
    "Calculate the scheduled payment first,\ngiving the number of payments required.\n"
    "The computed payment should then cover\ncharges for insurance and taxes.\n\n"
    "Return to the Input Loan Data Menu and\nchange input.";

inline constexpr const char* kNotEnoughData =
    "Loan Input Error!\nNot enought data for processing.\nLoan Terms are missing one of the\n"
    "following or more:\n1. scheduled payment\n2. number of balloon payments\n"
    "3. Amortize period for balloon note\n4. APR\nPlease re-enter correctly from the\n"
    "input loan data menu.\n\nNOTE: Scheduled payment may be left\nblank for system calculation. A\n"
    "zero APR should have the payment\nentered for the system to calculate\nthe APR and optionally "
    "zero for the\nnumber of payments for the balloon\nterm. The other option is to enter\n"
    "all loan factors and let the system\ncalculate total interest, principal,\nlast payment, etc.\n\n";

// The framework's texts for the floating-point faults C++ does not trap.
inline constexpr const char* kDivisionByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kOverflow = "Floating point overflow";

} // namespace talvero::vaulter::texts
