#pragma once
// The loan form and its dialogs created fresh for each test, with the engine's messages recorded,
// today fixed at 06/01/2004 and modal forms returning at once.

#include "loan/forms.h"

#include "formtest/forms.h"
#include "tessera/tessera.h"

#include <initializer_list>

namespace loantest {

inline const formtest::Twin kLoan{
    "Form1", {"Form2", "Form3", "Form4"}, "Form9", &loan::tesseraCalls, [] { return Form1->UnsavedCount; }};

class LoanForms : public formtest::FormFixture {
protected:
    LoanForms() : FormFixture(kLoan) {}
    void SetUp() override {
        TesseraSetMessageHandler(&ui::engineMessage);
        Form1 = new TForm1;
        Form2 = new TForm2(*Form1, *Form1);
        Form3 = new TForm3(*Form1, *Form1);
        Form4 = new TForm4(*Form1, *Form1);
        Form9 = new TForm9;
        Form19 = new TForm19;
        forms_.set({{"Form1", Form1},
                    {"Form2", Form2},
                    {"Form3", Form3},
                    {"Form4", Form4},
                    {"Form9", Form9},
                    {"Form19", Form19}});
    }
    void TearDown() override {
        for (QDialog* f : std::initializer_list<QDialog*>{Form19, Form9, Form4, Form3, Form2, Form1})
            delete f;
        Form1 = nullptr, Form2 = nullptr, Form3 = nullptr, Form4 = nullptr, Form9 = nullptr, Form19 = nullptr;
        forms_.set({});
    }
};

} // namespace loantest
