// "Delete Account" and "Delete Transaction" driven as a user does: the texts, the pick lists and the
// selected row's texts, the status box after each outcome, and faults that leave everything as it
// was.
#include "formtest.h"

#include "invest/deleteforms.h"
#include "invest/store.h"
#include "ui/help.h"
#include "ui/modal.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTableView>

namespace {

// clang-format off
const char* const kNoSelection = "You failed to properly select an account number or there is no account which can be deleted.  You will be returned to the main window!";
// clang-format on

class DeleteForms : public investtest::Forms {
protected:
    void SetUp() override {
        Forms::SetUp();
        Form28 = new TForm28;
        Form29 = new TForm29;
        db::Connection connection(db::Alias::IBInvest);
        // Account 7: 100 shares at 10, book value 1000, then 50 bought at 12 (record 3);
        // account 8 beside it.
        invest::writeNewAccount(connection,
                                {7, QStringLiteral("Growth Fund"), 10, 100, 1000, {3, 1, 2004}, false});
        invest::writeNewAccount(connection,
                                {8, QStringLiteral("O'Hara's Income"), 5, 10, 50, {3, 2, 2004}, false});
        invest::PostedTransaction posted;
        invest::writePosting(connection, {7, invest::PostingType::Bought, {50, 12, 5, 0, 0}, {4, 1, 2004}},
                             posted);
    }
    void TearDown() override {
        delete Form29;
        delete Form28;
        Form28 = nullptr;
        Form29 = nullptr;
        Forms::TearDown();
    }

    static void execute(const QString& statement) {
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery query(connection.database());
        ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
    }
    static QStringList captions(QTableView* grid) {
        QStringList all;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            all << grid->model()->headerData(c, Qt::Horizontal).toString();
        return all;
    }
    static QStringList labels(QWidget* form) {
        QStringList all;
        for (QLabel* label : form->findChildren<QLabel*>())
            if (!label->objectName().startsWith(QLatin1String("DBText"))) all << label->text();
        return all;
    }
    // Shows the form, picks the entry (none when empty) and presses Delete.
    void remove(invest::DeleteWindow* form, const char* entry) {
        form->show();
        form->DBLookupListBox1->clearSelection();
        if (*entry) {
            ASSERT_TRUE(form->DBLookupListBox1->selectText(QString::fromLatin1(entry))) << entry;
        }
        form->Button2->click();
    }
};

TEST_F(DeleteForms, DeleteAccountHasItsTextsAndFollowsTheSelection) {
    EXPECT_EQ(Form28->windowTitle(), QStringLiteral("Delete Account"));
    EXPECT_EQ(Form28->Edit17->text(), QStringLiteral("No Activity"));
    EXPECT_TRUE(Form28->Edit17->isReadOnly());
    EXPECT_EQ(Form28->GroupBox1->title(), QStringLiteral("Selection/Status"));
    const QStringList texts = {
        "Delete an Account from the System",
        "Select from an Account Above",
        "WARNING:  This permanently deletes this account and all activity from the system",
        "Account Number",
        "Fund Number",
        "Name",
        "Deletion Status",
        "NOTE: You must click the account number to select it !"};
    EXPECT_EQ(labels(Form28), texts);
    EXPECT_EQ((QStringList{Form28->Button2->text(), Form28->Button1->text(), Form28->Button3->text()}),
              (QStringList{"Delete", "Quit", "Help"}));

    Form28->show();
    const QStringList expected = {"Fund No",      "Account No",        "Name",      "Current Price",
                                  "Total Shares", "Total Cost",        "Balance",   "Gain Dollars",
                                  "Gain Percent", "Average Per Share", "Last Price"};
    EXPECT_EQ(captions(Form28->DBGrid1), expected);
    QAbstractItemModel* grid = Form28->DBGrid1->model();
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->index(0, 4).data().toString(), testsupport::num("150.00")) << "shares as #.00";
    EXPECT_EQ(grid->index(0, 9).data().toString(), testsupport::num("10.70"));

