// Saves a 99,999-payment loan and is killed by the test part way through: says "writing" once the
// summary row is in, and "saved" if the save ever completes, then waits to be killed.
#include "loan/save.h"

#include "db/error.h"

#include <QCoreApplication>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    talvero::common::LoanBlock b;
    b.FINANCEAMT = b.ORGAMT = 250000;
    b.APR = 6.5;
    b.NUMPAY = 99999;
    b.FREQUENCY = 12;
    b.INTMETHOD = 1;
    b.TERMYEARS = 99999.0 / 12;
    const double i = 6.5 / 1200;
    b.PAYMENT = 250000 * i / (1 - std::pow(1 + i, -99999.0));
    std::snprintf(b.FIRSTDUE, sizeof b.FIRSTDUE, "%s", "01152004");
    try {
        loan::writeLoan({b, b.PAYMENT, 0}, [] {
            std::puts("writing");
            std::fflush(stdout);
        });
        std::puts("saved");
        std::fflush(stdout);
    } catch (const db::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}
