// The File menu's database commands, given as a user gives them: "Save Loan Data to DB" after the
// loan and balloon forms' calculations, and the six maintenance commands running their scripts on
// the test's own data folder.
#include "balloon/forms.h"
#include "db/connection.h"
#include "db/datafolder.h"
#include "db/testsupport/fault.h"
#include "dbfile.h"
#include "loan/forms.h"
#include "portfolio/forms.h"
#include "savedloans.h"
#include "shell/mainform.h"
#include "shell/maintenance.h"
#include "shell/startup.h"
#include "ui/form.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QVariant>
#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure messages.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// clang-format off
const char* const kAllSaved = "All loan data previously saved";
const char* const kSavingRegular = "Balloon loan data saved previously. Saving non-balloon loan data";
const char* const kSavingBalloon = "Non-balloon loan data saved previously. Saving balloon loan data";
const char* const kSavingBoth = "Talvero will now save balloon and non-balloon data";
const char* const kSaved = "Loan Data Saved";
// clang-format on

TEST(SavePlan, ByTheTwoUnsavedCounts) {
    const struct {
        int regular, balloon;
        const char* message;
        bool saveRegular, saveBalloon;
    } cases[] = {
        {0, 0, kAllSaved, false, false},      {-1, 0, kAllSaved, false, false},
        {0, -3, kAllSaved, false, false},     {1, 0, kSavingRegular, true, false},
        {4, -1, kSavingRegular, true, false}, {0, 1, kSavingBalloon, false, true},
        {-2, 2, kSavingBalloon, false, true}, {1, 1, kSavingBoth, true, true},
        {3, 7, kSavingBoth, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.regular << " " << c.balloon);
        const shell::SavePlan plan = shell::savePlan(c.regular, c.balloon);
        EXPECT_STREQ(plan.message, c.message);
        EXPECT_EQ(plan.saveRegular, c.saveRegular);
        EXPECT_EQ(plan.saveBalloon, c.saveBalloon);
    }
}

QAction* item(const char* name) {
    for (QAction* a : MainForm->findChildren<QAction*>())
        if (a->objectName() == QLatin1String(name)) return a;
    return nullptr;
}

QString dataFile(const QString& name) {
    return QDir(db::dataFolderPath()).filePath(name);
}

using shelltest::column;

// LOANNO and BLPAY ("-" for a regular loan) of every saved loan.
// A loan database not made yet (nothing saved since start-up) holds no loans.
QStringList savedLoans() {
    if (!QFileInfo::exists(dataFile(QStringLiteral("loan.db")))) return {};
    return column(
        dataFile(QStringLiteral("loan.db")),
        QStringLiteral("SELECT LOANNO || ' ' || ifnull(BLPAY, '-') FROM LOANSUMMARY ORDER BY LOANNO"));
}

QStringList texts(const ui::MessageRecorder& recorder) {
    QStringList all;
    for (const auto& m : recorder.messages()) {
        EXPECT_EQ(m.kind, ui::MessageKind::Plain) << m.text.toStdString();
        all << m.text;
    }
    return all;
}

class FileMenu : public ::testing::Test {
protected:
    void SetUp() override {
        shell::initialiseApplication(*qApp);
        shell::createForms();
    }
    void TearDown() override { shell::destroyForms(); }

    // One calculation on the loan form: the default loan, first due 07/01/2004.
    void computeRegular() {
        ui::ensureBuilt(Form1);
        Form1->PageControl1->setCurrentIndex(TForm1::CalcPayment);
        Form1->findChild<QLineEdit*>(QStringLiteral("Edit5"))->setText(QStringLiteral("07012004"));
        Form1->findChild<QPushButton*>(QStringLiteral("Button4"))->click();
    }
    // One calculation on the balloon form: the default balloon loan, first due 07/01/2004.
    void computeBalloon() {
        ui::ensureBuilt(Form10);
        Form10->PageControl1->setCurrentIndex(TForm10::CalcPayment);
        Form10->findChild<QLineEdit*>(QStringLiteral("Edit5"))->setText(QStringLiteral("07012004"));
        Form10->findChild<QPushButton*>(QStringLiteral("Button4"))->click();
    }
    void save() {
        messages_.clear();
        item("FileSaveItem")->trigger();
    }

