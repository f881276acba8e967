// An empty first due date counts from the program's today, in the program and in a listing library
// that carries its own copy of the schedule pass.
#include "outside/listing.h"
#include "roster1/roster1.h"
#include "ui/modal.h"
#include "ui/today.h"

#include <QDate>
#include <QDialog>
#include <QTableView>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

talvero::common::LoanBlock loan12(const char* firstDue) {
    talvero::common::LoanBlock b;
    b.FINANCEAMT = 1200;
    b.APR = 12;
    b.NUMPAY = 12;
    b.FREQUENCY = 12;
    std::strcpy(b.FIRSTDUE, firstDue);
    return b;
}

// The date column, one text a row (empty on the total rows).
std::string datesOf(const QAbstractItemModel& model) {
    QStringList dates;
    for (int r = 0; r < model.rowCount(); ++r)
        dates << model.data(model.index(r, 1)).toString();
    return dates.join(QLatin1Char(' ')).toStdString();
}

// The dates of the schedule roster1 lists for the loan.
std::string listedDates(talvero::common::LoanBlock b) {
    const double schedpay = 106.62;
    const int zero = 0;
    const double reserved = 0;
    std::string dates;
    ui::ModalInterceptor modal([&dates](QDialog* d) {
        // The library holds its own copy of the listing code, so the table is found by name.
        if (auto* table = d->findChild<QTableView*>(QStringLiteral("Table")))
            dates = datesOf(*table->model());
        return 1;
    });
    ListAmortBL(&b.FINANCEAMT, &b.APR, &b.NUMPAY, &schedpay, &b.DSRATE, &b.DSFREQ, &b.DSYEARS, &b.LFRATE,
                &b.LFFREQ, &b.LFYEARS, &b.TAXES, &b.SKPMONTH, b.FIRSTDUE, &b.INTMETHOD, &b.FREQUENCY, &zero,
                &zero, &zero, &b.MATURITY[0], &b.MATURITY[1], &b.MATURITY[2], &b.DSPREM, &b.LFPREM,
                &b.DSNUMPAY, &b.LFNUMPAY, &b.HOINS, &b.OTINS, &b.TERMYEARS, &reserved, &b.ODDDAYS,
                &b.LOANDATE[0], &b.LOANDATE[1], &b.LOANDATE[2], &b.TOTALINTEREST);
    EXPECT_EQ(modal.shown().size(), 1);
    return dates;
}

TEST(ProgramsToday, AnEmptyFirstDueDateCountsFromIt) {
    // Dates no system clock shows while the test runs; a leap day and a year's end.
    const struct {
        QDate today;
        const char* typed;
    } cases[] = {{QDate(2004, 2, 29), "02292004"}, {QDate(1999, 12, 31), "12311999"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const ui::TodayOverride fixed(c.today);
        const std::string typed =
            datesOf(outside::ScheduleModel(talvero::schedule::Pass(loan12(c.typed), 106.62)));
        EXPECT_EQ(typed.substr(0, 10), c.today.toString(QStringLiteral("MM/dd/yyyy")).toStdString());
        // The program's own schedule pass.
        EXPECT_EQ(datesOf(outside::ScheduleModel(talvero::schedule::Pass(loan12(""), 106.62))), typed);
        // The listing library's.
        EXPECT_EQ(listedDates(loan12("")), typed);
        EXPECT_EQ(listedDates(loan12(c.typed)), typed);
    }
}

TEST(ProgramsToday, IsTheSystemDateAgainWhenNoLongerFixed) {
    { const ui::TodayOverride fixed(QDate(1999, 12, 31)); }
    const QDate now = QDate::currentDate();
    const std::string first = listedDates(loan12("")).substr(0, 10);
    // A run across midnight sees the next day.
    EXPECT_TRUE(first == now.toString(QStringLiteral("MM/dd/yyyy")).toStdString() ||
                first == now.addDays(1).toString(QStringLiteral("MM/dd/yyyy")).toStdString())
        << first;
}

} // namespace
