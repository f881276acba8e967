// talvero-cli save, report and invest-report, run as the program itself on a temporary data folder
// without a display: the rows save writes against the saving library called directly, the PDFs read
// back with pdftotext, and every refusal with its exit code, its message and no file written.
#include "cli/loan.h"
#include "common/loan_amounts.h"
#include "db/connection.h"
#include "db/testsupport/tempdatafolder.h"
#include "invest/store.h"
#include "loan/checks.h"
#include "loan/save.h"
#include "report/report.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int code = -1;
    QString out, err;
};

// The program in a process of its own, with no display and no platform named.
Outcome cli(const QStringList& args, const QProcessEnvironment& extra = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(extra);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TALVERO_CLI), args);
    EXPECT_TRUE(p.waitForFinished(60000)) << args.join(' ').toStdString();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString pdfText(const QString& pdf) {
    QProcess p;
    // In drawing order, each drawn text whole.
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0) << pdf.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Every row of the statement, each as its values by column name without the key columns.
QList<QVariantList> rows(db::Alias alias, const QString& statement, const QStringList& keys) {
    db::Connection connection(alias);
    QSqlQuery q(connection.database());
    EXPECT_TRUE(q.exec(statement)) << statement.toStdString();
    QList<QVariantList> all;
    while (q.next()) {
        QVariantList row;
        const QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i)
            if (!keys.contains(r.fieldName(i).toUpper())) row << r.value(i);
        all << row;
    }
    return all;
}

QList<QVariantList> summaryOf(qint64 loanNo) {
    return rows(db::Alias::IBLoan, QStringLiteral("SELECT * FROM LOANSUMMARY WHERE LOANNO = %1").arg(loanNo),
                {QStringLiteral("LOANNO"), QStringLiteral("SUMNO")});
}
QList<QVariantList> detailOf(qint64 loanNo) {
    return rows(db::Alias::IBLoan,
                QStringLiteral("SELECT * FROM LOANDETAIL WHERE LOANNO = %1 ORDER BY RECNO").arg(loanNo),
                {QStringLiteral("LOANNO"), QStringLiteral("RECNO")});
}

QStringList toArgs(const std::vector<std::string>& args) {
    QStringList a;
    for (const std::string& s : args)
        a << QString::fromStdString(s);
    return a;
}

// Saves the loan of these options through the saving library itself, as the payout window's Save
// hands it over: the block the calculation left, its PAYMENT as SCHEDPAY, the fee percent and, for
// a balloon loan, its term.
qint64 saveDirectly(const std::vector<std::string>& options) {
    talvero::cli::Loan loan;
    std::ostringstream err;
    EXPECT_TRUE(talvero::cli::computed(options, loan, err)) << err.str();
    return loan::writeLoan({loan.block, loan.block.PAYMENT, loan.FEEPCT, loan.balloon, loan.BLPAY}).LOANNO;
}

// The loan of kRegular as the loan form takes it: its checks derive the fees, the amount financed
// and the first due text, Compute clears the engine's outputs and runs it, and Save hands the data
// to the saving library with SCHEDPAY and the fee percent.
qint64 saveAsTheLoanFormDoes() {
    loan::LoanData d;
    d.ORGAMT = 100000;
    d.FEEPCT = 1;
    d.DOWNPAYAMT = 5000;
    d.APR = 10;
    d.NUMPAY = 360;
    d.FREQUENCY = 12;
    d.TAXES = 1200;
    loan::readDateParts("01022024", d.LOANDATE);
    loan::readDateParts("02012024", d.FIRSTDUEDATE);
    loan::CheckTexts t;
    t.loanAmount = "100000.00";
    t.apr = "10.000";
    t.numPay = "360";
    t.frequency = "12";
    t.skipMonths = "  0";
    t.firstDue = "02012024";
    t.loanDate = "01022024";
    t.downAmount = "5000", t.downPct = "0", t.feeAmount = "0", t.feePct = "1";
    t.dsRate = t.dsFreq = t.dsYears = t.lfRate = t.lfFreq = t.lfYears = "0";
    t.taxes = "1200", t.hoIns = t.otIns = "0";
    const char* refused = loan::checkLoanInputs(d, t);
    EXPECT_EQ(refused, nullptr) << refused;
    talvero::common::set_insurance_bases(d);
    // The engine through the same entry the form's Compute calls.
    talvero::cli::Loan engine;
    engine.block = d;
    EXPECT_EQ(talvero::cli::compute(engine), "");
    static_cast<talvero::common::RegularBlock&>(d) = engine.block;
    d.SCHEDPAY = d.PAYMENT;
    return loan::writeLoan({d, d.SCHEDPAY, d.FEEPCT}).LOANNO;
}