    ui::TodayOverride today_{QDate(2004, 6, 1)};
    ui::MessageRecorder messages_;
    // The payout windows a calculation opens close at once.
    ui::ModalInterceptor modal_{[](QDialog* d) { return d->result(); }};
};

TEST_F(FileMenu, SaveWithNothingCalculatedWritesNothing) {
    save();
    EXPECT_EQ(texts(messages_), QStringList{QString::fromLatin1(kAllSaved)});
    EXPECT_EQ(savedLoans(), QStringList{});
}

TEST_F(FileMenu, SaveAfterOneRegularCalculationThenASecondSaveAtOnce) {
    computeRegular();
    ASSERT_EQ(Form1->UnsavedCount, 1);
    ASSERT_EQ(Form10->UnsavedCount, 0);
    save();
    EXPECT_EQ(texts(messages_),
              (QStringList{QString::fromLatin1(kSavingRegular), QString::fromLatin1(kSaved)}));
    EXPECT_EQ(savedLoans(), QStringList{QStringLiteral("1 -")});
    // 360 payments from 07/2004: a subtotal after each December but the last, the closing one, the total.
    EXPECT_EQ(column(dataFile(QStringLiteral("loan.db")), QStringLiteral("SELECT count(*) FROM LOANDETAIL")),
              QStringList{QStringLiteral("392")});
    EXPECT_EQ(Form1->UnsavedCount, 0);
    EXPECT_EQ(Form10->UnsavedCount, 0);

    save();
    EXPECT_EQ(texts(messages_), QStringList{QString::fromLatin1(kAllSaved)});
    EXPECT_EQ(savedLoans(), QStringList{QStringLiteral("1 -")});
}

TEST_F(FileMenu, SaveAfterOneBalloonCalculation) {
    computeBalloon();
    ASSERT_EQ(Form10->UnsavedCount, 1);
    save();
    EXPECT_EQ(texts(messages_),
              (QStringList{QString::fromLatin1(kSavingBalloon), QString::fromLatin1(kSaved)}));
    EXPECT_EQ(savedLoans(), QStringList{QStringLiteral("1 60.0")});
    EXPECT_EQ(Form1->UnsavedCount, 0);
    EXPECT_EQ(Form10->UnsavedCount, 0);
}

TEST_F(FileMenu, SaveAfterBothSavesTheRegularLoanThenTheBalloonLoan) {
    computeRegular();
    computeRegular();
    computeBalloon();
    ASSERT_EQ(Form1->UnsavedCount, 2);
    ASSERT_EQ(Form10->UnsavedCount, 1);
    save();
    EXPECT_EQ(texts(messages_), (QStringList{QString::fromLatin1(kSavingBoth), QString::fromLatin1(kSaved),
                                             QString::fromLatin1(kSaved)}));
    EXPECT_EQ(savedLoans(), (QStringList{QStringLiteral("1 -"), QStringLiteral("2 60.0")}));
    EXPECT_EQ(Form1->UnsavedCount, 0);
    EXPECT_EQ(Form10->UnsavedCount, 0);
    save();
    EXPECT_EQ(texts(messages_), QStringList{QString::fromLatin1(kAllSaved)});
}

