// "Account Summary Status" driven as a user does: the pick list with its data-bound labels, the
// stored totals and the last transaction date, clearing, printing, and the history viewer.
#include "statusformtest.h"
#include "testsupport/locale_text.h"

#include "charts/chartwindow.h"
#include "chartstest/openchart.h"
#include "ui/help.h"
#include "ui/modal.h"
#include "ui/printing.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

using investtest::StatusForms;

const QString kName = QStringLiteral("Growth Fund").leftJustified(20);

class StatusForm : public StatusForms {
protected:
    void query(const char* account) {
        Form24->show();
        if (*account) {
            ASSERT_TRUE(Form24->DBLookupListBox1->selectText(QString::fromLatin1(account)));
        } else {
            Form24->DBLookupListBox1->clearSelection();
        }
        click(Form24, "Button1");
    }
    static QStringList results() {
        return texts(Form24, {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8",
                              "Edit10", "Edit9"});
    }
};

TEST_F(StatusForm, HasItsTextsAndStartsWithZeros) {
    EXPECT_EQ(Form24->windowTitle(), QStringLiteral("Account Summary Status"));
    EXPECT_EQ(Form24->Label1->text(), QStringLiteral("Account Summary Current Status"));
    EXPECT_EQ(Form24->GroupBox1->title(), QStringLiteral("Query Selection"));
    EXPECT_EQ(Form24->GroupBox2->title(), QStringLiteral("Query Results"));
    const struct {
        QWidget* control;
        const char* label;
    } labelled[] = {
        {Form24->DBLookupListBox1, "Account Number"},
        {Form24->DBText1, "Fund Number"},
        {Form24->DBText2, "Name"},
        {Form24->Edit1, "Fund Number"},
        {Form24->Edit2, "Name"},
        {Form24->Edit3, "Total Shares"},
        {Form24->Edit4, "Current Price"},
        {Form24->Edit5, "Current Balance"},
        {Form24->Edit6, "Gain/Loss Dollars"},
        {Form24->Edit7, "Gain/Loss Percent"},
        {Form24->Edit8, "Average Cost Per Share"},
        {Form24->Edit10, "Total Cost"},
        {Form24->Edit9, "Last Transaction Date"},
    };
    for (const auto& l : labelled) {
        SCOPED_TRACE(l.label);
        EXPECT_EQ(labelOf(Form24, l.control), QLatin1String(l.label));
        EXPECT_EQ(l.control->accessibleDescription(), l.control->objectName());
    }
    bool note = false;
    for (QLabel* label : Form24->findChildren<QLabel*>())
        note |= label->text() == QLatin1String("NOTE: You must click the account number to select it !");
    EXPECT_TRUE(note);
    const struct {
        QPushButton* button;
        const char* name;
        const char* caption;
    } buttons[] = {
        {Form24->Button1, "Button1", "Query"},        {Form24->Button2, "Button2", "Clear Results"},
        {Form24->Button4, "Button4", "Print Screen"}, {Form24->Button5, "Button5", "View History"},
        {Form24->Button3, "Button3", "Quit"},         {Form24->Button6, "Button6", "Help"}};
    for (const auto& b : buttons) {
        EXPECT_EQ(b.button->objectName(), QLatin1String(b.name));
        EXPECT_EQ(b.button->text(), QLatin1String(b.caption));
    }
    EXPECT_EQ(results(),
              nums({"0", "", "0.000", "   0.00", "   0.00", "   0.00", " 0.00", " 0.00", "   0.00", ""}));
}

