#pragma once
// The loan form and its dialogs created fresh for each test, with the engine's messages recorded,
// today fixed at 06/01/2004 and modal forms returning at once.

#include "loan/forms.h"

#include "tessera/tessera.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace loantest {

class LoanForms : public ::testing::Test {
protected:
    void SetUp() override {
        TesseraSetMessageHandler(&ui::engineMessage);
        Form1 = new TForm1;
        Form2 = new TForm2(*Form1, *Form1);
        Form3 = new TForm3(*Form1, *Form1);
        Form4 = new TForm4(*Form1, *Form1);
        Form9 = new TForm9;
        Form19 = new TForm19;
    }
    void TearDown() override {
        for (QDialog* f : std::initializer_list<QDialog*>{Form19, Form9, Form4, Form3, Form2, Form1})
            delete f;
        Form1 = nullptr, Form2 = nullptr, Form3 = nullptr, Form4 = nullptr, Form9 = nullptr, Form19 = nullptr;
    }

    ui::TodayOverride today_{QDate(2004, 6, 1)};
    ui::MessageRecorder messages_;
    ui::ModalInterceptor modal_{[](QDialog* d) { return d->result(); }};
};

} // namespace loantest
