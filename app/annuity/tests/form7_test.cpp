// "Retirement Annuities" driven as its user drives it.
#include "annuity/forms.h"
#include "form_support.h"

#include "ui/convert.h"
#include "ui/printing.h"

#include <QFile>
#include <memory>

namespace {

using namespace annuity_test;

const QString kRequired = QStringLiteral("You failed to enter a required field properly.  Please correct!");
const QString kFiftyYears = QStringLiteral("You have specified a withdrawal amount that\nwill not be greater "
                                           "than the interest\nreceived. Talvero cannot "
                                           "handle calculations\nthat go beyond 50 years, or that create "
                                           "an\ninfinite loop. Please change your terms.");

class Form7Test : public ::testing::Test {
protected:
    std::unique_ptr<TForm7> form = std::make_unique<TForm7>();
    QDialog* f() { return form.get(); }
};

TEST_F(Form7Test, LayoutNamesAndInitialTexts) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Retirement Annuities"));
    EXPECT_EQ(tabCaptions(f()),
              (QStringList{"Future Value with Starting Balance", "Time Value of Withdrawals",
                           "Effective Periodic Rate", "Effective Continuous Rate"}));
    expectNamedControls(f(), 16, 13);
    expectBoxes(f(), {
                         {"Edit1", "Starting Balance", "   0.00"},
                         {"Edit2", "Recurring Deposit Amount", "   0.00"},
                         {"Edit3", "APR", "   0.00"},
                         {"Edit4", "Number of Payments Per Year", "      0"},
                         {"Edit5", "Number of Years", "      0"},
                         {"Edit6", "Future Value (answer)", ""},
                         {"Edit7", "Starting Balance", "   0.00"},
                         {"Edit8", "Recurring Withdrawal Amount", "   0.00"},
                         {"Edit10", "Withdrawals Per Year", "      0"},
                         {"Edit11", "Number of Years (answer)", ""},
                         {"Edit13", "Number of Compounding Periods", "      0"},
                         {"Edit14", "Effective Periodic Rate (answer)", ""},
                         {"Edit15", "APR", "   0.00"},
                         {"Edit16", "Effective Periodic Rate (answer)", ""},
                     });
}

TEST_F(Form7Test, WorkedValues) {
    const WorkedCase cases[] = {
        {"future value with a starting balance",
         {{"Edit1", "1000"}, {"Edit2", "100"}, {"Edit3", "6"}, {"Edit4", "12"}, {"Edit5", "10"}},
         "Button2",
         "Edit6",
         "18289.27"},
        {"a starting balance of one cent", {{"Edit1", "0.01"}}, "Button2", "Edit6", "16469.89"},
        {"yearly withdrawals",
         {{"Edit7", "10000"}, {"Edit8", "1000"}, {"Edit9", "6"}, {"Edit10", "1"}},
         "Button5",
         "Edit11",
         "  15.00"},
        {"monthly withdrawals",
         {{"Edit7", "100000"}, {"Edit8", "1000"}, {"Edit9", "6"}, {"Edit10", "12"}},
         "Button5",
         "Edit11",
         "  11.51"},
        {"effective periodic rate", {{"Edit12", "6"}, {"Edit13", "12"}}, "Button8", "Edit14", "   6.17"},
        {"effective continuous rate", {{"Edit15", "6"}}, "Button11", "Edit16", "   6.18"},
    };
    for (const WorkedCase& c : cases)
        runWorked(f(), c);
}

TEST_F(Form7Test, ZeroInputsAreRefusedWithTheTabsOwnText) {
    const struct {
        const char* compute;
        const char* answer;
        QString message;
    } cases[] = {
        {"Button2", "Edit6", kRequired},
        {"Button5", "Edit11", kRequired},
        {"Button8", "Edit14", kRequired},
        {"Button11", "Edit16", QStringLiteral("You failed to enter the APR properly.  Please correct!")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.compute);
        ui::MessageRecorder messages;
        press(f(), c.compute);
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.lastText(), c.message);
        EXPECT_EQ(text(f(), c.answer), "");
    }
    // A starting balance of 0 is refused even with every other box filled.
    ui::MessageRecorder messages;
    type(f(), {{"Edit1", "0"}, {"Edit2", "100"}, {"Edit3", "6"}, {"Edit4", "12"}, {"Edit5", "10"}});
    press(f(), "Button2");
    EXPECT_EQ(messages.lastText(), kRequired);
}

