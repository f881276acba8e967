#include "annuity/forms.h"
#include "background.h"
#include "balloon/forms.h"
#include "db/datafolder.h"
#include "db/error.h"
#include "invest/csvfile.h"
#include "invest/deleteforms.h"
#include "invest/forms.h"
#include "invest/importform.h"
#include "invest/reportform.h"
#include "invest/revalueform.h"
#include "invest/statusform.h"
#include "invest/store.h"
#include "loan/forms.h"
#include "loan/save.h"
#include "portfolio/forms.h"
#include "shell/aboutbox.h"
#include "shell/mainform.h"
#include "shell/startup.h"
#include "tessera/tessera.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/today.h"
#include "vaulter/vaulter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class Shell : public ::testing::Test {
protected:
    void SetUp() override {
        shell::initialiseApplication(*qApp);
        order = shell::createForms();
    }
    void TearDown() override { shell::destroyForms(); }
    QStringList order;
};

QAction* item(const char* name) {
    for (QAction* a : MainForm->findChildren<QAction*>())
        if (a->objectName() == QLatin1String(name)) return a;
    return nullptr;
}

struct Row {
    const char* path; // parent item names joined by '/', "" for the menu bar
    int position;     // index among the parent's items, separators included
    const char* caption;
    const char* name;
    const char* hint;
    int helpId;
    char kind; // 'd' drop-down, 's' submenu, 'c' command, '-' separator
};

// clang-format off
const Row kExpected[] = {
    {"", 0, "&File", "FileMenu", "", 1, 'd'},
    {"FileMenu", 0, "&Open/Print Loan DB", "FileOpenItem", "Open an existing file", 1, 'c'},
    {"FileMenu", 1, "&Save Loan Data to DB", "FileSaveItem", "Save Loan Data to a File", 1, 'c'},
    {"FileMenu", 2, "", "N1", "", 0, '-'},
    {"FileMenu", 3, "&Backup Loan DB", "FilePrintItem", "Backup a Database", 1, 'c'},
    {"FileMenu", 4, "Backup Invest DB", "BackupInvestDB1", "", 0, 'c'},
    {"FileMenu", 5, "&Restore Loan DB", "FilePrintSetupItem", "Restore Database", 1, 'c'},
    {"FileMenu", 6, "Restore Invest DB", "RestoreInvestDB1", "", 0, 'c'},
    {"FileMenu", 7, "Restore a &Blank Loan DB", "RestoreaBlankDB1", "Restore a Blank Database", 0, 'c'},
    {"FileMenu", 8, "Restore a Blank Invest DB", "RestoreaBlankInvestDB1", "", 0, 'c'},
    {"FileMenu", 9, "", "N4", "", 0, '-'},
    {"FileMenu", 10, "E&xit", "FileExitItem", "Exit this application", 0, 'c'},
    {"", 1, "&Loan", "Loans1", "", 2, 'c'},
    {"", 2, "B&alloon Loan", "BalloonLoan1", "", 3, 'c'},
    {"", 3, "&Investment", "Investment1", "", 4, 'd'},
    {"Investment1", 0, "Investment Tracker", "InvestmentTracker1", "", 0, 's'},
    {"Investment1/InvestmentTracker1", 0, "Add Investment Account", "AddInvestmentFund1", "Add a new investment account", 0, 'c'},
    {"Investment1/InvestmentTracker1", 1, "Post Transaction", "PostTransaction1", "Post an investment transaction", 0, 'c'},
    {"Investment1/InvestmentTracker1", 2, "Account Status", "FundSummaryAnalysis1", "View an account summary status online", 0, 'c'},
    {"Investment1/InvestmentTracker1", 3, "Revalue Investement", "RevalueInvestement1", "Revalue an investment", 0, 'c'},
    {"Investment1/InvestmentTracker1", 4, "Delete Account", "DeleteAccount1", "Delete an investment account", 0, 'c'},
    {"Investment1/InvestmentTracker1", 5, "Delete Transaction", "DeleteTransaction1", "Delete a historical transaction", 0, 'c'},
    {"Investment1/InvestmentTracker1", 6, "Reports", "Reports1", "Run an investment report", 0, 'c'},
    {"Investment1/InvestmentTracker1", 7, "Import Transactions\u2026", "ImportTransactions1", "Import investment transactions from a CSV file", 0, 'c'},
    {"Investment1", 1, "Investment Calculations", "InvestmentCalculations1", "Peform annunity calculations", 0, 'c'},
    {"", 4, "&Retirement", "Retirement1", "", 0, 'c'},
    {"", 5, "&Business", "Business1", "", 6, 'c'},
    {"", 6, "&Help", "HelpMenu", "", 0, 'd'},
    {"HelpMenu", 0, "&Contents", "HelpContentsItem", "Display the help contents screen", 0, 'c'},
    {"HelpMenu", 1, "&How to Use Help", "HelpHowToUseItem", "Help on using the help system", 0, 'c'},
    {"HelpMenu", 2, "", "N3", "", 0, '-'},
    {"HelpMenu", 3, "&About...", "HelpAboutItem", "Show program information", 0, 'c'},
};
// clang-format on

