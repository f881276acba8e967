// "Post Investment Transaction" driven as a user does: the checks, the accounting of every type
// through one account, the history shown after each posting, and failures that must leave the
// account and its line items as they were.
#include "formtest.h"

#include "db/faults.h"
#include "db/testsupport/fault.h"
#include "db/testsupport/smalldisk.h"
#include "invest/store.h"
#include "ui/help.h"
#include "ui/modal.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include <cmath>

namespace {

using investtest::Forms;

struct Typed {
    int type = 0; // list position: B, C, D, F, S, U
    const char* shares = "0";
    const char* price = "0";
    const char* commission = "0";
    const char* fee = "0";
    const char* dividend = "0";
    const char* date = "04012004";
};

// What the results form showed.
struct History {
    int rows = 0;
    QStringList captions;
    QStringList lastRow;
};

class PostForm : public Forms {
protected:
    void SetUp() override {
        Forms::SetUp();
        // Account 7: 100 shares at 10, book value 1000; account 8 stays untouched.
        openAccounts();
    }

    void type(const Typed& t) {
        Form22->ComboBox1->setCurrentIndex(t.type);
        setText(Form22, "Edit1", QString::fromLatin1(t.date));
        setText(Form22, "Edit2", typedNumber(t.shares));
        setText(Form22, "Edit3", typedNumber(t.price));
        setText(Form22, "Edit4", typedNumber(t.commission));
        setText(Form22, "Edit5", typedNumber(t.fee));
        setText(Form22, "Edit6", typedNumber(t.dividend));
    }
    QStringList typedTexts() const {
        QStringList texts;
        for (const char* edit : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"})
            texts << text(Form22, edit);
        return texts << QString::number(Form22->ComboBox1->currentIndex());
    }
    // Opens the form, picks the account (none when `account` is empty), types and presses Post.
    void post(const char* account, const Typed& t) {
        history_.reset();
        shown_ = 0;
        Form22->show();
        if (*account) {
            ASSERT_TRUE(Form22->DBLookupListBox1->selectText(QString::fromLatin1(account)));
        }
        type(t);
        ui::ModalInterceptor modal([this](QDialog* form) {
            EXPECT_EQ(form, Form23);
            ++shown_;
            Form23->show();
            History h;
            QAbstractItemModel* grid = Form23->DBGrid1->model();
            h.rows = grid->rowCount();
            for (int c = 0; c < grid->columnCount(); ++c) {
                h.captions << grid->headerData(c, Qt::Horizontal).toString();
                h.lastRow << grid->index(h.rows - 1, c).data().toString();
            }
            history_ = h;
            click(Form23, "Button1");
            return Form23->result();
        });
        click(Form22, "Button2");
    }

    static QList<QVariantList> account(int actno) {
        return rows(QStringLiteral("SELECT * FROM INVESTSUMMARY WHERE ACTNO = %1").arg(actno));
    }
    static QList<QVariantList> lineItems(int actno) {
        return rows(QStringLiteral("SELECT * FROM LINEITEM WHERE ACTNO = %1 ORDER BY RECNO").arg(actno));
    }

    std::optional<History> history_;
    int shown_ = 0;
};

// Compares a row with values worked by hand; doubles to 1e-9.
void expectRow(const QVariantList& actual, const QVariantList& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        if (expected[i].typeId() == QMetaType::Double) {
            EXPECT_NEAR(actual[i].toDouble(), expected[i].toDouble(), 1e-9);
            EXPECT_TRUE(std::isfinite(actual[i].toDouble()));
        } else {
            EXPECT_EQ(actual[i].toString(), expected[i].toString());
        }
    }
}

const QString kName = QStringLiteral("Growth Fund").leftJustified(20);

TEST_F(PostForm, StartsWithItsInitialTextsAndTheAccountList) {
    EXPECT_EQ(Form22->windowTitle(), QStringLiteral("Post Investment Transaction"));
    EXPECT_EQ(Form22->Label1->text(), QStringLiteral("Post Transaction"));
    const QStringList initial = {"06152004", "0.00000", "0.00000000", " 0.00", " 0.00", " 0.00", "0"};
    EXPECT_EQ(typedTexts(), nums(initial));
    QStringList items;
    for (int i = 0; i < Form22->ComboBox1->count(); ++i)
        items << Form22->ComboBox1->itemText(i);
    const QStringList types = {"B = Bought Shares", "C = Cash Dividend", "D = Dividend in Shares ",
                               "F =  Fee in Cash",  "S = Sold Shares",   "U = Unit Shares Fee"};
    EXPECT_EQ(items, types);
    const char* labels[] = {"Date",    "Shares this Transaction", "Trade Price", "Commission Paid", "Fee",
                            "Dividend"};
    for (int i = 0; i < 6; ++i) {
        QLineEdit* edit = Form22->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i + 1));
        bool labelled = false;
        for (QLabel* label : Form22->findChildren<QLabel*>())
            labelled |= label->buddy() == edit && label->text() == QLatin1String(labels[i]);
        EXPECT_TRUE(labelled) << labels[i];
    }

    Form22->show();
    QAbstractItemModel* grid = Form22->DBGrid1->model();
    ASSERT_EQ(grid->rowCount(), 2);
    QStringList captions;
    for (int c = 0; c < grid->columnCount(); ++c)
        captions << grid->headerData(c, Qt::Horizontal).toString();
    const QStringList expected = {"Fund No",      "Account No",         "Name",      "Current Price",
                                  "Total Shares", "Total Cost",         "Balance",   "Gain Dollars",
                                  "Gain Percent", "Average Share Cost", "Last Price"};
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(grid->index(1, 2).data().toString(), QStringLiteral("O'Hara's Income").leftJustified(20));
    EXPECT_EQ(grid->index(0, 4).data().toString(), testsupport::num("100.000"));
    EXPECT_EQ(grid->index(1, 6).data().toString(), testsupport::num("50.00"));
    EXPECT_EQ(Form22->DBLookupListBox1->model()
                  ->index(0, Form22->DBLookupListBox1->modelColumn())
                  .data()
                  .toString(),
              QStringLiteral("7"));
}