    EXPECT_EQ(Form28->DBText2->text(), QString());
    ASSERT_TRUE(Form28->DBLookupListBox1->selectText(QStringLiteral("8")));
    EXPECT_EQ(Form28->DBText2->text(), QStringLiteral("2"));
    EXPECT_EQ(Form28->DBText1->text(), QStringLiteral("O'Hara's Income").leftJustified(20));
    EXPECT_EQ(Form28->DBText2->accessibleDescription(), QStringLiteral("DBText2"));
}

TEST_F(DeleteForms, DeletingAnAccount) {
    const QList<QVariantList> kept = rows(QStringLiteral("SELECT * FROM INVESTSUMMARY WHERE ACTNO = 8")) +
                                     rows(QStringLiteral("SELECT * FROM LINEITEM WHERE ACTNO = 8"));
    remove(Form28, "7");
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(Form28->Edit17->text(), QStringLiteral("Account Deleted"));
    EXPECT_TRUE(Form28->isVisible());
    EXPECT_EQ(everything(), kept);
    EXPECT_EQ(Form28->DBGrid1->model()->rowCount(), 1) << "the list is read again";
    EXPECT_EQ(Form28->DBText2->text(), QString());
}

TEST_F(DeleteForms, DeleteAccountRefusals) {
    execute(QStringLiteral("INSERT INTO INVESTSUMMARY (FUNDNO, ACTNO, NAME) VALUES (30, 0, 'Zero')"));
    const QList<QVariantList> before = everything();
    const struct {
        const char* what;
        const char* entry;
        ui::MessageKind kind;
        const char* message;
        bool closes;
    } cases[] = {
        {"no selection", "", ui::MessageKind::Exception, "'' is not a valid integer value", false},
        {"account number 0", "0", ui::MessageKind::Plain, kNoSelection, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages_.clear();
        remove(Form28, c.entry);
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_EQ(messages_.lastText(), QString::fromLatin1(c.message));
        EXPECT_EQ(messages_.lastKind(), c.kind);
        EXPECT_EQ(Form28->isVisible(), !c.closes);
        EXPECT_EQ(Form28->Edit17->text(), QStringLiteral("No Activity"));
        EXPECT_EQ(everything(), before);
    }
}

TEST_F(DeleteForms, AFailedAccountDeletionKeepsEverything) {
    const QList<QVariantList> before = everything();
    execute(QStringLiteral("CREATE TRIGGER INJECTED_FAULT BEFORE DELETE ON LINEITEM BEGIN "
                           "SELECT RAISE(ABORT, 'injected fault'); END"));
    remove(Form28, "7");
    EXPECT_EQ(Form28->Edit17->text(), QStringLiteral("Deletion Failure"));
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Plain);
    EXPECT_TRUE(messages_.lastText().contains(QStringLiteral("injected fault")))
        << messages_.lastText().toStdString();
    EXPECT_TRUE(Form28->isVisible());
    execute(QStringLiteral("DROP TRIGGER INJECTED_FAULT"));
    EXPECT_EQ(everything(), before);
}

TEST_F(DeleteForms, DeleteTransactionHasItsTextsAndFollowsTheSelection) {
    EXPECT_EQ(Form29->windowTitle(), QStringLiteral("Delete Transaction"));
    EXPECT_EQ(Form29->Edit17->text(), QStringLiteral("No Activity"));
    const QStringList texts = {"Delete a Transaction from the System",
                               "Select a Record Number Above",
                               "WARNING:  This permanently deletes a transaction from the system",
                               "Record Number",
                               "Account Number",
                               "Name",
                               "Deletion Status",
                               "NOTE: You must click the record number to select it !"};
    EXPECT_EQ(labels(Form29), texts);

    Form29->show();
    const QStringList expected = {"Record No", "Fund No", "Account No", "Name", "Date",     "Type",
                                  "Shares",    "Price",   "Commission", "Fee",  "Dividend", "Item Cost"};
    EXPECT_EQ(captions(Form29->DBGrid1), expected);
    QAbstractItemModel* grid = Form29->DBGrid1->model();
    ASSERT_EQ(grid->rowCount(), 3);
    // Ordered by account number: account 7's two rows, then account 8's.
    EXPECT_EQ(grid->index(2, 2).data().toString(), QStringLiteral("8"));
    ASSERT_TRUE(Form29->DBLookupListBox1->selectText(QStringLiteral("3")));
    EXPECT_EQ(Form29->DBText2->text(), QStringLiteral("7"));
    EXPECT_EQ(Form29->DBText1->text(), QStringLiteral("Growth Fund").leftJustified(20));
}