QList<QAction*> itemsAt(const QString& path) {
    if (path.isEmpty()) return MainForm->menuBar()->actions();
    QAction* a = item(path.section(QLatin1Char('/'), -1).toLatin1().constData());
    return a && a->menu() ? a->menu()->actions() : QList<QAction*>();
}

// The help context F1 asks for while `a` is highlighted where it stands (the menu bar, or the menu
// at `path`); -1 for anything but one context request.
int f1Context(const QString& path, QAction* a) {
    ui::HelpRecorder help;
    QWidget* holder = nullptr;
    if (path.isEmpty()) {
        MainForm->menuBar()->setActiveAction(a);
        holder = MainForm->menuBar();
    } else {
        QMenu* menu = item(path.section(QLatin1Char('/'), -1).toLatin1().constData())->menu();
        menu->popup(QPoint(0, 0));
        menu->setActiveAction(a);
        holder = menu;
    }
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(holder, &f1);
    if (a->menu()) a->menu()->hide();
    if (auto* menu = qobject_cast<QMenu*>(holder)) menu->hide();
    MainForm->menuBar()->setActiveAction(nullptr);
    const auto& requests = help.requests();
    return requests.size() == 1 && requests[0].kind == ui::HelpRequest::Context ? requests[0].context : -1;
}

TEST_F(Shell, MenuTreeMatchesTheTable) {
    MainForm->show();
    int total = 0;
    for (const Row& r : kExpected) {
        SCOPED_TRACE(r.name);
        const QList<QAction*> siblings = itemsAt(QString::fromLatin1(r.path));
        ASSERT_LT(r.position, siblings.size());
        QAction* a = siblings[r.position];
        EXPECT_EQ(a->objectName(), QLatin1String(r.name));
        EXPECT_EQ(a->text(), QString::fromUtf8(r.caption));
        EXPECT_EQ(a->statusTip(), QLatin1String(r.hint));
        if (r.kind != '-') {
            EXPECT_EQ(f1Context(QString::fromLatin1(r.path), a), r.helpId);
        }
        EXPECT_EQ(a->isSeparator(), r.kind == '-');
        EXPECT_EQ(a->menu() != nullptr, r.kind == 'd' || r.kind == 's');
        ++total;
    }
    // Nothing beyond the table: every level holds exactly the rows listed for it.
    int built = MainForm->menuBar()->actions().size();
    for (const Row& r : kExpected)
        if (r.kind == 'd' || r.kind == 's')
            built += itemsAt(QString::fromLatin1(r.path) + (r.path[0] ? "/" : "") + r.name).size();
    EXPECT_EQ(built, total);
}

TEST_F(Shell, HoveringAMenuItemPutsItsHintInTheStatusLine) {
    MainForm->show();
    QAction* calc = item("InvestmentCalculations1");
    QMenu* investment = item("Investment1")->menu();
    investment->popup(QPoint(0, 0));
    investment->setActiveAction(calc);
    EXPECT_EQ(MainForm->StatusLine->currentMessage(), QStringLiteral("Peform annunity calculations"));
    investment->setActiveAction(item("InvestmentTracker1"));
    EXPECT_EQ(MainForm->StatusLine->currentMessage(), QString());
    investment->hide();
}

