// "Business Retailing Calculations" driven as its user drives it.
#include "annuity/forms.h"
#include "form_support.h"

#include "ui/printing.h"

#include <QFile>
#include <memory>

namespace {

using namespace annuity_test;

const QString kRequired = QStringLiteral("You failed to enter a required field properly.  Please correct!");

class Form8Test : public ::testing::Test {
protected:
    std::unique_ptr<TForm8> form = std::make_unique<TForm8>();
    QDialog* f() { return form.get(); }
};

TEST_F(Form8Test, LayoutNamesAndInitialTexts) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Business Retailing Calculations"));
    EXPECT_EQ(tabCaptions(f()), (QStringList{"Percent Change", "Percent of Total", "Markup Over Cost",
                                             "Markup Over Price", "Markup Percent"}));
    expectNamedControls(f(), 15, 16);
    expectBoxes(f(), {
                         {"Edit1", "Old Value", "   0.00"},
                         {"Edit2", "New Value", "   0.00"},
                         {"Edit3", "Percentage Change (answer)", ""},
                         {"Edit4", "Partial Amount", "   0.00"},
                         {"Edit5", "Total Amount", "   0.00"},
                         {"Edit6", "Percent of Total (answer)", ""},
                         {"Edit7", "Price of Item", "   0.00"},
                         {"Edit8", "Cost of Item", "   0.00"},
                         {"Edit9", "Markup Percent of Cost (answer)", ""},
                         {"Edit11", "Cost of Item", "   0.00"},
                         {"Edit12", "Markup Percent of Price (answer)", ""},
                         {"Edit13", "Price of Item", "   0.00"},
                         {"Edit14", "Markup Percentage", "   0.00"},
                         {"Edit15", "Price with Markup (answer)", ""},
                     });
    bool hint = false;
    for (QLabel* l : form->findChildren<QLabel*>())
        hint = hint || l->text() == "Use decimal value (25% = .25)";
    EXPECT_TRUE(hint);
    const struct {
        const char* button;
        const char* caption;
    } prints[] = {{"Button3", "Print"},
                  {"Button6", "Print"},
                  {"Button9", "Prt/Screen"},
                  {"Button12", "Prt/Screen"},
                  {"Button15", "Prt/Screen"}};
    for (const auto& p : prints)
        EXPECT_EQ(button(f(), p.button)->text(), QString::fromLatin1(p.caption));
}

TEST_F(Form8Test, WorkedValues) {
    const WorkedCase cases[] = {
        {"percentage change", {{"Edit1", "100"}, {"Edit2", "125"}}, "Button2", "Edit3", "  25.00"},
        {"a falling value", {{"Edit1", "100"}, {"Edit2", "80"}}, "Button2", "Edit3", " -20.00"},
        {"percent of total", {{"Edit4", "25"}, {"Edit5", "200"}}, "Button5", "Edit6", "  12.50"},
        {"markup of cost", {{"Edit7", "150"}, {"Edit8", "100"}}, "Button8", "Edit9", "  50.00"},
        {"markup of price", {{"Edit10", "150"}, {"Edit11", "100"}}, "Button11", "Edit12", "  33.33"},
        {"price with markup", {{"Edit13", "80"}, {"Edit14", ".25"}}, "Button14", "Edit15", " 100.00"},
        {"price below cost, of cost", {{"Edit7", "90"}, {"Edit8", "100"}}, "Button8", "Edit9", " -10.00"},
        {"price below cost, of price",
         {{"Edit10", "90"}, {"Edit11", "100"}},
         "Button11",
         "Edit12",
         " -11.11"},
        {"markup typed as a percentage",
         {{"Edit13", "80"}, {"Edit14", "25"}},
         "Button14",
         "Edit15",
         "2080.00"},
    };
    for (const WorkedCase& c : cases)
        runWorked(f(), c);
}

TEST_F(Form8Test, RefusedInputsKeepTheEarlierAnswer) {
    type(f(), {{"Edit1", "100"}, {"Edit2", "125"}, {"Edit4", "25"}, {"Edit5", "200"}});
    press(f(), "Button2");
    press(f(), "Button5");
    ASSERT_EQ(text(f(), "Edit3"), testsupport::num("  25.00"));
    ASSERT_EQ(text(f(), "Edit6"), testsupport::num("  12.50"));
    const struct {
        const char* what;
        Typing typed;
        const char* compute;
        const char* answer;
        const char* shown;
        QString message;
    } failures[] = {
        {"zero new value", {{"Edit2", "0"}}, "Button2", "Edit3", "  25.00", kRequired},
        {"negative old value",
         {{"Edit1", "-100"}, {"Edit2", "125"}},
         "Button2",
         "Edit3",
         "  25.00",
         kRequired},
        {"old value not a number",
         {{"Edit1", "one hundred"}, {"Edit2", "x"}},
         "Button2",
         "Edit3",
         "  25.00",
         QStringLiteral("'one hundred' is not a valid floating point value")},
        {"the partial amount is read first",
         {{"Edit4", "abc"}, {"Edit5", "xyz"}},
         "Button5",
         "Edit6",
         "  12.50",
         QStringLiteral("'abc' is not a valid floating point value")},
        {"overflow",
         {{"Edit4", "1e308"}, {"Edit5", "1e-300"}},
         "Button5",
         "Edit6",
         "  12.50",
         QStringLiteral("Floating point overflow")},
        {"initial zeros", {}, "Button8", "Edit9", "", kRequired},
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(c.what);
        ui::MessageRecorder messages;
        type(f(), c.typed);
        press(f(), c.compute);
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.lastText(), c.message);
        EXPECT_EQ(text(f(), c.answer), testsupport::num(c.shown));
    }
}

TEST_F(Form8Test, HelpPrintAndQuit) {
    expectHelpButtons(f(), {
                               {"Button4", "Calculating_the_Percent_Change"},
                               {"Button7", "Calculating_the_Percent_of_Total"},
                               {"Button10", "Calculating_the_Markup_Percentage_of_Cost"},
                               {"Button13", "Calculating_the_Markup_Percentage_of_Price"},
                               {"Button16", "Calculating_the_Price_Considering_Percentage_Markup"},
                           });
    EXPECT_EQ(f1Context(button(f(), "Button13")), 6);
    EXPECT_EQ(f1Context(edit(f(), "Edit14")), 6);

    {
        ui::PrinterDialogInterceptor cancel(false);
        for (const char* b : {"Button3", "Button6", "Button9", "Button12", "Button15"})
            press(f(), b);
        EXPECT_EQ(cancel.dialogsShown(), 5);
    }

    form->show();
    press(f(), "Button1");
    EXPECT_FALSE(form->isVisible());
}

} // namespace