class Cli : public ::testing::Test {
protected:
    QString out(const char* name) const { return QDir(output_.path()).filePath(QString::fromLatin1(name)); }
    // The files of the output folder, hidden ones too: a failed command leaves no temporary file.
    QStringList outputFiles() const {
        return QDir(output_.path()).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // Runs save and returns its loan number.
    qint64 saveByCli(const std::vector<std::string>& options) {
        QStringList args = toArgs(options);
        args.prepend(QStringLiteral("save"));
        const Outcome r = cli(args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("LOANNO "))) << r.out.toStdString();
        EXPECT_TRUE(r.out.endsWith('\n'));
        return r.out.mid(7).trimmed().toLongLong();
    }

    db::testing::TempDataFolder folder_;
    QTemporaryDir output_;
};

// A 100000 loan with a 1 % origination fee and 5000 down, 10 %, 360 payments, taxes in escrow.
const std::vector<std::string> kRegular = {
    "--ORGAMT=100000", "--FEEPCT=1",   "--DOWNAMT=5000",      "--APR=10",
    "--NUMPAY=360",    "--TAXES=1200", "--LOANDATE=01022024", "--FIRSTDUE=02012024"};
// 60 payments amortized, 12 due, the rest as the balloon.
const std::vector<std::string> kBalloon = {"--balloon",   "--ORGAMT=50000", "--APR=8",
                                           "--NUMPAY=60", "--BLPAY=12",     "--FIRSTDUE=03152024"};

