#pragma once
// The balloon form, its dialogs and the balloon payout window created fresh for each test, with the
// engine's messages recorded, today fixed at 06/01/2004 and modal forms returning at once.

#include "balloon/forms.h"

#include "formtest/forms.h"
#include "vaulter/vaulter.h"

#include <initializer_list>

namespace balloontest {

inline const formtest::Twin kBalloon{
    "Form10", {"Form11", "Form12", "Form13"}, "Form15", &balloon::vaulterCalls, [] {
        return Form10->UnsavedCount;
    }};

class BalloonForms : public formtest::FormFixture {
protected:
    BalloonForms() : FormFixture(kBalloon) {}
    void SetUp() override {
        VaulterSetMessageHandler(&ui::engineMessage);
        VaulterSetToday(6, 1, 2004);
        Form10 = new TForm10;
        Form11 = balloon::makeForm11(*Form10);
        Form12 = balloon::makeForm12(*Form10);
        Form13 = balloon::makeForm13(*Form10);
        Form15 = new TForm15;
        forms_.set({{"Form10", Form10},
                    {"Form11", Form11},
                    {"Form12", Form12},
                    {"Form13", Form13},
                    {"Form15", Form15}});
    }
    void TearDown() override {
        for (QDialog* f : std::initializer_list<QDialog*>{Form15, Form13, Form12, Form11, Form10})
            delete f;
        Form10 = nullptr, Form11 = nullptr, Form12 = nullptr, Form13 = nullptr, Form15 = nullptr;
        forms_.set({});
        VaulterSetToday(0, 0, 0);
    }
};

} // namespace balloontest
