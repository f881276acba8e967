// The comparison record without widgets: the pick lists' texts as loan numbers, the refusal, the
// slots read from saved loans and the texts of every comparison box in the order they are written.
#include "portfolio/comparison.h"

#include "db/connection.h"
#include "db/testsupport/tempdatafolder.h"
#include "savedloans.h"
#include "schedule/schedule.h"
#include "ui/convert.h"

#include <QLocale>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <gtest/gtest.h>

#include <map>

namespace {

using portfolio::Slot;

class Comparison : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

QSqlRecord record(std::initializer_list<std::pair<const char*, QVariant>> values) {
    QSqlRecord r;
    for (const auto& [name, value] : values) {
        QSqlField f(QString::fromLatin1(name), value.metaType());
        f.setValue(value);
        r.append(f);
    }
    return r;
}

TEST_F(Comparison, TotalCostsOfTheFourCosts) {
    Slot s;
    s.FEEAMT = 500;
    s.TOTALINTEREST = 10234.56;
    s.TOTALTAXES = 0;
    s.TOTALINSURANCE = 812.40;
    EXPECT_EQ(ui::format("%7.2f", portfolio::totalCost(s)), QStringLiteral("11546.96"));
    portfolio::Comparison c{s, s, s};
    std::map<QString, QString> boxes;
    for (const auto& b : portfolio::boxTexts(c))
        boxes[b.box] = b.text;
    EXPECT_EQ(boxes[QStringLiteral("Edit43")], QStringLiteral("11546.96"));
    EXPECT_EQ(boxes[QStringLiteral("Edit31")], QStringLiteral(" 500.00"));
    EXPECT_EQ(boxes[QStringLiteral("Edit37")], QStringLiteral("   0.00"));
    EXPECT_EQ(boxes[QStringLiteral("Edit40")], QStringLiteral(" 812.40"));
}

TEST_F(Comparison, TotalCostsAddFeesInterestTaxesInsuranceInThatOrder) {
    // In double precision 1e16 + 1 stays 1e16, so only this order gives 0 (fees and insurance
    // first would give 2).
    Slot s;
    s.FEEAMT = 1e16;
    s.TOTALINTEREST = 1;
    s.TOTALTAXES = 1;
    s.TOTALINSURANCE = -1e16;
    EXPECT_EQ(portfolio::totalCost(s), 0.0);
}

TEST_F(Comparison, LoanNumbersFromThePickLists) {
    EXPECT_EQ(portfolio::loanNumbers({QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("7")}),
              (std::array<int, 3>{5, 5, 7}));
    const struct {
        std::array<QString, 3> picked;
        const char* message;
    } failing[] = {
        {{QString(), QStringLiteral("5"), QStringLiteral("7")}, "'' is not a valid integer value"},
        {{QStringLiteral("5"), QString(), QStringLiteral("7")}, "'' is not a valid integer value"},
        {{QStringLiteral("5"), QStringLiteral("7"), QString()}, "'' is not a valid integer value"},
    };
    for (const auto& f : failing) {
        try {
            portfolio::loanNumbers(f.picked);
            ADD_FAILURE() << "no conversion error";
        } catch (const ui::ConvertError& e) {
            EXPECT_EQ(e.message(), QString::fromLatin1(f.message));
        }
    }
}

TEST_F(Comparison, OneLoanThreeTimesIsRefused) {
    const QString refusal =
        QStringLiteral("You failed to select at least two different loans from the listboxes "
                       "provided.  Please correct for the evaluation!");
    EXPECT_EQ(portfolio::refusal({5, 5, 5}), refusal);
    for (const std::array<int, 3> loans :
         {std::array{5, 5, 7}, std::array{7, 5, 5}, std::array{5, 7, 5}, std::array{1, 2, 3}})
        EXPECT_FALSE(portfolio::refusal(loans).has_value()) << loans[0] << loans[1] << loans[2];
}

TEST_F(Comparison, BalloonFlagAndNumberOfPayments) {
    const struct {
        QVariant BLPAY;
        const char* flag;
        double pays;
    } cases[] = {
        {QVariant(12.0), "YES", 12}, {QVariant(1.0), "YES", 1},
        {QVariant(0.0), "NO", 60},   {QVariant(-3.0), "NO", 60},
        {QVariant(0.4), "NO", 60},   {QVariant(QMetaType::fromType<double>()), "NO", 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.BLPAY.toString().toStdString());
        const Slot s = portfolio::slotFrom(record({{"NUMPAY", 60.0}, {"BLPAY", c.BLPAY}}));
        EXPECT_EQ(s.balloon, QString::fromLatin1(c.flag));
        EXPECT_EQ(s.pays, c.pays);
        EXPECT_EQ(s.NUMPAY, 60);
    }
}

TEST_F(Comparison, BoxesAreWrittenDatesFirstThenRowByRowAndTotalsLast) {
    std::vector<QString> expected;
    for (const char* b : {"Edit16", "Edit19", "Edit17", "Edit20", "Edit18", "Edit21"})
        expected.push_back(QString::fromLatin1(b));
    for (int first : {1, 4, 7, 10, 13, 22, 25, 28, 46, 49, 52, 55, 31, 34, 37, 40, 43})
        for (int k = 0; k < 3; ++k)
            expected.push_back(QStringLiteral("Edit%1").arg(first + k));
    std::vector<QString> written;
    for (const auto& b : portfolio::boxTexts({}))
        written.push_back(b.box);
    EXPECT_EQ(written, expected);
}

TEST_F(Comparison, FormatsOfEveryRow) {
    Slot s;
    s.ORGAMT = 10500;
    s.APR = 7.256;
    s.FREQUENCY = 12;
    s.pays = 12;
    s.NUMPAY = 60;
    s.PAYMENT = 212.3456;
    s.FEEPCT = 1.5;
    s.balloon = QStringLiteral("YES");
    s.INTMETHOD = 3;
    s.REGZAPR = 7.3;
    s.SKPMONTH = 2;
    s.DOWNAMT = 500;
    s.FIRSTDUEDT = QStringLiteral("01/15/2004");
    s.ORIGDT = QStringLiteral("03/09/2004");
    std::map<QString, QString> boxes;
    for (const auto& b : portfolio::boxTexts({Slot{}, Slot{}, s}))
        boxes[b.box] = b.text;
    const std::map<QString, QString> expected = {
        {"Edit3", "10500.00"}, {"Edit6", "   7.26"},     {"Edit9", " 12"},         {"Edit12", " 12"},
        {"Edit15", " 212.35"}, {"Edit18", "01/15/2004"}, {"Edit21", "03/09/2004"}, {"Edit24", "   1.50"},
        {"Edit27", "YES"},     {"Edit30", " 60"},        {"Edit48", "  3"},        {"Edit51", "   7.30"},
        {"Edit54", "  2"},     {"Edit57", " 500.00"},    {"Edit1", "   0.00"},     {"Edit25", ""},
    };
    for (const auto& [box, text] : expected)
        EXPECT_EQ(boxes[box], text) << box.toStdString();
}

class SavedLoans : public Comparison {
protected:
    db::testing::TempDataFolder folder_;
};

TEST_F(SavedLoans, LoansFiveFiveSevenCompareLoanFiveTwiceAndLoanSeven) {
    for (int i = 1; i <= 7; ++i) {
        const portfoliotest::LoanTerms t{10000.0 + 100 * i, 36, 100.0 * i, 1000.0 + i, 0, 0};
        const qint64 no = i == 7 ? portfoliotest::saveBalloon({20000, 60, 700, 9876.5, 120, 340.25}, 12)
                                 : portfoliotest::saveRegular(t);
        ASSERT_EQ(no, i);
    }
    db::Connection c(db::Alias::IBLoan);
    const portfolio::Comparison r = portfolio::readComparison(c, {5, 5, 7});
    EXPECT_EQ(r[0].ORGAMT, 10500);
    EXPECT_EQ(r[0].FEEAMT, 500);
    EXPECT_EQ(r[0].TOTALINTEREST, 1005);
    EXPECT_EQ(r[0].balloon, QStringLiteral("NO"));
    EXPECT_EQ(r[0].pays, 36);
    EXPECT_EQ(r[0].FEEPCT, 1.5);
    EXPECT_EQ(r[0].FIRSTDUEDT, QStringLiteral("01/15/2004"));
    EXPECT_EQ(r[0].ORIGDT, QStringLiteral("03/09/2004"));
    EXPECT_EQ(r[2].ORGAMT, 20000);
    EXPECT_EQ(r[2].balloon, QStringLiteral("YES"));
    EXPECT_EQ(r[2].pays, 12);
    EXPECT_EQ(r[2].NUMPAY, 60);
    EXPECT_EQ(r[2].BLPAY, 12);
    EXPECT_EQ(r[2].TOTALTAXES, 120);
    EXPECT_EQ(r[2].TOTALINSURANCE, 340.25);
    EXPECT_EQ(ui::format("%7.2f", portfolio::totalCost(r[2])), QStringLiteral("11036.75"));
    // Loan 5 twice: the first two columns hold the same texts.
    std::map<QString, QString> boxes;
    for (const auto& b : portfolio::boxTexts(r))
        boxes[b.box] = b.text;
    for (int first : {1, 4, 7, 10, 13, 16, 19, 22, 25, 28, 46, 49, 52, 55, 31, 34, 37, 40, 43}) {
        const QString one = QStringLiteral("Edit%1").arg(first),
                      two = QStringLiteral("Edit%1").arg(first + 1);
        EXPECT_EQ(boxes[one], boxes[two]) << one.toStdString();
    }
    EXPECT_EQ(boxes[QStringLiteral("Edit43")], QStringLiteral("1505.00"));
}

TEST_F(SavedLoans, ARegularLoanSavedWithoutBlpayCountsAsNoBalloon) {
    ASSERT_EQ(portfoliotest::saveRegular({10000, 24, 0, 1000, 0, 0}), 1);
    {
        db::Connection c(db::Alias::IBLoan);
        QSqlQuery q(c.database());
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT BLPAY FROM LOANSUMMARY WHERE LOANNO = 1")));
        ASSERT_TRUE(q.next());
        EXPECT_TRUE(q.value(0).isNull());
    }
    db::Connection c(db::Alias::IBLoan);
    const portfolio::Comparison r = portfolio::readComparison(c, {1, 1, 2});
    EXPECT_EQ(r[0].balloon, QStringLiteral("NO"));
    EXPECT_EQ(r[0].pays, 24);
    // No loan 2: an empty slot.
    EXPECT_EQ(r[2].ORGAMT, 0);
    EXPECT_EQ(r[2].balloon, QStringLiteral("NO"));
}

} // namespace