TEST_F(DeleteForms, DeletingTheWorkedExamplesPurchase) {
    remove(Form29, "3");
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
    EXPECT_EQ(Form29->Edit17->text(), QStringLiteral("Transaction Deleted"));
    // 100 shares valued at the last price 10, both prices 12.
    const QVariantList account = rows(QStringLiteral("SELECT * FROM INVESTSUMMARY WHERE ACTNO = 7")).value(0);
    const QVariantList expected = {
        1,    7,   QStringLiteral("Growth Fund").leftJustified(20), 12.0, 100.0, 1000.0, 1000.0, 0.0, 0.0,
        10.0, 12.0};
    EXPECT_EQ(account, expected);
    EXPECT_EQ(count("LINEITEM"), 2);
    EXPECT_EQ(Form29->DBGrid1->model()->rowCount(), 2) << "the list is read again";
}

TEST_F(DeleteForms, DeleteTransactionFailures) {
    const QList<QVariantList> before = everything();
    const struct {
        const char* what;
        const char* entry;
        const char* trigger; // none: no fault
        ui::MessageKind kind;
        const char* message; // contained in the message
        const char* status;
    } cases[] = {
        {"no selection", "", nullptr, ui::MessageKind::Exception, "'' is not a valid integer value",
         "No Activity"},
        {"deleting the line item fails", "3", "BEFORE DELETE ON LINEITEM", ui::MessageKind::Plain,
         "injected fault", "Deletion Failure"},
        {"writing the rolled-back totals fails", "3", "BEFORE UPDATE ON INVESTSUMMARY",
         ui::MessageKind::Plain, "injected fault", "Rollback Failure"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages_.clear();
        if (c.trigger)
            execute(QStringLiteral(
                        "CREATE TRIGGER INJECTED_FAULT %1 BEGIN SELECT RAISE(ABORT, 'injected fault'); END")
                        .arg(QLatin1String(c.trigger)));
        remove(Form29, c.entry);
        if (c.trigger) execute(QStringLiteral("DROP TRIGGER INJECTED_FAULT"));
        ASSERT_EQ(messages_.messages().size(), 1);
        EXPECT_TRUE(messages_.lastText().contains(QLatin1String(c.message)))
            << messages_.lastText().toStdString();
        EXPECT_EQ(messages_.lastKind(), c.kind);
        EXPECT_EQ(Form29->Edit17->text(), QLatin1String(c.status));
        EXPECT_TRUE(Form29->isVisible());
        EXPECT_EQ(everything(), before);
    }
}

TEST_F(DeleteForms, QuitClosesAndHelpOpensTheTopics) {
    const struct {
        invest::DeleteWindow* form;
        const char* topic;
    } cases[] = {
        {Form28, "Deleting_an_Investment_Account"},
        {Form29, "Deleting_an_Investment_Account_Transaction"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.topic);
        ui::HelpRecorder help;
        c.form->show();
        c.form->Button3->click();
        ASSERT_EQ(help.requests().size(), 1);
        EXPECT_EQ(help.requests()[0].topic, QLatin1String(c.topic));
        EXPECT_TRUE(QFile::exists(ui::helpFolder() + QLatin1Char('/') + QLatin1String(c.topic) +
                                  QStringLiteral(".html")));
        c.form->Button1->click();
        EXPECT_FALSE(c.form->isVisible());
    }
}

} // namespace
