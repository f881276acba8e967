// The two rate searches of the balloon engine, used to solve the APR and for the Reg Z rate.
// Both step the trial rate (percent) up in whole steps, then tenths, then hundredths.
//
//   present_value_rate(payment, n, target, f, flag, o)
//       the smallest rate on the 0.01 grid at which the present value of n payments falls below
//       target, or the first at which the two agree in whole dollars
//   fixed_principal_rate(n, principal, f, flag, o, target, m)
//       the rate at which the interest of the first m periods of a fixed-principal loan (principal
//       repaid in n equal parts) reaches target, found the same way; flag 5 gives 0 at once
//
// A long whole-step walk on a monotone function is finished by doubling and halving, which lands
// on the same whole rate the walk would reach. Inputs that make a walk endless (a present value
// that never falls, interest that never rises) stop after a bounded number of steps.
#pragma once

namespace talvero::vaulter {

double present_value_rate(double payment, double n, double target, double f, int flag, int o) noexcept;
double fixed_principal_rate(double n, double principal, double f, int flag, int o, double target,
                            double m) noexcept;

// The periodic rates the searches try: flags 1 and 7 (present value) and 4 (fixed principal) on the
// 365-day count, the others on the nominal rate; the odd days o leave every period as it is.
double present_value_period_rate(double rho, double f, int flag, int o) noexcept;
double fixed_principal_period_rate(double rho, double f, int flag, int o) noexcept;

} // namespace talvero::vaulter