TEST_F(Cli, SaveWritesWhatTheSavingLibraryWritesAndReportPrintsIt) {
    const qint64 byCli = saveByCli(kRegular);
    EXPECT_EQ(byCli, 1);
    const qint64 direct = saveDirectly(kRegular);
    ASSERT_EQ(direct, 2);
    EXPECT_EQ(summaryOf(byCli), summaryOf(direct));
    const QList<QVariantList> detail = detailOf(byCli);
    EXPECT_EQ(detail, detailOf(direct));
    const qint64 form = saveAsTheLoanFormDoes();
    EXPECT_EQ(summaryOf(byCli), summaryOf(form));
    EXPECT_EQ(detail, detailOf(form));

    // The fee percent reached the totals and the summary; a regular loan has no balloon term.
    const auto summary = rows(db::Alias::IBLoan,
                              QStringLiteral("SELECT FEEPCT, FEEAMT, FINANCEAMT, FIRSTDUEDT, BLPAY, PAYMENT "
                                             "FROM LOANSUMMARY WHERE LOANNO = 1"),
                              {});
    ASSERT_EQ(summary.size(), 1);
    EXPECT_DOUBLE_EQ(summary[0][0].toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(summary[0][1].toDouble(), 1000.0);
    EXPECT_DOUBLE_EQ(summary[0][2].toDouble(), 96000.0);
    EXPECT_EQ(summary[0][3].toString(), QStringLiteral("02/01/2024"));
    EXPECT_TRUE(summary[0][4].isNull());
    // 360 payment rows, 30 year subtotals (the closing one for 2054) and the grand total.
    ASSERT_EQ(detail.size(), 360 + 30 + 1);

    const Outcome r =
        cli({QStringLiteral("report"), QStringLiteral("1"), QStringLiteral("--output"), out("loan1.pdf")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty() && r.err.isEmpty()) << r.err.toStdString();
    EXPECT_EQ(outputFiles(), QStringList{QStringLiteral("loan1.pdf")});
    const QString text = pdfText(out("loan1.pdf"));
    // The window's report: its header values through their masks, the first and the total rows.
    const QStringList expected = {
        QStringLiteral("Loan Amortization Table"),
        QStringLiteral("Loan Amount :"),
        QStringLiteral("$100,000.00"),
        QStringLiteral("$96,000.00"),
        QStringLiteral("No Payments :"),
        QStringLiteral("$5,000.00"),
        QStringLiteral("$1,000.00"),
        QStringLiteral("02/01/2024"),
        report::fieldText(summary[0][5], QStringLiteral("0.00")),
        QStringLiteral("GRAND TOTALS"),
        QStringLiteral("TOTALS 2054"),
    };
    for (const QString& e : expected)
        EXPECT_TRUE(text.contains(e)) << e.toStdString() << "\n" << text.left(3000).toStdString();
    // The interest and balance of the first payment row (PAYDATE, INTAMT, PRINAMT, ...).
    EXPECT_TRUE(text.contains(report::fieldText(detail[0][1], QStringLiteral("0.00"))));
    EXPECT_TRUE(text.contains(report::fieldText(detail[0][9], QStringLiteral("###,###.##"))));
    EXPECT_FALSE(text.contains(QStringLiteral("Balloon")));
}

TEST_F(Cli, BalloonSaveAndItsBalloonReport) {
    const qint64 byCli = saveByCli(kBalloon);
    const qint64 direct = saveDirectly(kBalloon);
    EXPECT_EQ(summaryOf(byCli), summaryOf(direct));
    const QList<QVariantList> detail = detailOf(byCli);
    EXPECT_EQ(detail, detailOf(direct));
    const auto blpay =
        rows(db::Alias::IBLoan, QStringLiteral("SELECT BLPAY, NUMPAY FROM LOANSUMMARY WHERE LOANNO = 1"), {});
    ASSERT_EQ(blpay.size(), 1);
    EXPECT_DOUBLE_EQ(blpay[0][0].toDouble(), 12.0);
    EXPECT_DOUBLE_EQ(blpay[0][1].toDouble(), 60.0);
    // 12 payment rows, the 2024 subtotal, the closing 2025 one and the grand total.
    EXPECT_EQ(detail.size(), 12 + 2 + 1);

    const Outcome r = cli(
        {QStringLiteral("report"), QStringLiteral("--output=") + out("balloon.pdf"), QStringLiteral("1")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString text = pdfText(out("balloon.pdf"));
    for (const char* e : {"Balloon Amortization Table",
                          "Amortize Periods :", "Number of Payments:", "$50,000.00", "GRAND TOTALS"})
        EXPECT_TRUE(text.contains(QLatin1String(e))) << e << "\n" << text.toStdString();
    // The first and the last payment rows, the balloon.
    for (const QVariantList& row : {detail.first(), detail.at(detail.size() - 3)})
        for (const QString& e : {row[0].toString(), report::fieldText(row[1], QStringLiteral("0.00")),
                                 report::fieldText(row[8], QStringLiteral("0.00"))})
            EXPECT_TRUE(text.contains(e)) << e.toStdString() << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("No Payments :")));
}

TEST_F(Cli, LoanOptionsReadTheSameUnderAUserLocaleWithADecimalComma) {
    // Qt takes the user's locale on start; the options still read with the point.
    QProcessEnvironment env;
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    const Outcome r =
        cli({QStringLiteral("save"), QStringLiteral("--ORGAMT=1500.50"), QStringLiteral("--APR=10.25"),
             QStringLiteral("--NUMPAY=12"), QStringLiteral("--FIRSTDUE=02012024")},
            env);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("LOANNO 1\n"));
    const auto saved = rows(db::Alias::IBLoan, QStringLiteral("SELECT ORGAMT, APR FROM LOANSUMMARY"), {});
    ASSERT_EQ(saved.size(), 1);
    EXPECT_DOUBLE_EQ(saved[0][0].toDouble(), 1500.50);
    EXPECT_DOUBLE_EQ(saved[0][1].toDouble(), 10.25);
}

TEST_F(Cli, InvestmentReportsOverPostedAccounts) {
    {
        // Account 7: 100 shares at 10 opened, 50 bought at 12 with commission 5; account 8 beside it.
        db::Connection connection(db::Alias::IBInvest);
        invest::writeNewAccount(connection,
                                {7, QStringLiteral("Growth Fund"), 10, 100, 1000, {3, 1, 2004}, false});
        invest::writeNewAccount(connection,
                                {8, QStringLiteral("Income Fund"), 5, 10, 50, {3, 2, 2004}, false});
        invest::PostedTransaction posted;
        ASSERT_EQ(invest::writePosting(
                      connection, {7, invest::PostingType::Bought, {50, 12, 5, 0, 0}, {4, 1, 2004}}, posted),
                  nullptr);
    }
    struct Case {
        const char* report;
        std::vector<const char*> printed;
    };
    const Case cases[] = {
        // 150 shares at 12: cost 1605, balance 1800, gain 195; composite balance 1850, cost 1655,
        // gain ratio 195 / 1850.
        {"summary",
         {"Investment Summary Report", "Growth Fund", "Income Fund", "150.000", "1605.00", "1800.00",
          "195.00", "Composite Total Balance", "$1,850.00", "Composite Total Cost", "$1,655.00",
          "Composite Gain Percent", "0.11"}},
        // Three line items: the two openings and the purchase (50 x 12 + 5).
        {"history",
         {"Investment Transaction History", "03/01/2004", "04/01/2004", "605.00", "TOTALS", "$5.00",
          "$1,655.00"}},
    };
    for (const Case& c : cases) {
        const QString pdf = out(c.report) + QStringLiteral(".pdf");
        const Outcome r =
            cli({QStringLiteral("invest-report"), QLatin1String(c.report), QStringLiteral("--output"), pdf});
        ASSERT_EQ(r.code, 0) << c.report << ": " << r.err.toStdString();
        const QString text = pdfText(pdf);
        for (const char* e : c.printed)
            EXPECT_TRUE(text.contains(QLatin1String(e))) << c.report << ": " << e << "\n"
                                                         << text.toStdString();
    }
    EXPECT_EQ(outputFiles(), (QStringList{QStringLiteral("history.pdf"), QStringLiteral("summary.pdf")}));
}

TEST_F(Cli, WhatCannotBeUsedIsRefusedAndNothingIsWritten) {
    ASSERT_EQ(saveByCli(kRegular), 1);
    // An existing report is left as it was by a command that fails.
    const QString kept = out("kept.pdf");
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    QFile plain(out("plain.txt"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    QDir(output_.path()).mkdir(QStringLiteral("folder.pdf"));
    const QStringList before = outputFiles();

    struct Case {
        QStringList args;
        int code;
        const char* message;
    };
    const QString target = out("new.pdf");
    const Case cases[] = {
        {{"report", "abc", "--output", target}, 2, "'abc' is not a loan number"},
        {{"report", "0", "--output", target}, 2, "'0' is not a loan number"},
        {{"report", "-3", "--output", target}, 2, "unexpected argument '-3'"},
        {{"report", "99", "--output", target}, 1, "loan 99 is not in the loan database"},
        {{"report", "99", "--output", kept}, 1, "loan 99 is not in the loan database"},
        {{"report", "1"}, 2, "--output FILE.pdf is missing"},
        {{"report", "1", "--output"}, 2, "--output needs a file name"},
        {{"report", "--output", target}, 2, "LOANNO is missing"},
        {{"report", "1", "--output", out("missing/new.pdf")}, 1, "cannot write"},
        {{"report", "1", "--output", out("plain.txt/new.pdf")}, 1, "cannot write"},
        {{"report", "1", "--output", out("folder.pdf")}, 1, "it is a folder"},
        {{"invest-report", "weekly", "--output", target}, 2, "unknown report 'weekly'"},
        {{"invest-report", "--output", target}, 2, "the report (summary or history) is missing"},
        {{"invest-report", "summary"}, 2, "--output FILE.pdf is missing"},
        {{"invest-report", "summary", "--output", target}, 1, "the investment database has no accounts"},
        {{"invest-report", "history", "--output", target}, 1, "the investment database has no transactions"},
        {{"save", "--ORGAMT=100000", "--APR=ten", "--NUMPAY=360"},
         2,
         "'ten' is not a valid floating point value"},
        {{"save", "--APR=10", "--NUMPAY=360"}, 2, "FINANCEAMT or ORGAMT is required"},
        {{"save", "--ORGAMT=100000", "--FEEPCT=50", "--APR=10", "--NUMPAY=360"},
         2,
         "FEEPCT must be 0 to 49.99"},
        {{"save", "--FINANCEAMT=100000", "--FEEPCT=1", "--APR=10", "--NUMPAY=360"}, 2, "FEEPCT needs ORGAMT"},
        {{"save", "--ORGAMT=100000", "--APR=10", "--NUMPAY=360", "--BLPAY=400"},
         2,
         "BLPAY must not exceed NUMPAY"},
        {{"save", "--ORGAMT=100000", "--APR", "10", "extra"}, 2, "unexpected argument 'extra'"},
    };
    for (const Case& c : cases) {
        const Outcome r = cli(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.code, c.code) << what << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("talvero-cli: "))) << what << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << what << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << what << "\n" << r.out.toStdString();
        EXPECT_EQ(outputFiles(), before) << what;
    }
    QFile f(kept);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("earlier"));
    // The refused saves wrote nothing.
    EXPECT_EQ(rows(db::Alias::IBLoan, QStringLiteral("SELECT LOANNO FROM LOANSUMMARY"), {}).size(), 1);
}

