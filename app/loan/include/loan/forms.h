#pragma once
// The forms of the regular loan workbench. The program creates each once at start-up, in the order
// Form1, Form2, Form3, Form4, Form5, ..., Form9, ..., Form19, and the forms reach each other through these
// pointers (null until created).

#include "loan/amortization.h"
#include "loan/analysis.h"
#include "loan/dialogs.h"
#include "loan/form1.h"

extern TForm1* Form1;
extern TForm2* Form2;
extern TForm3* Form3;
extern TForm4* Form4;
extern TForm5* Form5;
extern TForm9* Form9;
extern TForm19* Form19;