TEST_F(Shell, HowToUseHelpLeavesTheBareHelpFileForTheRestOfTheRun) {
    ui::HelpRecorder help;
    EXPECT_EQ(ui::applicationHelpFile(), QStringLiteral("C:\\Talvero\\TALVERO.HLP"));
    item("HelpHowToUseItem")->trigger();
    EXPECT_EQ(ui::applicationHelpFile(), QStringLiteral("Talvero.hlp"));
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests()[0].helpFile, QStringLiteral("Talvero.hlp"));
    EXPECT_EQ(help.requests()[0].topic, QStringLiteral("using_Quorin_Help"));
    item("HelpContentsItem")->trigger();
    EXPECT_EQ(ui::applicationHelpFile(), QStringLiteral("Talvero.hlp"));
    ASSERT_EQ(help.requests().size(), 2);
    EXPECT_EQ(help.requests()[1].kind, ui::HelpRequest::Contents);
}

TEST_F(Shell, F1OnAHighlightedItemOpensItsHelpContext) {
    ui::HelpRecorder help;
    MainForm->show();
    QMenu* file = item("FileMenu")->menu();
    file->popup(QPoint(0, 0));
    file->setActiveAction(item("FilePrintItem"));
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(file, &f1);
    file->hide();
    ASSERT_EQ(help.requests().size(), 1);
    EXPECT_EQ(help.requests()[0].kind, ui::HelpRequest::Context);
    EXPECT_EQ(help.requests()[0].context, 1);
    EXPECT_EQ(help.requests()[0].helpFile, QStringLiteral("Talvero.hlp"))
        << "the main window's own help file";
}

TEST_F(Shell, WindowSettings) {
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Talvero 6.0"));
    EXPECT_EQ(QApplication::applicationDisplayName(), QStringLiteral("Talvero 6.0"));
    EXPECT_EQ(MainForm->statusTip(), QStringLiteral("Talvero 6.0 main window"));
    EXPECT_EQ(MainForm->size(), QSize(433, 386));
    EXPECT_EQ(MainForm->maximumSize(), QSize(433, 386));
    MainForm->show();
    MainForm->resize(800, 700);
    EXPECT_EQ(MainForm->size(), QSize(433, 386)) << "never larger than its maximum";
    ASSERT_NE(MainForm->Image1, nullptr);
    // The picture fills the client area at every size, painted at that size.
    const auto showsTheBackground = [] {
        QWidget* picture = MainForm->Image1;
        EXPECT_EQ(picture->size(), picture->parentWidget()->size()) << "over the whole client area";
        EXPECT_EQ(picture->grab().toImage().convertToFormat(QImage::Format_RGB32),
                  shell::drawBackground(picture->size(), picture->font()));
    };
    showsTheBackground();
    MainForm->resize(300, 250);
    EXPECT_EQ(MainForm->size(), QSize(300, 250)) << "smaller is allowed";
    QApplication::processEvents();
    showsTheBackground();
    EXPECT_EQ(MainForm->StatusLine->height(), 23);
    EXPECT_TRUE(MainForm->font().bold());
    EXPECT_EQ(MainForm->font().pointSize(), 8);
}

// Every caption of the menu bar shows within the window, padded 3 pixels above and below and none
// behind the overflow button.
TEST_F(Shell, TheMenuBarShowsEveryItem) {
    MainForm->show();
    QMenuBar* bar = MainForm->menuBar();
    const int captionHeight = bar->fontMetrics().height();
    ASSERT_EQ(bar->actions().size(), 7);
    for (QAction* item : bar->actions()) {
        SCOPED_TRACE(item->text().toStdString());
        const QRect place = bar->actionGeometry(item);
        EXPECT_FALSE(place.isEmpty());
        EXPECT_LE(place.right(), bar->width() - 1);
        EXPECT_EQ(place.height(), captionHeight + 6);
    }
    auto* overflow = bar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    ASSERT_NE(overflow, nullptr);
    EXPECT_FALSE(overflow->isVisible());
}