TEST_F(FileMenu, AFailedRegularSaveKeepsItsCountAndTheBalloonLoanIsStillSaved) {
    computeRegular();
    computeBalloon();
    {
        // The regular schedule has 392 rows, the balloon saving schedule fewer than 100.
        db::testing::InsertFault fault(db::Alias::IBLoan, QStringLiteral("LOANDETAIL"), 100);
        save();
    }
    EXPECT_EQ(texts(messages_),
              (QStringList{QString::fromLatin1(kSavingBoth), db::testing::InsertFault::faultMessage(100),
                           QString::fromLatin1(kSaved)}));
    EXPECT_EQ(savedLoans(), QStringList{QStringLiteral("1 60.0")});
    EXPECT_EQ(Form1->UnsavedCount, 1) << "the regular loan can be saved again";
    EXPECT_EQ(Form10->UnsavedCount, 0);
    save();
    EXPECT_EQ(texts(messages_),
              (QStringList{QString::fromLatin1(kSavingRegular), QString::fromLatin1(kSaved)}));
    EXPECT_EQ(savedLoans(), (QStringList{QStringLiteral("1 60.0"), QStringLiteral("2 -")}));
}

// Opens the portfolio from the File menu and returns the LOANNO column of its list.
QStringList portfolioLoans() {
    QStringList loans;
    ui::ModalInterceptor open([&loans](QDialog* d) {
        EXPECT_EQ(d, Form17);
        // Becoming the active window reads the saved loans.
        Form17->FormActivate();
        QAbstractItemModel* m = Form17->DBGrid1->model();
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->headerData(c, Qt::Horizontal).toString() == QStringLiteral("LOANNO"))
                for (int r = 0; r < m->rowCount(); ++r)
                    loans << m->index(r, c).data().toString();
        return int(QDialog::Rejected);
    });
    item("FileOpenItem")->trigger();
    return loans;
}

// Waits for what a script started without waiting leaves behind.
bool waitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 30000);
}

TEST_F(FileMenu, AfterRestoreLoanDbThePortfolioListsTheRestoredLoans) {
    ASSERT_EQ(portfoliotest::saveRegular({12000, 12, 100, 661.86, 0, 0}), 1);
    ASSERT_EQ(portfoliotest::saveBalloon({30000, 360, 250, 9000, 0, 0}, 60), 2);
    EXPECT_EQ(portfolioLoans(), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));

    item("FilePrintItem")->trigger();
    const QString latest = dataFile(QStringLiteral("backups/loan-latest.db"));
    ASSERT_TRUE(waitFor([&latest] { return QFileInfo::exists(latest); })) << "the backup script ran";

    // The blank database is in place when the command returns.
    item("RestoreaBlankDB1")->trigger();
    EXPECT_EQ(savedLoans(), QStringList{});
    EXPECT_EQ(portfolioLoans(), QStringList{});
    ASSERT_EQ(portfoliotest::saveRegular({5000, 6, 0, 100, 0, 0}), 1);
    EXPECT_EQ(portfolioLoans(), QStringList{QStringLiteral("1")});

    item("FilePrintSetupItem")->trigger();
    EXPECT_EQ(Form17->DBGrid1->model()->rowCount(), 0) << "the hidden portfolio holds no loan connection";
    EXPECT_EQ(portfolioLoans(), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(savedLoans(), (QStringList{QStringLiteral("1 -"), QStringLiteral("2 60.0")}));
    EXPECT_EQ(
        QDir(db::dataFolderPath()).entryList({QStringLiteral("loan-replaced-*.db")}, QDir::Files).size(), 2)
        << "the blank and the restore each kept the file they replaced";
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
}

