// "Investment Annuities" driven as its user drives it.
#include "annuity/forms.h"
#include "form_support.h"

#include "ui/printing.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace {

using namespace annuity_test;

class Form6Test : public ::testing::Test {
protected:
    std::unique_ptr<TForm6> form = std::make_unique<TForm6>();
    QDialog* f() { return form.get(); }
};

TEST_F(Form6Test, LayoutNamesAndInitialTexts) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Investment Annuities"));
    EXPECT_EQ(tabCaptions(f()), (QStringList{"FV Single Deposit", "FV Regular Deposits", "PV Single Deposit",
                                             "PV Regular Deposits", "IRR"}));
    expectNamedControls(f(), 24, 16);
    expectBoxes(f(), {
                         {"Edit1", "FV of what amount ?", "   0.00"},
                         {"Edit2", "APR", "   0.00"},
                         {"Edit3", "Interest Payments per Year", "      0"},
                         {"Edit4", "Number of Years", "      0"},
                         {"Edit5", "Future Value (answer)", ""},
                         {"Edit8", "Number of Payments per Year", "      0"},
                         {"Edit11", "PV of what amount ?", "   0.00"},
                         {"Edit15", "Present Value (answer)", ""},
                         {"Edit16", "Regular Deposit Amount", "   0.00"},
                         {"Edit20", "Present Value of Deposits (answer)", ""},
                         {"Edit21", "Value at Start of Period", "   0.00"},
                         {"Edit22", "Value at End of Period", "   0.00"},
                         {"Edit23", "Investment Period in Years", "      0"},
                         {"Edit24", "Internal Rate of Return (answer)", ""},
                     });
    EXPECT_EQ(button(f(), "Button1")->text(), QStringLiteral("Quit"));
    EXPECT_EQ(button(f(), "Button14")->text(), QStringLiteral("Compute"));
    EXPECT_EQ(button(f(), "Button15")->text(), QStringLiteral("Prt/Screen"));
    EXPECT_EQ(button(f(), "Button16")->text(), QStringLiteral("Help"));
    EXPECT_FALSE(edit(f(), "Edit5")->isReadOnly()) << "answer boxes are plain edit boxes";
}

TEST_F(Form6Test, WorkedValues) {
    const WorkedCase cases[] = {
        {"FV single deposit",
         {{"Edit1", "1000"}, {"Edit2", "6"}, {"Edit3", "12"}, {"Edit4", "10"}},
         "Button2",
         "Edit5",
         "1819.40"},
        {"fractional years",
         {{"Edit1", "1000"}, {"Edit2", "5"}, {"Edit3", "4"}, {"Edit4", "2.5"}},
         "Button2",
         "Edit5",
         "1132.27"},
        {"FV regular deposits",
         {{"Edit6", "100"}, {"Edit7", "6"}, {"Edit8", "12"}, {"Edit9", "10"}},
         "Button5",
         "Edit10",
         "16387.93"},
        {"PV single deposit",
         {{"Edit11", "1000"}, {"Edit12", "6"}, {"Edit13", "12"}, {"Edit14", "10"}},
         "Button8",
         "Edit15",
         " 549.63"},
        {"PV regular deposits",
         {{"Edit16", "100"}, {"Edit17", "6"}, {"Edit18", "12"}, {"Edit19", "10"}},
         "Button11",
         "Edit20",
         "9007.35"},
        {"growth rate",
         {{"Edit21", " 1000 "}, {"Edit22", "2000"}, {"Edit23", "10"}},
         "Button14",
         "Edit24",
         "   7.18"},
    };
    for (const WorkedCase& c : cases)
        runWorked(f(), c);
}

TEST_F(Form6Test, InitialZerosAreRefusedAndLeaveTheAnswerEmpty) {
    for (const char* compute : {"Button2", "Button5", "Button8", "Button11", "Button14"}) {
        SCOPED_TRACE(compute);
        ui::MessageRecorder messages;
        press(f(), compute);
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.lastText(),
                  QStringLiteral("You failed to enter a required field properly.  Please correct!"));
        EXPECT_EQ(messages.lastKind(), ui::MessageKind::Plain);
    }
    for (const char* answer : {"Edit5", "Edit10", "Edit15", "Edit20", "Edit24"})
        EXPECT_EQ(text(f(), answer), "");
}