TEST_F(Form7Test, WithdrawalsEqualToTheInterestEndWithTheFiftyYearMessage) {
    type(f(), {{"Edit7", "10000"}, {"Edit8", "1000"}, {"Edit9", "6"}, {"Edit10", "1"}});
    press(f(), "Button5");
    ASSERT_EQ(text(f(), "Edit11"), testsupport::num("  15.00"));

    ui::MessageRecorder messages;
    type(f(), {{"Edit7", "1010"}, {"Edit8", "10"}, {"Edit9", "12"}, {"Edit10", "12"}});
    press(f(), "Button5");
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.lastText(), kFiftyYears);
    EXPECT_EQ(messages.lastKind(), ui::MessageKind::Plain);
    EXPECT_EQ(text(f(), "Edit11"), testsupport::num("  15.00")) << "no answer; the box keeps its text";

    // A little more than the interest keeps the balance falling past fifty years.
    messages.clear();
    type(f(), {{"Edit8", "10.01"}});
    press(f(), "Button5");
    EXPECT_TRUE(messages.empty());
    EXPECT_GT(ui::toFloat(text(f(), "Edit11")), 50.0);
}

TEST_F(Form7Test, FailuresKeepTheEarlierAnswer) {
    type(f(), {{"Edit1", "1000"}, {"Edit2", "100"}, {"Edit3", "6"}, {"Edit4", "12"}, {"Edit5", "10"}});
    press(f(), "Button2");
    ASSERT_EQ(text(f(), "Edit6"), testsupport::num("18289.27"));
    const struct {
        const char* what;
        Typing typed;
        QString message;
    } failures[] = {
        {"deposit not a number; later boxes not read",
         {{"Edit2", "1OO"}, {"Edit3", "0"}},
         QStringLiteral("'1OO' is not a valid floating point value")},
        {"negative years", {{"Edit2", "100"}, {"Edit3", "6"}, {"Edit5", "-10"}}, kRequired},
        {"more periods than the loop runs",
         {{"Edit4", "1e9"}, {"Edit5", "1"}},
         QStringLiteral(
             "Talvero cannot handle calculations of more than 10000000 periods.\nPlease change your "
             "terms.")},
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(c.what);
        ui::MessageRecorder messages;
        type(f(), c.typed);
        press(f(), "Button2");
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.lastText(), c.message);
        EXPECT_EQ(text(f(), "Edit6"), testsupport::num("18289.27"));
    }
    ui::MessageRecorder messages;
    type(f(), {{"Edit15", "1e6"}});
    press(f(), "Button11");
    EXPECT_EQ(messages.lastText(), QStringLiteral("Floating point overflow"));
    EXPECT_EQ(messages.lastKind(), ui::MessageKind::Error);
    EXPECT_EQ(text(f(), "Edit16"), "");
}

TEST_F(Form7Test, HelpPrintAndQuit) {
    expectHelpButtons(
        f(), {
                 {"Button4", "Calculating_the_Future_Value_of_Regular_Deposits_with_a_Starting_Balance"},
                 {"Button7", "Calculating_the_Time_Value_of_Withdrawals"},
                 {"Button10", "Calculating_the_Effective_Periodic_Rate"},
                 {"Button13", "Calculating_the_Effective_Interest_Rate_Considering_Continuous_Compounding"},
             });
    EXPECT_EQ(f1Context(button(f(), "Button4")), 5);
    EXPECT_EQ(f1Context(edit(f(), "Edit9")), 5);

    {
        ui::PrinterDialogInterceptor cancel(false);
        for (const char* b : {"Button3", "Button6", "Button9", "Button12"}) {
            EXPECT_EQ(button(f(), b)->text(), QStringLiteral("Prt/Screen"));
            press(f(), b);
        }
        EXPECT_EQ(cancel.dialogsShown(), 4);
    }

    form->show();
    press(f(), "Button1");
    EXPECT_FALSE(form->isVisible());
}

} // namespace
