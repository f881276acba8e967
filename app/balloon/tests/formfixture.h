#pragma once
// The balloon form, its dialogs and the balloon payout window created fresh for each test, with the
// engine's messages recorded, today fixed at 06/01/2004 and modal forms returning at once.

#include "balloon/forms.h"

#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"
#include "vaulter/vaulter.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace balloontest {

class BalloonForms : public ::testing::Test {
protected:
    void SetUp() override {
        VaulterSetMessageHandler(&ui::engineMessage);
        VaulterSetToday(6, 1, 2004);
        Form10 = new TForm10;
        Form11 = balloon::makeForm11(*Form10);
        Form12 = balloon::makeForm12(*Form10);
        Form13 = balloon::makeForm13(*Form10);
        Form15 = new TForm15;
    }
    void TearDown() override {
        for (QDialog* f : std::initializer_list<QDialog*>{Form15, Form13, Form12, Form11, Form10})
            delete f;
        Form10 = nullptr, Form11 = nullptr, Form12 = nullptr, Form13 = nullptr, Form15 = nullptr;
        VaulterSetToday(0, 0, 0);
    }

    ui::TodayOverride today_{QDate(2004, 6, 1)};
    ui::MessageRecorder messages_;
    ui::ModalInterceptor modal_{[](QDialog* d) { return d->result(); }};
};

} // namespace balloontest