TEST_F(StatusForm, QueryShowsTheStoredTotalsAndTheLastDate) {
    query("7");
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    // 150 shares at 12: value 1800, book value 1605, gain 195, ratio 195/1800 shown as the ratio.
    EXPECT_EQ(results(), nums({"1", kName, "150.000", "  12.00", "1800.00", " 195.00", " 0.11", "10.70",
                               "1605.00", "04/01/2004"}));
    EXPECT_EQ(Form24->DBLookupListBox1->selectedText(), QStringLiteral("7")) << "the pick stays";
    EXPECT_EQ(Form24->DBText1->text(), QStringLiteral("1"));
    EXPECT_EQ(Form24->DBText2->text(), kName);

    // After a posting the same query shows the new totals and the posting's date.
    {
        db::Connection connection(db::Alias::IBInvest);
        invest::PostedTransaction posted;
        ASSERT_EQ(invest::writePosting(
                      connection, {7, invest::PostingType::Sold, {30, 15, 5, 2, 0}, {5, 2, 2004}}, posted),
                  nullptr);
    }
    query("7");
    // 120 shares at 15: value 1800, book value 1605 - 443 = 1162, gain 638, 638/1800, 1162/120.
    EXPECT_EQ(results(), nums({"1", kName, "120.000", "  15.00", "1800.00", " 638.00", " 0.35", " 9.68",
                               "1162.00", "05/02/2004"}));
}

TEST_F(StatusForm, NothingIsWritten) {
    const QList<QVariantList> before = everything();
    query("7");
    query("8");
    click(Form24, "Button2");
    view(Form24, "Button5");
    EXPECT_EQ(everything(), before);
}

TEST_F(StatusForm, TheLabelsFollowThePick) {
    Form24->show();
    EXPECT_EQ(Form24->DBText1->text(), QStringLiteral("1")) << "the first row before any pick";
    EXPECT_EQ(Form24->DBText2->text(), kName);
    ASSERT_TRUE(Form24->DBLookupListBox1->selectText(QStringLiteral("8")));
    EXPECT_EQ(Form24->DBText1->text(), QStringLiteral("2"));
    EXPECT_EQ(Form24->DBText2->text(), QStringLiteral("O'Hara's Income").leftJustified(20));
    ASSERT_TRUE(Form24->DBLookupListBox1->selectText(QStringLiteral("9")));
    EXPECT_EQ(Form24->DBText1->text(), QStringLiteral("3"));
    Form24->refreshAccounts();
    EXPECT_EQ(Form24->DBText1->text(), QStringLiteral("3")) << "a refill keeps the pick";
}

TEST_F(StatusForm, BecomingActiveRereadsTheAccounts) {
    Form24->show();
    ASSERT_TRUE(Form24->DBLookupListBox1->selectText(QStringLiteral("8")));
    EXPECT_EQ(Form24->DBLookupListBox1->model()->rowCount(), 3);
    {
        db::Connection connection(db::Alias::IBInvest);
        invest::writeNewAccount(connection,
                                {5, QStringLiteral("Bond Fund"), 20, 5, 100, {3, 4, 2004}, false});
    }
    QApplication::setActiveWindow(Form27);
    QApplication::setActiveWindow(Form24);
    ASSERT_TRUE(Form24->isActiveWindow());
    EXPECT_EQ(Form24->DBLookupListBox1->model()->rowCount(), 4);
    EXPECT_EQ(Form24->DBLookupListBox1->selectedText(), QStringLiteral("8")) << "the pick stays";
    EXPECT_EQ(Form24->DBText1->text(), QStringLiteral("2"));
}

TEST_F(StatusForm, ClearResultsEmptiesTheBoxesAndKeepsThePick) {
    query("7");
    click(Form24, "Button2");
    EXPECT_EQ(results(), QStringList(10, QString()));
    EXPECT_EQ(Form24->DBLookupListBox1->selectedText(), QStringLiteral("7"));
    EXPECT_EQ(Form24->DBText2->text(), kName);
}

TEST_F(StatusForm, AnAccountWithoutLineItemsLeavesTheDateBoxAsItWas) {
    query("7");
    {
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery q(connection.database());
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM LINEITEM WHERE ACTNO = 9")));
    }
    query("9");
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(results(), nums({"3", QStringLiteral("Empty Fund").leftJustified(20), "0.000", "   0.00",
                               "   0.00", "   0.00", " 0.00", " 0.00", "   0.00", "04/01/2004"}));
}

TEST_F(StatusForm, WithoutAPickQueryAndViewHistoryStopAtTheConversion) {
    query("7");
    const QStringList shown = results();
    for (const char* button : {"Button1", "Button5"}) {
        SCOPED_TRACE(button);
        messages_.clear();
        Form24->DBLookupListBox1->clearSelection();
        const std::optional<Viewed> viewed = view(Form24, button);
        EXPECT_FALSE(viewed);
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_EQ(messages_.lastText(), QStringLiteral("'' is not a valid integer value"));
        EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Exception);
        EXPECT_EQ(results(), shown);
    }
}