TEST_F(PostForm, EveryTypeThroughOneAccount) {
    // Account 7 starts with 100 shares at 10 and a book value of 1000. Each step: what is typed,
    // then the account row and the new line item worked out by hand.
    // Account: CURRENTPRICE, TOTSHARES, TOTBOOKVALUE, TOTVALUE, GAINDOLLARS, GAINPERCENT, AVERAGECOST,
    // LASTPRICE. Line item: TRANSDATE, TRANSTYPE, SHARES, PRICE, COMMISSION, FEE, DIVIDEND, BOOKVALUE.
    const struct {
        const char* what;
        Typed typed;
        QVariantList account;
        QVariantList item;
        const char* itemCost; // as the history grid shows it
    } steps[] = {
        {"buy 50 at 12, commission 5",
         {0, "50", "12", "5", "0", "0", "04012004"},
         {12.0, 150.0, 1605.0, 1800.0, 195.0, 195.0 / 1800, 10.70, 10.0},
         {"04/01/2004", "B", 50.0, 12.0, 5.0, 0.0, 0.0, 605.0},
         "605.00"},
        {"buy 25 at 14, commission 10, fee 2.50",
         {0, "25", "14", "10", "2.50", "0", "04152004"},
         {14.0, 175.0, 1967.5, 2450.0, 482.5, 482.5 / 2450, 1967.5 / 175, 12.0},
         {"04/15/2004", "B", 25.0, 14.0, 10.0, 2.5, 0.0, 362.5},
         "362.50"},
        {"cash dividend 87.50 at 14",
         {1, "0", "14", "0", "0", "87.50", "05012004"},
         {14.0, 175.0, 1880.0, 2450.0, 570.0, 570.0 / 2450, 1880.0 / 175, 14.0},
         {"05/01/2004", "C", 0.0, 0.0, 0.0, 0.0, 87.5, -87.5},
         "-87.50"},
        {"dividend of 5 shares at 16",
         {2, "5", "16", "0", "0", "0", "05152004"},
         {16.0, 180.0, 1800.0, 2880.0, 1080.0, 0.375, 10.0, 14.0},
         {"05/15/2004", "D", 5.0, 16.0, 0.0, 0.0, 80.0, -80.0},
         "-80.00"},
        {"fee in cash 20, price and shares boxes ignored",
         {3, "3", "99", "0", "20", "0", "06012004"},
         {16.0, 180.0, 1820.0, 2880.0, 1060.0, 1060.0 / 2880, 1820.0 / 180, 16.0},
         {"06/01/2004", "F", 0.0, 0.0, 0.0, 20.0, 0.0, 20.0},
         "20.00"},
        {"unit fee of 2 shares at 18, date left empty",
         {5, "2", "18", "0", "0", "0", ""},
         {18.0, 178.0, 1856.0, 3204.0, 1348.0, 1348.0 / 3204, 1856.0 / 178, 16.0},
         {"06/15/2004", "U", 2.0, 18.0, 0.0, 36.0, 0.0, 36.0},
         "36.00"},
        {"sell 78 at 20, commission 7, fee 3",
         {4, "78", "20", "7", "3", "0", "06152004"},
         {20.0, 100.0, 306.0, 2000.0, 1694.0, 1694.0 / 2000, 3.06, 18.0},
         {"06/15/2004", "S", 78.0, 20.0, 7.0, 3.0, 0.0, -1550.0},
         "-1550.00"},
        {"sell every share, 100 at 21",
         {4, "100", "21", "0", "0", "0", "06152004"},
         {21.0, 0.0, -1794.0, 0.0, 1794.0, 1794.0 / 2100, (2100.0 - 1794) / 100, 20.0},
         {"06/15/2004", "S", 100.0, 21.0, 0.0, 0.0, 0.0, -2100.0},
         "-2100.00"},
    };
    const QList<QVariantList> other = account(8) + lineItems(8);
    const QVariantList opening = lineItems(7).value(0);
    int recno = 2; // after the two opening rows
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        messages_.clear();
        post("7", step.typed);
        ASSERT_TRUE(messages_.empty()) << messages_.lastText().toStdString();

        const QList<QVariantList> accountRows = account(7);
        ASSERT_EQ(accountRows.size(), 1);
        expectRow(accountRows[0], QVariantList{1, 7, kName} + step.account);
        const QList<QVariantList> items = lineItems(7);
        ASSERT_EQ(items.size(), recno);
        EXPECT_EQ(items.first(), opening);
        expectRow(items.last(), QVariantList{++recno, 1, 7, kName} + step.item);

        // The results form lists every transaction of the account, the new one last.
        ASSERT_TRUE(history_);
        EXPECT_EQ(history_->rows, items.size());
        EXPECT_EQ(history_->lastRow.value(11), testsupport::num(step.itemCost));
        EXPECT_TRUE(Form22->isVisible()) << "the posting form stays open";
    }
    EXPECT_EQ(account(8) + lineItems(8), other);
    const QStringList captions = {"Rec No", "Fund No", "Account No", "Name", "Date",     "Type",
                                  "Shares", "Price",   "Commission", "Fee",  "Dividend", "Item Cost"};
    EXPECT_EQ(history_->captions, captions);
    EXPECT_EQ(history_->lastRow.mid(4, 4), nums({"06/15/2004", "S", "100.000", "21.00"}));

    // The account's transactions as the library reads them, in posting order.
    {
        db::Connection connection(db::Alias::IBInvest);
        const QList<invest::LineItemRow> read = invest::readLineItems(connection, 7);
        ASSERT_EQ(read.size(), 9);
        EXPECT_EQ(read.first().TRANSTYPE, QStringLiteral("N"));
        EXPECT_EQ(read.last().RECNO, 10);
        EXPECT_EQ(read.last().TRANSTYPE, QStringLiteral("S"));
        EXPECT_EQ(read.last().BOOKVALUE, -2100.0);
        EXPECT_EQ(read.last().NAME, kName);
    }

    // The account list shows the new totals.
    QAbstractItemModel* grid = Form22->DBGrid1->model();
    EXPECT_EQ(grid->index(0, 4).data().toString(), testsupport::num(".000"));
    EXPECT_EQ(grid->index(0, 5).data().toString(), testsupport::num("-1794.00"));
}