TEST_F(Shell, AboutBox) {
    ui::ModalInterceptor modal([](QDialog* d) {
        d->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        return d->result();
    });
    item("HelpAboutItem")->trigger();
    ASSERT_EQ(modal.shown().size(), 1);
    QDialog* box = modal.shown()[0];
    EXPECT_EQ(box, AboutBox);
    EXPECT_EQ(box->result(), QDialog::Accepted);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("About This Program"));
    EXPECT_EQ(box->size(), QSize(335, 186));
    auto* product = box->findChild<QLabel*>(QStringLiteral("ProductName"));
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->text(), QStringLiteral("TALVERO"));
    EXPECT_EQ(product->font().pointSize(), 16);
    EXPECT_TRUE(product->font().bold());
    EXPECT_EQ(box->findChild<QLabel*>(QStringLiteral("Version"))->text(), QStringLiteral("Version 6.0"));
    EXPECT_EQ(box->findChild<QLabel*>(QStringLiteral("ProgramIcon"))->size(), QSize(32, 32));
    EXPECT_NE(qobject_cast<QFrame*>(product->parentWidget()), nullptr) << "the labels sit in the bevel";
}

TEST_F(Shell, FormsAreCreatedOnceInTheirOrder) {
    const QStringList full = {"MainForm", "Form1",  "Form2",    "Form3",  "Form4",  "Form5",  "Form6",
                              "Form7",    "Form8",  "Form9",    "Form10", "Form11", "Form12", "Form13",
                              "Form14",   "Form15", "AboutBox", "Form17", "Form18", "Form19", "Form20",
                              "Form21",   "Form22", "Form23",   "Form24", "Form25", "Form26", "Form27",
                              "Form28",   "Form29", "Form30"};
    EXPECT_EQ(order.first(), QStringLiteral("MainForm"));
    EXPECT_EQ(order.removeDuplicates(), 0);
    int last = -1;
    for (const QString& name : order) {
        SCOPED_TRACE(name.toStdString());
        const int at = full.indexOf(name);
        ASSERT_GE(at, 0);
        EXPECT_GT(at, last);
        last = at;
    }
    EXPECT_TRUE(order.contains(QStringLiteral("AboutBox")));
}

TEST_F(Shell, CommandsOpenTheirFormsModally) {
    const struct {
        const char* item;
        QDialog* form;
        const char* caption;
    } cases[] = {
        {"FileOpenItem", Form17, "Loan Portfolio Analysis"},
        {"Loans1", Form1, "Loan Calculations"},
        {"BalloonLoan1", Form10, "Balloon Loan Calculations"},
        {"InvestmentCalculations1", Form6, "Investment Annuities"},
        {"Retirement1", Form7, "Retirement Annuities"},
        {"Business1", Form8, "Business Retailing Calculations"},
        {"AddInvestmentFund1", Form20, "Add Investment Fund"},
        {"PostTransaction1", Form22, "Post Investment Transaction"},
        {"FundSummaryAnalysis1", Form24, "Account Summary Status"},
        {"RevalueInvestement1", Form25, "Revalue Investment Anaylsis"},
        {"DeleteAccount1", Form28, "Delete Account"},
        {"DeleteTransaction1", Form29, "Delete Transaction"},
        {"Reports1", Form30, "Run Report Menu"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        ui::ModalInterceptor modal;
        item(c.item)->trigger();
        ASSERT_EQ(modal.shown().size(), 1);
        EXPECT_EQ(modal.shown()[0], c.form);
        EXPECT_EQ(c.form->windowTitle(), QLatin1String(c.caption));
    }
}

TEST_F(Shell, StartsAndQuitsThroughExit) {
    MainForm->show();
    QTimer::singleShot(0, MainForm, [] { item("FileExitItem")->trigger(); });
    QTimer::singleShot(5000, qApp, [] { QApplication::exit(1); }); // a guard, never reached when Exit works
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(MainForm->isVisible());
}

// Both engines speak through the program's one message path once start-up has run.
TEST_F(Shell, EngineMessagesReachTheProgramsMessageBoxes) {
    ui::MessageRecorder messages;
    double d[42] = {};
    int i[10] = {};
    char firstDue[11] = {}; // the entry reads FIRSTDUE as ten characters
    double blpay = 0;
    int errflag = 0;
    Vaulter(&d[0], &d[1], &d[2], &d[3], &d[4], &d[5], &d[6], &d[7], &d[8], &d[9], &d[10], &i[0], firstDue,
            &i[1], &d[11], &i[2], &i[3], &i[4], &i[5], &i[6], &i[7], &d[12], &d[13], &d[14], &d[15], &d[16],
            &d[17], &d[18], &i[8], &i[9], &i[9], &i[9], &d[19], &d[20], &d[21], &d[22], &d[23], &d[24],
            &d[25], &d[26], &d[27], &d[28], &blpay, &errflag);
    EXPECT_EQ(errflag, 1);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.lastKind(), ui::MessageKind::Error);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("Loan Input Error!")))
        << messages.lastText().toStdString();
}

