// The forms' way to a chart window: this program links only the opener, so Qt Charts is not in it
// until the first chart is opened, and then the window comes from the library beside talvero_ui.
#include "charts/chartmodule.h"
#include "charts/loanchart.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace talvero;

// Whether a library whose file name starts with `name` is mapped into this process.
bool loaded(const char* name) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QByteArray file = line.mid(line.lastIndexOf('/') + 1);
        if (line.contains('/') && file.startsWith(name)) return true;
    }
    return false;
}

charts::Chart chart() {
    common::LoanBlock b;
    b.FINANCEAMT = 100000;
    b.APR = 6;
    b.NUMPAY = 120;
    b.FREQUENCY = 12;
    b.TERMYEARS = 10;
    std::strcpy(b.FIRSTDUE, "02012025");
    const schedule::Variant v = schedule::Variant::regular();
    return charts::loanChart(b, schedule::Pass(b, 0, v).level_payment(), v);
}

TEST(ChartModule, TheWindowsLibraryLoadsWithTheFirstChart) {
    EXPECT_FALSE(loaded("libQt6Charts.so"));
    EXPECT_FALSE(loaded("libtalvero_charts.so"));
    EXPECT_TRUE(QFileInfo::exists(charts::chartModulePath())) << charts::chartModulePath().toStdString();

    QString title;
    QString className;
    ui::MessageRecorder messages;
    ui::ModalInterceptor modal([&](QDialog* d) {
        title = d->windowTitle();
        className = QString::fromLatin1(d->metaObject()->className());
        return 0;
    });
    const charts::Chart shown = chart();
    charts::showChartWindow(shown, nullptr);

    EXPECT_TRUE(messages.messages().isEmpty());
    ASSERT_EQ(modal.shown().size(), 1);
    EXPECT_EQ(className, QStringLiteral("talvero::charts::ChartWindow"));
    EXPECT_EQ(title, QString::fromStdString(shown.title));
    EXPECT_TRUE(loaded("libQt6Charts.so"));
    EXPECT_TRUE(loaded("libtalvero_charts.so"));
}

} // namespace