TEST_F(PostForm, TheWorkedExampleFromOneHundredShares) {
    post("7", {0, "50", "12", "5", "0", "0"});
    expectRow(account(7).value(0),
              {1, 7, kName, 12.0, 150.0, 1605.0, 1800.0, 195.0, 195.0 / 1800, 10.70, 10.0});
    post("7", {4, "30", "15", "5", "2", "0"});
    expectRow(account(7).value(0),
              {1, 7, kName, 15.0, 120.0, 1162.0, 1800.0, 638.0, 638.0 / 1800, 1162.0 / 120, 12.0});
    post("7", {4, "120", "15", "0", "0", "0"});
    expectRow(account(7).value(0),
              {1, 7, kName, 15.0, 0.0, -638.0, 0.0, 638.0, 638.0 / 1800, (1800.0 - 638) / 120, 15.0});
    EXPECT_TRUE(messages_.empty());
}

TEST_F(PostForm, ChecksStopAtTheFirstFailureAndWriteNothing) {
    // clang-format off
    const char* const sharesAndPrice = "You failed to enter a required field. You must enter both the shares and price. Comissions and Fees are optional. Please correct!";
    const char* const badDate = "Invalid Transaction Date Entered!\nUse MMDDCCYY format--(8 digits total).\nDo not use spaces, slashes, etc.\nThe CENTURY must be included.\nBe sure month, day, and year are valid.\n\nPlease re-enter correctly.\n\nNOTE: A blank transaction date is acceptable.\nThis field will automatically be todays date if\nleft blank.";
    const char* const big = "1000000000";
    const struct {
        const char* what;
        const char* account;
        Typed typed;
        ui::MessageKind kind;
        const char* message;
    } cases[] = {
        {"no account selected", "", {0, "50", "12"}, ui::MessageKind::Exception, "'' is not a valid integer value"},
        {"price before shares", "7", {0, "s", "p"}, ui::MessageKind::Plain, "'p' is not a valid floating point value"},
        {"shares", "7", {0, "s", "12"}, ui::MessageKind::Plain, "'s' is not a valid floating point value"},
        {"commission before the date", "7", {0, "50", "12", "c", "0", "0", "ab012004"}, ui::MessageKind::Plain, "'c' is not a valid floating point value"},
        {"date before the fee", "7", {0, "50", "12", "5", "f", "0", "ab012004"}, ui::MessageKind::Plain, "'ab' is not a valid integer value"},
        {"fee", "7", {0, "50", "12", "5", "f", "d"}, ui::MessageKind::Plain, "'f' is not a valid floating point value"},
        {"dividend", "7", {0, "50", "12", "5", "0", "d"}, ui::MessageKind::Plain, "'d' is not a valid floating point value"},
        {"bought without shares", "7", {0, "0", "12"}, ui::MessageKind::Plain, sharesAndPrice},
        {"sold without a price", "7", {4, "5", "0"}, ui::MessageKind::Plain, sharesAndPrice},
        {"cash dividend without a dividend", "7", {1, "0", "12"}, ui::MessageKind::Plain, "You failed to enter a required field. You must enter the dividend to complete. this tranaction. Please correct!"},
        {"dividend in shares without shares", "7", {2, "0", "12"}, ui::MessageKind::Plain, "You failed to enter a required field. You must enter the shares and price to complete this tranaction. Please correct!"},
        {"fee in cash without a fee", "7", {3, "5", "12", "5"}, ui::MessageKind::Plain, "You failed to enter a required field. You must enter the fee amount to post a fee in cash. Please correct!"},
        {"unit fee without a price", "7", {5, "5", "0"}, ui::MessageKind::Plain, "You failed to enter a required field. You must enter both the shares and price to post a Unit Share Fee. Please correct!"},
        {"dividend before fee", "7", {1, "0", "12", "0", "+1", "1e2"}, ui::MessageKind::Error, "Invalid dividend entered!\nYou entered a non numeric value.\nPlease re-enter."},
        {"dividend too large", "7", {1, "0", "12", "0", "0", big}, ui::MessageKind::Error, "Invalid dividend entered!\nAmount exceeds allowable value.\nPlease enter a dividend not greater\n than $999,999,999.99\n"},
        {"fee with a sign", "7", {3, "0", "0", "0", "+1"}, ui::MessageKind::Error, "Invalid Fee entered!\nYou entered a non numeric value.\nPlease re-enter."},
        {"fee too large", "7", {3, "0", "0", "0", big}, ui::MessageKind::Error, "Invalid fee entered!\nAmount exceeds allowable value.\nPlease enter a price not greater\n than $999,999,999.99\n"},
        {"commission with an exponent", "7", {0, "5", "12", "1e1"}, ui::MessageKind::Error, "Invalid commission entered!\nYou entered a non numeric value.\nPlease re-enter."},
        {"commission too large", "7", {0, "5", "12", big}, ui::MessageKind::Error, "Invalid commission entered!\nAmount exceeds allowable value.\nPlease enter a commission not\n greater than $999,999,999.99\n"},
        {"price with an exponent", "7", {0, "5", "1e1"}, ui::MessageKind::Error, "Invalid price entered!\nYou entered a non numeric value.\nPlease re-enter."},
        {"price too large", "7", {0, "5", big}, ui::MessageKind::Error, "Invalid Price entered!\nAmount exceeds allowable value.\nPlease enter a price not greater\n than $999,999,999.99\n"},
        {"shares with an exponent", "7", {0, "5e0", "12"}, ui::MessageKind::Error, "Invalid Shares for this transaction entered!\nYou entered a non numeric value.\nPlease re-enter."},
        {"shares too many", "7", {0, big, "12"}, ui::MessageKind::Error, "Invalid Shares entered!\nAmount exceeds allowable value.\nPlease enter a share amount not\n greater than $999,999,999.99\n"},
        {"month 13", "7", {0, "5", "12", "0", "0", "0", "13012004"}, ui::MessageKind::Error, badDate},
        {"day 00", "7", {0, "5", "12", "0", "0", "0", "01002004"}, ui::MessageKind::Error, badDate},
        {"cash dividend at price 0", "7", {1, "0", "0", "0", "0", "30"}, ui::MessageKind::Exception, "Floating point division by zero"},
    };
    // clang-format on
    const QList<QVariantList> before = everything();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages_.clear();
        Form22->DBLookupListBox1->clearSelection();
        post(c.account, c.typed);
        const Typed& t = c.typed;
        const QStringList typed = {t.date,
                                   typedNumber(t.shares),
                                   typedNumber(t.price),
                                   typedNumber(t.commission),
                                   typedNumber(t.fee),
                                   typedNumber(t.dividend),
                                   QString::number(t.type)};
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_EQ(messages_.lastText(), QString::fromLatin1(c.message));
        EXPECT_EQ(messages_.lastKind(), c.kind);
        EXPECT_EQ(shown_, 0);
        EXPECT_TRUE(Form22->isVisible());
        EXPECT_EQ(typedTexts(), typed);
        EXPECT_EQ(Form22->DBLookupListBox1->selectedText(), QLatin1String(c.account));
        EXPECT_EQ(everything(), before);
    }
}