TEST_F(Cli, ADatabaseThatCannotBeOpenedIsNamedAndNothingIsWritten) {
    // Both aliases point at a file that is no database.
    const QString broken = out("broken.db");
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    QProcessEnvironment env;
    env.insert(QStringLiteral("TALVERO_IBLOAN_DATABASE"), broken);
    env.insert(QStringLiteral("TALVERO_IBINVEST_DATABASE"), broken);
    const QStringList before = outputFiles();
    struct Case {
        QStringList args;
        const char* message;
    };
    const QString target = out("new.pdf");
    const Case cases[] = {
        {{"report", "1", "--output", target}, "the loan database cannot be read: "},
        {{"invest-report", "summary", "--output", target}, "the investment database cannot be read: "},
        {QStringList{"save"} + toArgs(kRegular), "the loan was not saved: "},
    };
    for (const Case& c : cases) {
        const Outcome r = cli(c.args, env);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.code, 1) << what << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("talvero-cli: ") + QLatin1String(c.message)))
            << what << "\n"
            << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << what;
        EXPECT_EQ(outputFiles(), before) << what;
    }
}

} // namespace

namespace {

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

QByteArray investFile() {
    QFile f(db::resolveAlias(db::Alias::IBInvest).database);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

// The spreadsheet programs' XIRR example as an account: 10,000 in, three cash dividends out, the
// holding worth 2,750 at the end (Excel: 0.373362535).
const char* const kExample = "ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND\n"
                             "1,Spreadsheet Example,01012008,N,1000,10,0,0,0\n"
                             "1,,03012008,C,0,10,0,0,2750\n"
                             "1,,10302008,C,0,10,0,0,4250\n"
                             "1,,02152009,C,0,10,0,0,3250\n"
                             "1,,04012009,R,0,2.75,0,0,0\n"
                             "2,Idle Fund,01012008,N,0,0,0,0,0\n";

} // namespace

TEST_F(Cli, InvestImportReturnsAndExport) {
    const QString csv = writeFile(out("example.csv"), kExample);
    Outcome r = cli({QStringLiteral("invest-import"), csv});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("imported 6 rows\n"));