TEST_F(FileMenu, InvestmentCommandsRunTheirScripts) {
    const QString invest = dataFile(QStringLiteral("invest.db"));
    {
        db::Connection connection(db::Alias::IBInvest);
        QSqlQuery q(connection.database());
        ASSERT_TRUE(q.exec(
            QStringLiteral("INSERT INTO INVESTSUMMARY (FUNDNO, ACTNO, NAME) VALUES (1, 100, 'Growth')")));
    }
    auto accounts = [&invest] {
        return column(invest, QStringLiteral("SELECT count(*) FROM INVESTSUMMARY")).value(0);
    };

    {
        // A connection the program holds open stays as it is.
        db::Connection held(db::Alias::IBInvest);
        item("BackupInvestDB1")->trigger();
        const QString latest = dataFile(QStringLiteral("backups/invest-latest.db"));
        ASSERT_TRUE(waitFor([&latest] { return QFileInfo::exists(latest); }));
        EXPECT_EQ(column(latest, QStringLiteral("SELECT NAME FROM INVESTSUMMARY")).value(0).trimmed(),
                  QStringLiteral("Growth"));
        QSqlQuery q(held.database());
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT count(*) FROM INVESTSUMMARY")));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), 1);
    }

    item("RestoreaBlankInvestDB1")->trigger();
    ASSERT_TRUE(waitFor([&accounts] { return accounts() == QStringLiteral("0"); }));
    EXPECT_EQ(
        QDir(db::dataFolderPath()).entryList({QStringLiteral("invest-replaced-*.db")}, QDir::Files).size(),
        1);

    item("RestoreInvestDB1")->trigger();
    ASSERT_TRUE(waitFor([&accounts] { return accounts() == QStringLiteral("1"); }));
    EXPECT_TRUE(messages_.empty()) << messages_.lastText().toStdString();
}

TEST_F(FileMenu, AFailedReopenAfterARestoreShowsTheDatabaseError) {
    // A damaged loan database and no backup: the restore refuses and the tables cannot open again.
    QDir().mkpath(db::dataFolderPath());
    QFile file(dataFile(QStringLiteral("loan.db")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("not a database at all\n").repeated(100));
    file.close();

    item("FilePrintSetupItem")->trigger();
    ASSERT_EQ(messages_.messages().size(), 1);
    EXPECT_EQ(messages_.lastKind(), ui::MessageKind::Exception);
    // The damaged file is named, with the way back to a backup.
    EXPECT_TRUE(messages_.lastText().startsWith(
        QStringLiteral("The loan database %1 is damaged").arg(dataFile(QStringLiteral("loan.db")))))
        << messages_.lastText().toStdString();
    EXPECT_TRUE(messages_.lastText().contains(QStringLiteral("File > Restore Loan DB")));
    ui::ensureBuilt(Form17);
    EXPECT_EQ(Form17->DBGrid1->model()->rowCount(), 0);
}

TEST(Scripts, OneThatCannotBeStartedShowsNothing) {
    ui::MessageRecorder messages;
    const QString missing = QDir(QDir::tempPath()).filePath(QStringLiteral("no-such-folder/loanbackup.sh"));
    EXPECT_FALSE(shell::startScript(missing));
    EXPECT_FALSE(shell::runScript(missing));
    EXPECT_TRUE(messages.empty());
}

TEST(Scripts, EveryMaintenanceItemHasItsScript) {
    const struct {
        const char* item;
        const char* script;
        bool releasesLoanTables;
    } expected[] = {
        {"FilePrintItem", "loanbackup.sh", false},      {"BackupInvestDB1", "investbackup.sh", false},
        {"FilePrintSetupItem", "loanrestore.sh", true}, {"RestoreInvestDB1", "investrestore.sh", false},
        {"RestoreaBlankDB1", "loanblank.sh", true},     {"RestoreaBlankInvestDB1", "investblank.sh", false},
    };
    ASSERT_EQ(shell::maintenanceCommands().size(), std::size(expected));
    for (const auto& e : expected) {
        SCOPED_TRACE(e.item);
        const shell::MaintenanceCommand* c = shell::maintenanceCommand(QString::fromLatin1(e.item));
        ASSERT_NE(c, nullptr);
        EXPECT_STREQ(c->script, e.script);
        EXPECT_EQ(c->releasesLoanTables, e.releasesLoanTables);
    }
    EXPECT_EQ(shell::maintenanceCommand(QStringLiteral("FileSaveItem")), nullptr);
}

} // namespace
