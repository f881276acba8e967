// The loan chart of 360 and of 99,999 payments offscreen: building its series from the schedule pass,
// drawing it with QPainter (talvero-cli), opening and drawing its Qt Charts window, beside a bare Qt
// Charts line series of the same number of points drawn without reduction.
//
//   QT_QPA_PLATFORM=offscreen build/bin/charts_bench
#include "charts/chartwindow.h"
#include "charts/drawing.h"
#include "charts/loanchart.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstring>

namespace {

using namespace talvero;

// 250,000 at 7.25 %: 360 monthly payments, or 99,999 weekly ones.
struct Loan {
    common::LoanBlock block;
    double schedpay = 0;
};

Loan loan(double n) {
    Loan l;
    l.block.FINANCEAMT = 250000;
    l.block.APR = 7.25;
    l.block.NUMPAY = n;
    l.block.FREQUENCY = n > 1000 ? 52 : 12;
    l.block.TERMYEARS = n / l.block.FREQUENCY;
    std::strcpy(l.block.FIRSTDUE, "02012025");
    l.schedpay = schedule::Pass(l.block, 0).level_payment();
    return l;
}

QString money(double v, double step) {
    return QString::number(v, 'f', step >= 1 ? 0 : 2);
}

void BM_BuildSeries(benchmark::State& state) {
    const Loan l = loan(static_cast<double>(state.range(0)));
    for (auto _ : state) {
        charts::Chart c = charts::loanChart(l.block, l.schedpay, schedule::Variant::regular());
        benchmark::DoNotOptimize(c);
    }
}

void BM_PainterDraw(benchmark::State& state) {
    const Loan l = loan(static_cast<double>(state.range(0)));
    QImage image(1000, 750, QImage::Format_ARGB32);
    for (auto _ : state) {
        const charts::Chart c = charts::loanChart(l.block, l.schedpay, schedule::Variant::regular());
        QPainter p(&image);
        charts::draw(p, c, QRectF(0, 0, 1000, 750), money);
    }
}

void BM_ChartWindow(benchmark::State& state) {
    const Loan l = loan(static_cast<double>(state.range(0)));
    QImage image(900, 720, QImage::Format_ARGB32);
    for (auto _ : state) {
        charts::ChartWindow w(charts::loanChart(l.block, l.schedpay, schedule::Variant::regular()));
        w.show();
        QApplication::processEvents();
        QPainter p(&image);
        w.render(&p);
    }
}

// The window with the curves alone, without the yearly bars.
void BM_ChartWindowCurves(benchmark::State& state) {
    const Loan l = loan(static_cast<double>(state.range(0)));
    charts::Chart c = charts::loanChart(l.block, l.schedpay, schedule::Variant::regular());
    c.panels.pop_back();
    QImage image(900, 720, QImage::Format_ARGB32);
    for (auto _ : state) {
        charts::ChartWindow w(c);
        w.show();
        QApplication::processEvents();
        QPainter p(&image);
        w.render(&p);
    }
}

void BM_BareQtChartsLine(benchmark::State& state) {
    const Loan l = loan(static_cast<double>(state.range(0)));
    const charts::Chart c = charts::loanChart(l.block, l.schedpay, schedule::Variant::regular());
    const charts::Series& balance = c.panels[0].series[0];
    QImage image(900, 360, QImage::Format_ARGB32);
    for (auto _ : state) {
        auto* series = new QLineSeries;
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(balance.x.size()));
        for (std::size_t i = 0; i < balance.x.size(); ++i)
            points.append(QPointF(balance.x[i], balance.y[i]));
        series->replace(points);
        auto* chart = new QChart;
        chart->addSeries(series);
        chart->createDefaultAxes();
        QChartView view(chart);
        view.resize(900, 360);
        view.show();
        QApplication::processEvents();
        QPainter p(&image);
        view.render(&p);
    }
}

BENCHMARK(BM_BuildSeries)->Arg(360)->Arg(99999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PainterDraw)->Arg(360)->Arg(99999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartWindow)->Arg(360)->Arg(99999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartWindowCurves)->Arg(360)->Arg(99999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareQtChartsLine)->Arg(360)->Arg(99999)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