    r = cli({QStringLiteral("invest-returns"), QStringLiteral("--as-of"), QStringLiteral("04012009"),
             QStringLiteral("--csv")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    // TTWROR: 12,750 / 10,000 x 14,250 / 10,000 x 13,250 / 10,000 x 2,750 / 10,000 - 1.
    EXPECT_EQ(r.out, QStringLiteral("ACTNO,NAME,VALUE,XIRR,TTWROR\n"
                                    "1,Spreadsheet Example,2750.00,0.373363,%1\n"
                                    "2,Idle Fund,0.00,n/a,n/a\n")
                         .arg(QString::asprintf("%.6f", 1.275 * 1.425 * 1.325 * 0.275 - 1)));

    r = cli({QStringLiteral("invest-export"), QStringLiteral("history")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND\n"
                                                "1,Spreadsheet Example,01012008,N,1000,10,0,0,0\n")))
        << r.out.toStdString();
    const QString exported = out("exported.csv");
    ASSERT_EQ(cli({QStringLiteral("invest-export"), QStringLiteral("history"), QStringLiteral("--output"),
                   exported})
                  .code,
              0);
    QFile f(exported);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), r.out);

    // Into a second database: the same history comes out again.
    QProcessEnvironment other;
    other.insert(QStringLiteral("TALVERO_IBINVEST_DATABASE"), out("other.db"));
    ASSERT_EQ(cli({QStringLiteral("invest-import"), exported}, other).code, 0);
    EXPECT_EQ(cli({QStringLiteral("invest-export"), QStringLiteral("history")}, other).out, r.out);
}