namespace {

// The balances of the payment rows `variant` gives for the loan saved from `t`.
std::vector<double> scheduleBalances(const portfoliotest::LoanTerms& t,
                                     const talvero::schedule::Variant& variant) {
    const auto b = portfoliotest::blockFor(t);
    talvero::schedule::Pass pass(b, b.PAYMENT, variant, talvero::common::Date{3, 9, 2004});
    std::vector<double> out;
    for (talvero::schedule::Row row; pass.next(row);)
        if (row.kind == talvero::schedule::RowKind::Payment) out.push_back(row.BALANCE);
    return out;
}

TEST_F(SavedLoans, ChartHoldsTheSavedBalancesAndTheCostParts) {
    const portfoliotest::LoanTerms regular{10000, 36, 250, 1957.15, 0, 0},
        shorter{8000, 24, 100, 1000, 60, 0}, balloon{20000, 60, 700, 9876.5, 120, 340.25};
    ASSERT_EQ(portfoliotest::saveRegular(regular), 1);
    ASSERT_EQ(portfoliotest::saveRegular(shorter), 2);
    ASSERT_EQ(portfoliotest::saveBalloon(balloon, 12), 3);
    db::Connection c(db::Alias::IBLoan);
    const portfolio::Comparison r = portfolio::readComparison(c, {3, 1, 9});
    EXPECT_EQ(r[0].LOANNO, 3);
    EXPECT_EQ(r[2].LOANNO, 0); // no loan 9
    const talvero::charts::Chart chart = portfolio::comparisonChart(c, r);
    EXPECT_EQ(chart.title, "Loan Comparison Chart");
    ASSERT_EQ(chart.panels.size(), 2u);
    const auto& curves = chart.panels[0].series;
    ASSERT_EQ(curves.size(), 3u);
    EXPECT_EQ(curves[0].name, "Loan # 1");
    EXPECT_EQ(curves[0].y, scheduleBalances(balloon, talvero::schedule::Variant::balloon_saving(12)));
    EXPECT_EQ(curves[1].y, scheduleBalances(regular, talvero::schedule::Variant::regular()));
    EXPECT_EQ(curves[0].y.size(), 12u);
    EXPECT_EQ(curves[1].labels.front(), "01/15/2004");
    EXPECT_TRUE(curves[2].y.empty());
    const talvero::charts::Panel& costs = chart.panels[1];
    EXPECT_EQ(costs.categories, (std::vector<std::string>{"Loan # 1", "Loan # 2", "Loan # 3"}));
    const struct {
        const char* part;
        std::vector<double> values;
    } parts[] = {{"Interest", {9876.5, 1957.15, 0}},
                 {"Fees", {700, 250, 0}},
                 {"Taxes", {120, 0, 0}},
                 {"Insurance", {340.25, 0, 0}}};
    ASSERT_EQ(costs.series.size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(costs.series[k].name, parts[k].part);
        EXPECT_EQ(costs.series[k].y, parts[k].values) << parts[k].part;
    }
}

} // namespace