TEST_F(PostForm, DivisionsByZeroChangeNothing) {
    // A blank account holds nothing at price 0: a fee in cash has no value to divide by.
    {
        db::Connection connection(db::Alias::IBInvest);
        invest::writeNewAccount(connection, {9, QStringLiteral("Empty Fund"), 0, 0, 0, {3, 1, 2004}, true});
    }
    const QList<QVariantList> before = everything();
    const struct {
        const char* account;
        Typed typed;
        const char* message;
    } cases[] = {
        {"9", {3, "0", "0", "0", "5"}, "Floating point division by zero"},
        {"9", {1, "0", "10", "0", "0", "4"}, "Floating point division by zero"},
        {"9", {4, "10", "5"}, "Invalid floating point operation"},
    };
    for (const auto& c : cases) {
        messages_.clear();
        post(c.account, c.typed);
        EXPECT_EQ(messages_.lastText(), QLatin1String(c.message));
        EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Exception);
        EXPECT_EQ(shown_, 0);
        EXPECT_EQ(everything(), before);
    }
    // With the current price entered, a cash dividend lowers the book value by the dividend.
    messages_.clear();
    post("7", {1, "0", "10", "0", "0", "30"});
    EXPECT_TRUE(messages_.empty());
    expectRow(account(7).value(0), {1, 7, kName, 10.0, 100.0, 970.0, 1000.0, 30.0, 0.03, 9.70, 10.0});
    // A first purchase into the blank account gives it shares, value and average cost.
    post("9", {0, "10", "5"});
    expectRow(account(9).value(0), {3, 9, QStringLiteral("Empty Fund").leftJustified(20), 5.0, 10.0, 50.0,
                                    50.0, 0.0, 0.0, 5.0, 0.0});
}