// Realized gains on a hand-worked sequence: 100 at 10 (1,000), 100 at 20 with commission 10
// (2,010); 2021: 150 sold at 25 with commission 15 (3,735); 2022: 40 sold at 30 (1,200).
//   Average cost 3,010 / 200 = 15.05 a share: 3,735 - 2,257.50 = 1,477.50; 1,200 - 602 = 598.
//   FIFO: 3,735 - (1,000 + 50 x 20.10) = 1,730; 1,200 - 40 x 20.10 = 396.
// The account without sales gives no row.
TEST_F(Cli, InvestReturnsGainsByYear) {
    const QString csv =
        writeFile(out("gains.csv"), "ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND\n"
                                    "1,Growth Fund,01022020,N,100,10,0,0,0\n"
                                    "1,,06012020,B,100,20,10,0,0\n"
                                    "1,,03012021,S,150,25,15,0,0\n"
                                    "1,,02012022,S,40,30,0,0,0\n"
                                    "2,Idle Fund,01012020,N,5,10,0,0,0\n");
    ASSERT_EQ(cli({QStringLiteral("invest-import"), csv}).code, 0);

    const struct {
        QStringList args;
        const char* expected;
    } cases[] = {
        {{"invest-returns", "--gains", "--csv", "--as-of", "12312022"},
         "ACTNO,YEAR,AVERAGE,FIFO\n1,2021,1477.50,1730.00\n1,2022,598.00,396.00\n"},
        {{"invest-returns", "--csv", "--as-of", "12312021", "--gains"},
         "ACTNO,YEAR,AVERAGE,FIFO\n1,2021,1477.50,1730.00\n"},
        {{"invest-returns", "--gains", "--as-of", "12312022"},
         "   ACTNO  YEAR           AVERAGE              FIFO\n"
         "       1  2021           1477.50           1730.00\n"
         "       1  2022            598.00            396.00\n"},
    };
    for (const auto& c : cases) {
        const Outcome r = cli(c.args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, QLatin1String(c.expected)) << c.args.join(' ').toStdString();
    }
    // The returns keep their five columns with --gains left out.
    const Outcome r = cli({QStringLiteral("invest-returns"), QStringLiteral("--csv")});
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("ACTNO,NAME,VALUE,XIRR,TTWROR\n1,Growth Fund,")))
        << r.out.toStdString();
}

TEST_F(Cli, InvestImportWithBadRowsWritesNothing) {
    ASSERT_EQ(cli({QStringLiteral("invest-import"), writeFile(out("example.csv"), kExample)}).code, 0);
    const QByteArray before = investFile();
    const QString bad =
        writeFile(out("bad.csv"), "ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND\n"
                                  "3,New Fund,01012010,N,10,5,0,0,0\n"
                                  "1,,01022010,B,abc,5,0,0,0\n"
                                  "1,Spreadsheet Example,01032010,N,1,1,0,0,0\n");
    const Outcome r = cli({QStringLiteral("invest-import"), bad});
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.err, QStringLiteral("row 3: 'abc' is not a valid floating point value\n"
                                    "row 4: Duplicate Account Number entered. Please correct!\n"
                                    "talvero-cli: 2 rows refused; nothing is written\n"));
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(investFile(), before) << "byte for byte";

    const struct {
        QStringList args;
        int code;
        const char* message;
    } cases[] = {
        {{"invest-import"}, 2, "FILE.csv is missing"},
        {{"invest-import", out("none.csv")}, 2, "cannot read"},
        {{"invest-returns", "--as-of", "13012009"}, 2, "'13012009' is not a date (MMDDCCYY)"},
        {{"invest-export", "weekly"}, 2, "unknown list 'weekly'"},
        {{"invest-export", "accounts", "--account", "1"},
         2,
         "--account takes an account number, with history"},
    };
    for (const auto& c : cases) {
        const Outcome o = cli(c.args);
        EXPECT_EQ(o.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(o.err.contains(QLatin1String(c.message))) << o.err.toStdString();
    }
    EXPECT_EQ(investFile(), before);
}

