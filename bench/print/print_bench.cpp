// Printing schedules to PDF beside raw QPainter text of the same lines, and opening the report
// preview of a saved loan. Run by hand: print_bench [--benchmark_filter=...]
#include "db/connection.h"
#include "report/preview.h"
#include "db/statements.h"
#include "loan/amortization.h"
#include "loan/save.h"
#include "printers/job.h"
#include "scribe1/layout.h"

#include <QApplication>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

QTemporaryDir* folder = nullptr;

talvero::scribe1::Values loan(double payments) {
    talvero::scribe1::Values v;
    auto& b = v.block;
    b.FINANCEAMT = 100000;
    b.APR = 8;
    b.NUMPAY = payments;
    b.FREQUENCY = 12;
    b.INTMETHOD = 1;
    b.TERMYEARS = payments / 12;
    b.TAXES = 1200;
    std::strcpy(b.FIRSTDUE, "01152004");
    v.SCHEDPAY = 733.76;
    return v;
}

void pdfPrinter(QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder->filePath(QStringLiteral("bench.pdf")));
}

void BM_PrintScheduleToPdf(benchmark::State& state) {
    const talvero::scribe1::LoanYearLayout layout(loan(double(state.range(0))));
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer);
    int pages = 0;
    for (auto _ : state)
        pages = talvero::printers::printLayout(printer, layout);
    state.counters["pages"] = pages;
    state.counters["pages/s"] =
        benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
}

// The same lines, laid out beforehand, drawn with plain QPainter calls.
void BM_RawPainterSameLines(benchmark::State& state) {
    const talvero::scribe1::LoanYearLayout layout(loan(double(state.range(0))));
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer);
    const auto g = talvero::printers::geometryOf(printer);
    talvero::printers::PageText text;
    talvero::printers::runJob(layout, g.linesPerPage, text);
    std::vector<std::vector<QString>> pages;
    for (const auto& page : text.pages()) {
        pages.emplace_back();
        for (const std::string& l : page)
            pages.back().push_back(QString::fromStdString(l));
    }
    for (auto _ : state) {
        QPainter painter(&printer);
        painter.setFont(QFont(talvero::printers::printFont(), &printer));
        const int ascent = QFontMetrics(painter.font()).ascent();
        for (std::size_t p = 0; p < pages.size(); ++p) {
            if (p > 0) printer.newPage();
            for (std::size_t n = 0; n < pages[p].size(); ++n)
                if (!pages[p][n].isEmpty()) painter.drawText(0, int(n) * g.lineHeight + ascent, pages[p][n]);
        }
    }
    state.counters["pages"] = double(pages.size());
    state.counters["pages/s"] =
        benchmark::Counter(double(pages.size()) * double(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_PrintScheduleToPdf)->Arg(360)->Arg(99999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawPainterSameLines)->Arg(360)->Arg(99999)->Unit(benchmark::kMillisecond);

// From the saved loan to the preview's first page: query, layout, drawing into the preview.
void BM_ReportPreviewOfSaved360(benchmark::State& state) {
    talvero::common::LoanBlock b = loan(360).block;
    b.ORGAMT = b.FINANCEAMT;
    const qint64 no = loan::writeLoan({b, 733.76, 0}).LOANNO;
    for (auto _ : state) {
        db::Connection connection(db::Alias::IBLoan);
        QSqlQuery query = db::prepare(connection, db::sql::loanPreview);
        query.setForwardOnly(true);
        query.bindValue(QStringLiteral(":Param1"), no);
        const report::Renderer renderer(loan::quickRep1(), [&query] {
            db::exec(query);
            return std::make_unique<report::QueryRows>(query);
        });
        QPrinter printer(QPrinter::HighResolution);
        report::setUpPrinter(printer, renderer.definition());
        QPrintPreviewWidget preview(&printer);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                         [&renderer](QPrinter* p) { renderer.print(*p); });
        preview.show();
        preview.updatePreview();
        QApplication::processEvents();
        benchmark::DoNotOptimize(preview.pageCount());
        state.counters["pages"] = preview.pageCount();
    }
}
BENCHMARK(BM_ReportPreviewOfSaved360)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    folder = &dir;
    qputenv("TALVERO_HOME", dir.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