TEST_F(StatusForm, ViewHistoryListsThePickedAccountsTransactions) {
    Form24->show();
    ASSERT_TRUE(Form24->DBLookupListBox1->selectText(QStringLiteral("7")));
    const std::optional<Viewed> viewed = view(Form24, "Button5");
    ASSERT_TRUE(viewed);
    EXPECT_EQ(viewed->form, Form27);
    EXPECT_EQ(Form24->account(), 7);
    EXPECT_EQ(viewed->rows, 2);
    EXPECT_EQ(viewed->types, (QStringList{"N", "B"}));
    const QStringList captions = {"Rec No", "Fund No", "Accout No",  "Name", "Date",     "Type",
                                  "Shares", "Price",   "Commission", "Fee",  "Dividend", "Item Cost"};
    EXPECT_EQ(viewed->captions, captions);
    EXPECT_FALSE(Form27->isVisible()) << "OK closes the viewer";

    ASSERT_TRUE(Form24->DBLookupListBox1->selectText(QStringLiteral("8")));
    EXPECT_EQ(view(Form24, "Button5")->types, QStringList{"N"});
}

TEST_F(StatusForm, ChartShowsTheAccountsValueAgainstItsBookValue) {
    {
        db::Connection connection(db::Alias::IBInvest);
        invest::PostedTransaction posted;
        ASSERT_EQ(invest::writePosting(
                      connection, {7, invest::PostingType::Sold, {30, 15, 5, 2, 0}, {5, 2, 2004}}, posted),
                  nullptr);
    }
    Form24->show();
    ASSERT_TRUE(Form24->DBLookupListBox1->selectText(QStringLiteral("7")));
    EXPECT_EQ(Form24->Button8->text(), QStringLiteral("Chart"));
    const chartstest::OpenedChart opened = chartstest::openChart(Form24->Button8);
    EXPECT_EQ(opened.views, 1);
    ASSERT_EQ(opened.shown, 1);
    const talvero::charts::Chart& chart = opened.chart;
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(chart.title, "Account Value Chart");
    ASSERT_EQ(chart.panels.size(), 1u);
    const auto& value = chart.panels[0].series.at(0);
    const auto& book = chart.panels[0].series.at(1);
    EXPECT_EQ(value.name, "Account Value");
    EXPECT_EQ(book.name, "Book Value");
    // One point per transaction (opening, bought, sold); the last is what the account row holds:
    // 120 shares at 15 and a book value of 1162.
    ASSERT_EQ(value.y.size(), 3u);
    EXPECT_EQ(value.labels.back(), "05/02/2004");
    EXPECT_EQ(value.labels[1], "04/01/2004");
    EXPECT_DOUBLE_EQ(value.y[1], 1800);
    EXPECT_DOUBLE_EQ(book.y[1], 1605);
    EXPECT_DOUBLE_EQ(value.y.back(), 1800);
    EXPECT_DOUBLE_EQ(book.y.back(), 1162);

    // Without a pick the chart stops at the conversion, as View History does.
    Form24->DBLookupListBox1->clearSelection();
    EXPECT_EQ(chartstest::openChart(Form24->Button8).shown, 0) << "no chart window";
    EXPECT_FALSE(messages_.empty());
}

TEST_F(StatusForm, TheViewersHaveTheirOwnCaptions) {
    const struct {
        invest::HistoryWindow* viewer;
        const char* name;
        const char* caption;
    } viewers[] = {{Form26, "Form26", "Account Transaction History"},
                   {Form27, "Form27", "Transaction Posting Results"}};
    for (const auto& v : viewers) {
        SCOPED_TRACE(v.name);
        EXPECT_EQ(v.viewer->objectName(), QLatin1String(v.name));
        EXPECT_EQ(v.viewer->windowTitle(), QLatin1String(v.caption));
        EXPECT_EQ(v.viewer->Label1->text(), QStringLiteral("Account Transaction History"));
        EXPECT_EQ(v.viewer->Label2->text(), QStringLiteral("Account Transaction History Detail "));
        EXPECT_EQ(v.viewer->Button1->text(), QStringLiteral("OK"));
        EXPECT_EQ(v.viewer->DBGrid1->objectName(), QStringLiteral("DBGrid1"));
    }
}