TEST_F(Form6Test, AFailedComputeKeepsTheEarlierAnswer) {
    type(f(), {{"Edit1", "1000"}, {"Edit2", "6"}, {"Edit3", "12"}, {"Edit4", "10"}});
    press(f(), "Button2");
    ASSERT_EQ(text(f(), "Edit5"), testsupport::num("1819.40"));

    const struct {
        const char* what;
        Typing typed;
        const char* message;
    } failures[] = {
        {"rate not a number; later boxes not read",
         {{"Edit2", "6%"}, {"Edit3", "x"}, {"Edit4", "0"}},
         "'6%' is not a valid floating point value"},
        {"empty years",
         {{"Edit2", "6"}, {"Edit3", "12"}, {"Edit4", ""}},
         "'' is not a valid floating point value"},
        {"negative amount",
         {{"Edit1", "-1000"}, {"Edit4", "10"}},
         "You failed to enter a required field properly.  Please correct!"},
        {"zero per year",
         {{"Edit1", "1000"}, {"Edit3", "0"}},
         "You failed to enter a required field properly.  Please correct!"},
        {"overflow",
         {{"Edit1", "1e300"}, {"Edit2", "1e6"}, {"Edit3", "1"}, {"Edit4", "1000"}},
         "Floating point overflow"},
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(c.what);
        ui::MessageRecorder messages;
        type(f(), c.typed);
        press(f(), "Button2");
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.lastText(), QString::fromLatin1(c.message));
        EXPECT_EQ(text(f(), "Edit5"), testsupport::num("1819.40"));
        EXPECT_EQ(form->failed, 0) << "Compute clears the failed flag";
    }
    {
        ui::MessageRecorder messages;
        press(f(), "Button2");
        EXPECT_EQ(messages.lastKind(), ui::MessageKind::Error) << "a floating-point fault is an error box";
    }
    // The tab works again once the boxes are right, and the growth tab reads only its own boxes.
    type(f(), {{"Edit1", "1000"}, {"Edit2", "6"}, {"Edit3", "12"}, {"Edit4", "10"}});
    press(f(), "Button2");
    EXPECT_EQ(text(f(), "Edit5"), testsupport::num("1819.40"));
    EXPECT_DOUBLE_EQ(form->periods, 120.0);
}

TEST_F(Form6Test, HelpButtonsJumpToTheirTopics) {
    const struct {
        const char* button;
        const char* topic;
        int f1;
    } cases[] = {
        {"Button4", "Calculating_the_Future_Value_of_a_Single_Deposit", 33},
        {"Button7", "Calculating_the_Future_Value_of_a_Regular_Deposit", 32},
        {"Button10", "Calculating_the_Present_Value_of_a_Single_Deposit", 4},
        {"Button13", "Calculating_the_Present_Value_of_a_Regular_Deposit", 30},
        {"Button16", "Calculating_the_Internal_Rate_of_Return", 29},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        ui::setApplicationHelpFile(QStringLiteral("C:\\Talvero\\TALVERO.HLP"));
        {
            ui::HelpRecorder help;
            press(f(), c.button);
            ASSERT_EQ(help.requests().size(), 1);
            EXPECT_EQ(help.requests()[0].kind, ui::HelpRequest::Topic);
            EXPECT_EQ(help.requests()[0].topic, QString::fromLatin1(c.topic));
            EXPECT_EQ(help.requests()[0].helpFile, QStringLiteral("talvero.hlp"));
        }
        EXPECT_EQ(ui::applicationHelpFile(), QStringLiteral("Talvero.hlp"));
        EXPECT_TRUE(QFile::exists(ui::helpFolder() + "/" + c.topic + ".html"));
        EXPECT_EQ(f1Context(button(f(), c.button)), c.f1);
    }
    EXPECT_EQ(f1Context(edit(f(), "Edit1")), 4) << "controls without their own context use the form's";
    EXPECT_EQ(f1Context(f()), 4);
}

TEST_F(Form6Test, PrintButtonsPrintAnImageOfTheFormOnlyWhenConfirmed) {
    {
        ui::PrinterDialogInterceptor cancel(false);
        for (const char* b : {"Button3", "Button6", "Button9", "Button12", "Button15"})
            press(f(), b);
        EXPECT_EQ(cancel.dialogsShown(), 5);
    }
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/form6.pdf");
    {
        ui::PrinterDialogInterceptor cancel(false, pdf);
        press(f(), "Button3");
    }
    EXPECT_FALSE(QFile::exists(pdf)) << "cancelling prints nothing";
    {
        ui::PrinterDialogInterceptor confirm(true, pdf);
        press(f(), "Button3");
    }
    QFile out(pdf);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.readAll().contains("/Image"));
}

TEST_F(Form6Test, QuitHidesTheFormAndItsTextsStay) {
    type(f(), {{"Edit21", "1000"}, {"Edit22", "2000"}, {"Edit23", "10"}});
    press(f(), "Button14");
    form->show();
    ASSERT_TRUE(form->isVisible());
    press(f(), "Button1");
    EXPECT_FALSE(form->isVisible());
    form->show();
    EXPECT_EQ(text(f(), "Edit24"), testsupport::num("   7.18"));
    EXPECT_EQ(text(f(), "Edit21"), QStringLiteral("1000"));
    form->hide();
}

} // namespace
