#pragma once
// The forms of the balloon loan workbench. The program creates each once at start-up, in the order
// Form10, Form11, Form12, Form13, Form14, Form15, and the forms reach each other through these pointers
// (null until created). The three dialogs are the loan form's dialogs bound to Form10's data.

#include "balloon/amortization.h"
#include "balloon/form10.h"
#include "balloon/payout.h"
#include "loan/dialogs.h"

// "Balloon Loan Down Payment and Origination Fees", "Balloon Loan Insurance Charges" and "Balloon Loan
// Annual Fees".
using TForm11 = TForm2;
using TForm12 = TForm3;
using TForm13 = TForm4;

namespace balloon {
// The dialogs of Form10 as the program creates them.
TForm11* makeForm11(TForm10& form, QWidget* parent = nullptr);
TForm12* makeForm12(TForm10& form, QWidget* parent = nullptr);
TForm13* makeForm13(TForm10& form, QWidget* parent = nullptr);
} // namespace balloon

extern TForm10* Form10;
extern TForm11* Form11;
extern TForm12* Form12;
extern TForm13* Form13;
extern TForm14* Form14;
extern TForm15* Form15;
