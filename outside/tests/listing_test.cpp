#include "outside/listing.h"

#include "testsupport/locale_text.h"
#include "ui/modal.h"

#include <QLabel>
#include <QTableView>
#include <cstring>
#include <gtest/gtest.h>

namespace {

talvero::common::LoanBlock loan36() {
    talvero::common::LoanBlock b;
    b.FINANCEAMT = 10000;
    b.APR = 12;
    b.NUMPAY = 36;
    b.FREQUENCY = 12;
    std::strcpy(b.FIRSTDUE, "01152004");
    return b;
}

TEST(Listing, ShowsPaymentsYearTotalsAndTheGrandTotal) {
    const auto b = loan36();
    outside::ScheduleModel model(talvero::schedule::Pass(b, 332.14));
    // 36 payments, totals for 2004 and 2005, the closing 2006 total and the grand total.
    ASSERT_EQ(model.rowCount(), 40);
    ASSERT_EQ(model.columnCount(), 11);
    auto text = [&](int r, int c) { return model.data(model.index(r, c)).toString(); };
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Interest"));
    EXPECT_EQ(text(0, 0), QStringLiteral("1"));
    EXPECT_EQ(text(0, 1), QStringLiteral("01/15/2004"));
    EXPECT_EQ(text(0, 2), testsupport::num("100.00")); // 10000 × 1 %
    EXPECT_EQ(text(0, 3), testsupport::num("232.14")); // 332.14 − 100
    EXPECT_EQ(text(0, 10), testsupport::num("9767.86"));
    EXPECT_EQ(text(12, 0), QStringLiteral("Total 2004"));
    EXPECT_EQ(text(12, 10), QString());
    EXPECT_EQ(text(25, 0), QStringLiteral("Total 2005"));
    EXPECT_EQ(text(38, 0), QStringLiteral("Total 2006"));
    EXPECT_EQ(text(39, 0), QStringLiteral("Grand total"));
    EXPECT_EQ(text(39, 3), testsupport::num("10000.00"));
    EXPECT_TRUE(model.data(model.index(39, 0), Qt::FontRole).value<QFont>().bold());
}

TEST(Listing, OpensModallyWithTheLoanSummary) {
    const auto b = loan36();
    int rows = 0;
    QString summary;
    ui::ModalInterceptor modal([&](QDialog* d) {
        auto* w = qobject_cast<outside::ListingWindow*>(d);
        EXPECT_NE(w, nullptr);
        if (!w) return 0;
        rows = w->Table->model()->rowCount();
        summary = w->Summary->text();
        return 1;
    });
    outside::showListing(QStringLiteral("Amortization Schedule"), outside::loanSummary(b, 332.14),
                         talvero::schedule::Pass(b, 332.14));
    EXPECT_EQ(modal.shown().size(), 1);
    EXPECT_EQ(rows, 40);
    EXPECT_TRUE(summary.contains(testsupport::num("Amount Financed 10000.00")));
    EXPECT_TRUE(summary.contains(testsupport::num("Scheduled Payment 332.14")));
}

} // namespace