TEST_F(PostForm, AFailureBetweenTheAccountAndTheLineItemChangesNothing) {
    post("7", {0, "50", "12", "5"});
    ASSERT_TRUE(messages_.empty());
    const QList<QVariantList> before = everything();
    db::testing::InsertFault fault(db::Alias::IBInvest, QStringLiteral("LINEITEM"), 0);
    post("7", {4, "30", "15", "5", "2"});
    EXPECT_EQ(messages_.lastText(), db::testing::InsertFault::faultMessage(0));
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
    EXPECT_EQ(shown_, 0);
    EXPECT_FALSE(Form22->isVisible()) << "the posting form closes";
    EXPECT_EQ(everything(), before);
}

// A real full disk: a small file system with a few kilobytes left when Post runs. The form stays
// open with what was typed, so the same posting goes through once there is room.
TEST_F(PostForm, AFullDiskSaysSoChangesNothingAndKeepsWhatWasTyped) {
    db::testing::SmallDisk disk(512 * 1024);
    if (!disk.available()) GTEST_SKIP() << disk.why().toStdString();
    qputenv("TALVERO_HOME", QFile::encodeName(disk.path()));
    openAccounts();
    const QList<QVariantList> before = everything();
    disk.fill(2048);
    post("7", {0, "50", "12", "5"});
    EXPECT_EQ(
        messages_.lastText(),
        db::diskFullMessage(db::Alias::IBInvest, QDir(disk.path()).filePath(QStringLiteral("invest.db"))));
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
    EXPECT_EQ(shown_, 0);
    EXPECT_TRUE(Form22->isVisible()) << "the posting form stays open";
    const QStringList kept = typedTexts();
    type({0, "50", "12", "5"});
    EXPECT_EQ(kept, typedTexts());
    EXPECT_EQ(everything(), before);
    disk.freeUp();
    messages_.clear();
    post("7", {0, "50", "12", "5"});
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(shown_, 1);
    EXPECT_EQ(lineItems(7).size(), 2);
}

TEST_F(PostForm, QuitClosesAndHelpOpensItsTopic) {
    ui::HelpRecorder help;
    Form22->show();
    click(Form22, "Button3");
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests()[0].topic, QStringLiteral("Posting_an_Investment_Transaction"));
    EXPECT_TRUE(QFile::exists(ui::helpFolder() + QStringLiteral("/Posting_an_Investment_Transaction.html")));
    click(Form22, "Button1");
    EXPECT_FALSE(Form22->isVisible());
}

TEST_F(PostForm, TheResultsFormHasItsTexts) {
    EXPECT_EQ(Form23->windowTitle(), QStringLiteral("Transaction Posting Results"));
    EXPECT_EQ(Form23->Label1->text(), QStringLiteral("Transaction Posting Results"));
    EXPECT_EQ(Form23->Label2->text(), QStringLiteral("Account Transaction History Detail "));
    EXPECT_EQ(Form23->Button1->text(), QStringLiteral("OK"));
    EXPECT_EQ(Form23->DBGrid1->objectName(), QStringLiteral("DBGrid1"));
}

} // namespace