struct Heard {
    static QList<QList<int>>& dates() {
        static QList<QList<int>> all;
        return all;
    }
    static void setter(int month, int day, int year) { dates().append({month, day, year}); }
};

TEST_F(Shell, LibrariesFollowTheProgramsToday) {
    Heard::dates().clear();
    shell::followTheProgramsToday({&Heard::setter});
    shell::followTheProgramsToday({&Heard::setter}); // a second start-up in the same process
    { ui::TodayOverride fixed(QDate(2004, 2, 29)); }
    const QList<QList<int>> expected = {{0, 0, 0}, {2, 29, 2004}, {0, 0, 0}};
    EXPECT_EQ(Heard::dates(), expected);
}

// "Import Transactions…" asks for a file first: cancelled, nothing opens; chosen, the import window
// opens with the file's rows.
TEST_F(Shell, ImportTransactionsAsksForAFileThenPreviewsIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rows.csv"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND\n5,Index "
                "Fund,01022024,N,10,5,0,0,0\n");
    }
    QString chosen;
    invest::CsvFileAnswer answer([&](invest::CsvFileUse use, const QString&) {
        EXPECT_EQ(use, invest::CsvFileUse::Open);
        return chosen;
    });
    {
        ui::ModalInterceptor modal;
        item("ImportTransactions1")->trigger();
        EXPECT_TRUE(modal.shown().isEmpty()) << "cancelled";
    }
    chosen = path;
    ui::ModalInterceptor modal;
    int rows = -1;
    QString file, title;
    modal.setHandler([&](QDialog* form) {
        auto* import = qobject_cast<TImportForm*>(form);
        EXPECT_NE(import, nullptr);
        if (!import) return QDialog::Rejected;
        title = import->windowTitle();
        rows = import->Grid1->rowCount();
        file = import->Edit1->text();
        return QDialog::Rejected;
    });
    item("ImportTransactions1")->trigger();
    ASSERT_EQ(modal.shown().size(), 1);
    EXPECT_EQ(title, QStringLiteral("Import Transactions")) << "the window is gone once closed";
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(file, path);
}

} // namespace

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// A damaged loan database at start-up: one error box names the file, says nothing was changed and
// how to restore it; the investment side works; the loan file keeps every byte, also when a save
// is tried on it.
TEST(StartUp, ADamagedDatabaseIsToldOnceAndTheProgramGoesOnWithTheOther) {
    ui::MessageRecorder messages;
    const QString folder = db::ensureDataFolder();
    ASSERT_FALSE(folder.isEmpty());
    const QString loanFile = QDir(folder).filePath(QStringLiteral("loan.db"));
    {
        QFile file(loanFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("SQLite format 2\n") + QByteArray(4080, '\x5a'));
    }
    const QByteArray before = fileBytes(loanFile);

    shell::showStartupProblems();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.lastKind(), ui::MessageKind::Error);
    const QString text = messages.lastText();
    EXPECT_TRUE(text.contains(loanFile)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Nothing was changed in the file")));
    EXPECT_TRUE(text.contains(QStringLiteral("File > Restore Loan DB")));

    shell::initialiseApplication(*qApp);
    shell::createForms();
    messages.clear();
    invest::AccountTexts account;
    account.number = QStringLiteral("7");
    account.name = QStringLiteral("Goes On");
    account.shares = QStringLiteral("10");
    account.price = QStringLiteral("5");
    account.balance = QStringLiteral("50");
    account.date = QStringLiteral("01022004");
    const auto added = invest::addAccount(account, {6, 1, 2004});
    EXPECT_FALSE(added.notice) << added.notice->text.toStdString();
    EXPECT_TRUE(added.written);

    talvero::common::LoanBlock b;
    b.FINANCEAMT = b.ORGAMT = 1000;
    b.APR = 6;
    b.NUMPAY = 12;
    b.FREQUENCY = 12;
    b.PAYMENT = 86.07;
    EXPECT_THROW(loan::writeLoan({b, b.PAYMENT, 0}), db::Error);
    shell::destroyForms();
    EXPECT_EQ(fileBytes(loanFile), before);
}