TEST_F(StatusForm, PrintScreenPrintsOnlyWhenConfirmed) {
    Form24->show();
    {
        ui::PrinterDialogInterceptor cancel(false);
        click(Form24, "Button4");
        EXPECT_EQ(cancel.dialogsShown(), 1);
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("status.pdf"));
    {
        ui::PrinterDialogInterceptor confirm(true, pdf);
        click(Form24, "Button4");
        EXPECT_EQ(confirm.dialogsShown(), 1);
    }
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_GT(QFile(pdf).size(), 0);
}

TEST_F(StatusForm, QuitClosesAndHelpOpensItsTopic) {
    ui::HelpRecorder help;
    Form24->show();
    click(Form24, "Button6");
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests()[0].topic, QStringLiteral("Viewing_an_Investment_Account_Summary"));
    EXPECT_TRUE(
        QFile::exists(ui::helpFolder() + QStringLiteral("/Viewing_an_Investment_Account_Summary.html")));
    click(Form24, "Button3");
    EXPECT_FALSE(Form24->isVisible());
}

// The "Returns" group: account 7 (100 at 10 on 03/01/2004, 50 bought at 12 with commission 5 on
// 04/01/2004, 150 at 12 today, 06/15/2004): the first sub-period grows 1000 to 1200, the second
// 1805 to 1800.
TEST_F(StatusForm, ReturnsAsOfADate) {
    EXPECT_EQ(text(Form24, "Edit11"), QStringLiteral("06152004")) << "today at first";
    for (const char* name : {"Edit11", "Edit12", "Edit13", "Edit14", "Edit15"})
        EXPECT_FALSE(labelOf(Form24, Form24->findChild<QWidget*>(QLatin1String(name))).isEmpty()) << name;
    const struct {
        const char* account;
        bool all;
        const char* asOf;
        const char* value;
        const char* xirr; // nullptr: a number
        QString ttwror;
    } cases[] = {
        {"7", false, "06152004", "1800.00", nullptr, QString::asprintf("%.6f", 1.2 * 1800 / 1805 - 1)},
        {"7", false, "", "1800.00", nullptr, QString::asprintf("%.6f", 1.2 * 1800 / 1805 - 1)},
        {"7", false, "03312004", "1000.00", "0.000000", QStringLiteral("0.000000")},
        {"9", false, "06152004", "   0.00", "n/a", QStringLiteral("n/a")},
        {"9", true, "06152004", "1850.00", nullptr, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.account) + " " + c.asOf);
        Form24->show();
        ASSERT_TRUE(Form24->DBLookupListBox1->selectText(QString::fromLatin1(c.account)));
        Form24->CheckBox1->setChecked(c.all);
        Form24->Edit11->setText(QString::fromLatin1(c.asOf));
        click(Form24, "Button7");
        EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
        EXPECT_EQ(text(Form24, "Edit12"), testsupport::num(c.value));
        if (c.xirr) {
            EXPECT_EQ(text(Form24, "Edit13"), testsupport::num(c.xirr));
        } else {
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^-?\\d+[.,]\\d{6}$"))
                            .match(text(Form24, "Edit13"))
                            .hasMatch())
                << text(Form24, "Edit13").toStdString();
        }
        if (!c.ttwror.isEmpty()) {
            EXPECT_EQ(text(Form24, "Edit14"), testsupport::num(c.ttwror));
        }
        EXPECT_EQ(text(Form24, "Edit15"), QStringLiteral("None")) << "no sales";
    }
    Form24->Edit11->setText(QStringLiteral("13012004"));
    click(Form24, "Button7");
    ASSERT_FALSE(messages_.empty());
    EXPECT_TRUE(messages_.lastText().startsWith(QStringLiteral("Invalid Transaction Date Entered!")));
}

} // namespace