// Two programs on one SQLite data folder: command lines saving loans and importing postings into
// ONE account while this process saves loans through the program's own saving code, all at once.
// Every command goes through (contention is waited out and tried again, never shown) and nothing is
// lost: every loan whole, every posting once, the account the sum of its line items.
TEST_F(Cli, ProgramsAtOnceOnOneDataFolderLoseNothingAndShowNoError) {
    ASSERT_EQ(cli({QStringLiteral("invest-import"),
                   writeFile(out("open.csv"), "ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND\n"
                                              "7,Shared,01012008,N,100,10,0,0,0\n")})
                  .code,
              0);
    constexpr int importers = 4, savers = 4, rowsPerImport = 25, savedHere = 6;
    std::vector<std::unique_ptr<QProcess>> processes;
    const auto start = [&](const QStringList& args) {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral(TALVERO_CLI), args);
        ASSERT_TRUE(p->waitForStarted(10000));
        processes.push_back(std::move(p));
    };
    for (int i = 0; i < importers; ++i) {
        QByteArray csv = "ACTNO,NAME,DATE,TYPE,SHARES,PRICE,COMMISSION,FEE,DIVIDEND\n";
        // The commission in cents tells each posting apart.
        for (int k = 0; k < rowsPerImport; ++k)
            csv +=
                QStringLiteral("7,,02012008,B,2,10,%1,0,0\n").arg((i * rowsPerImport + k) / 100.0).toLatin1();
        start({QStringLiteral("invest-import"),
               writeFile(QDir(output_.path()).filePath(QStringLiteral("import%1.csv").arg(i)), csv)});
    }
    for (int s = 0; s < savers; ++s)
        start(QStringList{QStringLiteral("save")} + toArgs(kRegular));
    for (int k = 0; k < savedHere; ++k)
        saveDirectly(kRegular);
    for (auto& p : processes) {
        ASSERT_TRUE(p->waitForFinished(120000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        EXPECT_TRUE(p->readAllStandardError().isEmpty());
    }

    const auto count = [](db::Alias alias, const QString& statement) {
        db::Connection c(alias);
        QSqlQuery q(c.database());
        EXPECT_TRUE(q.exec(statement) && q.next()) << statement.toStdString();
        return q.value(0).toLongLong();
    };
    const qint64 loans = savers + savedHere;
    EXPECT_EQ(count(db::Alias::IBLoan, QStringLiteral("SELECT COUNT(DISTINCT LOANNO) FROM LOANSUMMARY")),
              loans);
    // Whole: every loan has as many detail rows as the first one (the same loan each time).
    const qint64 rowsOfOne =
        count(db::Alias::IBLoan, QStringLiteral("SELECT COUNT(*) FROM LOANDETAIL WHERE LOANNO = "
                                                "(SELECT MIN(LOANNO) FROM LOANSUMMARY)"));
    EXPECT_GT(rowsOfOne, 360);
    EXPECT_EQ(count(db::Alias::IBLoan,
                    QStringLiteral("SELECT COUNT(*) FROM (SELECT LOANNO FROM LOANDETAIL GROUP BY "
                                   "LOANNO HAVING COUNT(*) = %1)")
                        .arg(rowsOfOne)),
              loans);
    EXPECT_EQ(count(db::Alias::IBLoan, QStringLiteral("SELECT COUNT(*) FROM LOANDETAIL")), loans * rowsOfOne);
    const qint64 postings = importers * rowsPerImport;
    EXPECT_EQ(
        count(db::Alias::IBInvest, QStringLiteral("SELECT COUNT(DISTINCT CAST(ROUND(COMMISSION * 100) AS "
                                                  "INTEGER)) FROM LINEITEM WHERE TRANSTYPE = 'B'")),
        postings);
    EXPECT_EQ(count(db::Alias::IBInvest, QStringLiteral("SELECT COUNT(*) FROM LINEITEM")), postings + 1);
    EXPECT_EQ(count(db::Alias::IBInvest, QStringLiteral("SELECT ROUND(TOTSHARES) FROM INVESTSUMMARY")),
              100 + 2 * postings);
    EXPECT_EQ(count(db::Alias::IBInvest,
                    QStringLiteral("SELECT COUNT(*) FROM INVESTSUMMARY s WHERE ABS(s.TOTBOOKVALUE - (SELECT "
                                   "SUM(l.BOOKVALUE) FROM LINEITEM l WHERE l.ACTNO = s.ACTNO)) > 0.00001")),
              0);
}
