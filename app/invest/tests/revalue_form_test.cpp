// "Revalue Investment Anaylsis" driven as a user does: "Query", "What If?" writing nothing, "Post"
// with its "R" line item dated the day the program started, the checks, a failure part way through
// a post, and the history viewer.
#include "statusformtest.h"

#include "db/testsupport/fault.h"
#include "ui/help.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>

namespace {

using investtest::StatusForms;

// clang-format off
const char* const kNotNumeric = "Invalid price entered!\nYou entered a non numeric or unallowed value.\nPlease re-enter.";
const char* const kNotPositive = "Invalid price entered!\nNegative or Zero amount not allowed.\nPlease re-enter.";
const char* const kTooLarge = "Invalid Price entered!\nAmount exceeds allowable value.\nPlease enter a price not greater\n than $999,999,999.99\n";
const char* const kNoShares = "Cannot perform a revalue when\nthe number of shares in the\n database is not greater than\n zero. Cannot revalue this\n account at this time.\n";
// clang-format on

const QString kName = QStringLiteral("Growth Fund").leftJustified(20);

class RevalueForm : public StatusForms {
protected:
    // Opens the form, picks the account (none when empty), types the price and presses `button`.
    void press(const char* button, const char* account, const QString& price = QString()) {
        if (!Form25->isVisible()) Form25->show();
        if (*account) {
            ASSERT_TRUE(Form25->DBLookupListBox1->selectText(QString::fromLatin1(account)));
        } else {
            Form25->DBLookupListBox1->clearSelection();
        }
        if (!price.isNull()) setText(Form25, "Edit17", price);
        click(Form25, button);
    }
    // Total Shares, Current Price, Balance, Gain/Loss Dollars, Gain/Loss Percent, Average Cost Per
    // Share, Total Cost, Last Transaction Date, Revalue Status.
    static QStringList results() {
        return texts(Form25,
                     {"Edit1", "Edit2", "Edit11", "Edit12", "Edit13", "Edit14", "Edit16", "Edit15", "Edit3"});
    }
    static QList<QVariantList> account(int actno) {
        return rows(QStringLiteral("SELECT * FROM INVESTSUMMARY WHERE ACTNO = %1").arg(actno));
    }
    static QList<QVariantList> lineItems(int actno) {
        return rows(QStringLiteral("SELECT * FROM LINEITEM WHERE ACTNO = %1 ORDER BY RECNO").arg(actno));
    }
};

TEST_F(RevalueForm, HasItsTextsAndStartsWithZeros) {
    EXPECT_EQ(Form25->windowTitle(), QStringLiteral("Revalue Investment Anaylsis"));
    EXPECT_EQ(Form25->Label1->text(), QStringLiteral("Revalue Investment Analysis"));
    EXPECT_EQ(Form25->GroupBox1->title(), QStringLiteral("Selection/Input"));
    EXPECT_EQ(Form25->GroupBox2->title(), QStringLiteral("Results"));
    const struct {
        QWidget* control;
        const char* label;
    } labelled[] = {
        {Form25->DBLookupListBox1, "Account Number"},
        {Form25->DBText2, "Fund Number"},
        {Form25->DBText1, "Name"},
        {Form25->Edit17, "Revalue Price"},
        {Form25->Edit1, "Total Shares"},
        {Form25->Edit2, "Current Price"},
        {Form25->Edit11, "Balance"},
        {Form25->Edit12, "Gain/Loss Dollars"},
        {Form25->Edit13, "Gain/Loss Percent"},
        {Form25->Edit14, "Average Cost Per Share"},
        {Form25->Edit15, "Last Transaction Date"},
        {Form25->Edit16, "Total Cost"},
        {Form25->Edit3, "Revalue Status"},
    };
    for (const auto& l : labelled) {
        SCOPED_TRACE(l.label);
        EXPECT_EQ(labelOf(Form25, l.control), QLatin1String(l.label));
        EXPECT_EQ(l.control->accessibleDescription(), l.control->objectName());
    }
    const struct {
        QPushButton* button;
        const char* name;
        const char* caption;
    } buttons[] = {{Form25->Button4, "Button4", "Query"}, {Form25->Button1, "Button1", "What If?"},
                   {Form25->Button2, "Button2", "Post"},  {Form25->Button5, "Button5", "View History"},
                   {Form25->Button3, "Button3", "Quit"},  {Form25->Button6, "Button6", "Help"}};
    for (const auto& b : buttons) {
        EXPECT_EQ(b.button->objectName(), QLatin1String(b.name));
        EXPECT_EQ(b.button->text(), QLatin1String(b.caption));
    }
    EXPECT_EQ(results(),
              nums({"0.000", " 0.00", " 0.00", " 0.00", " 0.00", " 0.00", " 0.00", "00000", "None"}));
    EXPECT_EQ(text(Form25, "Edit17"), testsupport::num(" 0.00"));
}

TEST_F(RevalueForm, WhatIfShowsTheFiguresAtThePriceAndWritesNothing) {
    const QList<QVariantList> before = everything();
    press("Button1", "7", typedNumber("14"));
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    // 150 shares, book value 1605 at 14: 2100, gain 495, ratio 0.2357, average 10.70.
    EXPECT_EQ(results(), nums({"150.000", "  14.00", "2100.00", " 495.00", " 0.24", "10.70", "1605.00",
                               "04/01/2004", "What If"}));
    EXPECT_EQ(everything(), before);

    // "Query" shows the stored figures again.
    press("Button4", "7");
    EXPECT_EQ(results(), nums({"150.000", "  12.00", "1800.00", " 195.00", " 0.11", "10.70", "1605.00",
                               "04/01/2004", "Query"}));
    EXPECT_EQ(everything(), before);
}

TEST_F(RevalueForm, PostStoresTheFiguresAndAnRLineItem) {
    const QList<QVariantList> other = account(8) + lineItems(8) + account(9) + lineItems(9);
    press("Button2", "7", typedNumber("14"));
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(results(), nums({"150.000", "  14.00", "2100.00", " 495.00", " 0.24", "10.70", "1605.00",
                               "04/01/2004", "Posted"}));
    const QVariantList stored = account(7).value(0);
    const QVariantList expected = {1,      7,     kName,        14.0,  150.0, 1605.0,
                                   2100.0, 495.0, 495.0 / 2100, 10.70, 12.0};
    ASSERT_EQ(stored.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        if (i < 3)
            EXPECT_EQ(stored[i].toString(), expected[i].toString());
        else
            EXPECT_NEAR(stored[i].toDouble(), expected[i].toDouble(), 1e-9);
    }
    const QList<QVariantList> items = lineItems(7);
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items.last(),
              (QVariantList{5, 1, 7, kName, "06/15/2004", "R", 150.0, 14.0, 0.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(account(8) + lineItems(8) + account(9) + lineItems(9), other);

    // "Query" afterwards shows the stored revaluation and its date.
    press("Button4", "7");
    EXPECT_EQ(results(), nums({"150.000", "  14.00", "2100.00", " 495.00", " 0.24", "10.70", "1605.00",
                               "06/15/2004", "Query"}));
}

TEST_F(RevalueForm, ARevaluationPostedAfterMidnightCarriesTheStartDate) {
    ui::TodayOverride nextDay(QDate(2004, 6, 16));
    press("Button2", "7", typedNumber("14"));
    EXPECT_EQ(lineItems(7).last().value(4).toString(), QStringLiteral("06/15/2004"));
    // A form created on the next day dates its revaluations that day.
    delete Form25;
    Form25 = new TForm25;
    press("Button2", "7", typedNumber("15"));
    EXPECT_EQ(lineItems(7).last().value(4).toString(), QStringLiteral("06/16/2004"));
    EXPECT_DOUBLE_EQ(account(7).value(0).value(10).toDouble(), 14.0) << "LASTPRICE: the price before";
}

TEST_F(RevalueForm, ChecksStopTheCommandAndWriteNothing) {
    press("Button4", "7");
    const QStringList shown = results();
    const QList<QVariantList> before = everything();
    const struct {
        const char* what;
        const char* account;
        const char* price;
        ui::MessageKind kind;
        const char* message;
    } cases[] = {
        {"no account selected", "", "14", ui::MessageKind::Exception, "'' is not a valid integer value"},
        {"a price that is no number", "7", "abc", ui::MessageKind::Exception,
         "'abc' is not a valid floating point value"},
        {"a price with a sign", "7", "+14", ui::MessageKind::Error, kNotNumeric},
        {"a negative price", "7", "-14", ui::MessageKind::Error, kNotNumeric},
        {"a zero price", "7", "0", ui::MessageKind::Error, kNotPositive},
        {"a price too large", "7", "1000000000", ui::MessageKind::Error, kTooLarge},
        {"an account with no shares", "9", "14", ui::MessageKind::Error, kNoShares},
    };
    for (const auto& c : cases) {
        for (const char* button : {"Button1", "Button2"}) {
            SCOPED_TRACE(std::string(c.what) + " " + button);
            messages_.clear();
            press(button, c.account, typedNumber(c.price));
            ASSERT_EQ(messages_.messages().size(), 1);
            EXPECT_EQ(messages_.lastText(), QString::fromLatin1(c.message));
            EXPECT_EQ(messages_.lastKind(), c.kind);
            EXPECT_EQ(results(), shown) << "nothing computed";
            EXPECT_EQ(text(Form25, "Edit17"), typedNumber(c.price)) << "the price stays as typed";
            EXPECT_EQ(everything(), before);
        }
    }
}

TEST_F(RevalueForm, AFailureBetweenTheAccountAndTheLineItemChangesNothing) {
    const QList<QVariantList> before = everything();
    db::testing::InsertFault fault(db::Alias::IBInvest, QStringLiteral("LINEITEM"), 0);
    press("Button2", "7", typedNumber("14"));
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastText(), db::testing::InsertFault::faultMessage(0));
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
    EXPECT_EQ(text(Form25, "Edit3"), QStringLiteral("What If"));
    EXPECT_TRUE(Form25->isVisible()) << "the form stays open";
    EXPECT_EQ(everything(), before);
}

TEST_F(RevalueForm, OpeningAgainShowsNone) {
    press("Button2", "7", typedNumber("14"));
    EXPECT_EQ(text(Form25, "Edit3"), QStringLiteral("Posted"));
    Form25->hide();
    Form25->show();
    EXPECT_EQ(text(Form25, "Edit3"), QStringLiteral("None"));
}

TEST_F(RevalueForm, BecomingActiveShowsNoneAndRereadsTheAccounts) {
    press("Button1", "7", typedNumber("14"));
    EXPECT_EQ(text(Form25, "Edit3"), QStringLiteral("What If"));
    {
        db::Connection connection(db::Alias::IBInvest);
        invest::writeNewAccount(connection,
                                {5, QStringLiteral("Bond Fund"), 20, 5, 100, {3, 4, 2004}, false});
    }
    QApplication::setActiveWindow(Form26);
    QApplication::setActiveWindow(Form25);
    ASSERT_TRUE(Form25->isActiveWindow());
    EXPECT_EQ(text(Form25, "Edit3"), QStringLiteral("None"));
    EXPECT_EQ(Form25->DBLookupListBox1->model()->rowCount(), 4);
    EXPECT_EQ(Form25->DBLookupListBox1->selectedText(), QStringLiteral("7")) << "the pick stays";
    EXPECT_EQ(Form25->DBText1->text(), kName);
}

TEST_F(RevalueForm, ViewHistoryListsThePickedAccountsTransactions) {
    press("Button2", "7", typedNumber("14"));
    const std::optional<Viewed> viewed = view(Form25, "Button5");
    ASSERT_TRUE(viewed);
    EXPECT_EQ(viewed->form, Form26);
    EXPECT_EQ(Form25->account(), 7);
    EXPECT_EQ(viewed->types, (QStringList{"N", "B", "R"}));
    EXPECT_EQ(viewed->captions.value(2), QStringLiteral("Accout No"));
}

TEST_F(RevalueForm, QuitClosesAndHelpOpensItsTopic) {
    ui::HelpRecorder help;
    Form25->show();
    click(Form25, "Button6");
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests()[0].topic, QStringLiteral("Revaluing_an_Investment_Account"));
    EXPECT_TRUE(QFile::exists(ui::helpFolder() + QStringLiteral("/Revaluing_an_Investment_Account.html")));
    click(Form25, "Button3");
    EXPECT_FALSE(Form25->isVisible());
}

} // namespace
