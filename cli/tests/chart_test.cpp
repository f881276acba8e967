// talvero-cli chart run as the program itself without a display: the SVG read back (its curves, its
// labels, the axis ticks of the series the chart windows show), the PNG loaded, and every refusal
// with its exit code, its message and no file written.
#include "charts/loanchart.h"
#include "cli/loan.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace talvero;

struct Outcome {
    int code = -1;
    QString out, err;
};

Outcome cli(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TALVERO_CLI), args);
    EXPECT_TRUE(p.waitForFinished(120000)) << args.join(' ').toStdString();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

struct Svg {
    QStringList texts;
    QList<int> pathPoints; // the points of each path drawn
};

Svg readSvg(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    Svg svg;
    QXmlStreamReader xml(&file);
    static const QRegularExpression command(QStringLiteral("[MLC]"));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QStringLiteral("text"))
            svg.texts << xml.readElementText().trimmed();
        else if (xml.name() == QStringLiteral("path"))
            svg.pathPoints << static_cast<int>(xml.attributes().value(QStringLiteral("d")).count(command));
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return svg;
}

// The loan as the command computes it, for the series the image must show.
charts::Chart expected(const QStringList& options) {
    std::vector<std::string> args;
    for (const QString& o : options)
        args.push_back(o.toStdString());
    cli::Loan loan;
    std::ostringstream err;
    EXPECT_TRUE(cli::computed(args, loan, err)) << err.str();
    return charts::loanChart(loan.block, loan.block.PAYMENT, cli::variant(loan));
}

const QStringList kLoan{"--FINANCEAMT", "150000", "--APR",      "6.5",
                        "--NUMPAY",     "360",    "--FIRSTDUE", "03012024"};

class CliChart : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(CliChart, SvgShowsTheSeriesWithTheirLabels) {
    const struct {
        const char* name;
        QStringList extra;
    } cases[] = {{"regular", {}}, {"balloon", {"--BLPAY", "84"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList options = kLoan + c.extra;
        const QString svgFile = file("chart.svg");
        const Outcome o = cli(QStringList{"chart"} + options + QStringList{"--output", svgFile});
        ASSERT_EQ(o.code, 0) << o.err.toStdString();
        EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
        const Svg svg = readSvg(svgFile);
        const charts::Chart chart = expected(options);
        QStringList wanted{QString::fromStdString(chart.title)};
        for (const charts::Panel& p : chart.panels) {
            wanted << QString::fromStdString(p.title);
            for (const charts::Series& s : p.series)
                wanted << QString::fromStdString(s.name);
            // The money axis's ticks, with the command line's point.
            const charts::Scale scale = charts::valueScale(p);
            for (int t = 0; t < scale.ticks(); ++t)
                wanted << QString::number(scale.range.min + t * scale.step, 'f', 0);
        }
        wanted << QString::fromStdString(chart.panels[1].categories.front())
               << QString::fromStdString(charts::monthText(charts::xRange(chart.panels[0]).min));
        for (const QString& w : wanted)
            EXPECT_TRUE(svg.texts.contains(w)) << w.toStdString();
        EXPECT_EQ(svg.texts.contains(QStringLiteral("Balloon Payment")), !c.extra.isEmpty());
        // Each payment is a point of the three curves: the longest paths carry every payment.
        const std::size_t payments = chart.panels[0].series[0].y.size();
        EXPECT_EQ(svg.pathPoints.count(static_cast<int>(payments)), 3) << payments;
    }
}

TEST_F(CliChart, LongLoanIsReducedToThePixelsAndPngLoads) {
    const QString png = file("long.png"), svgFile = file("long.svg");
    const QStringList options{"--FINANCEAMT", "500000",      "--APR", "8",          "--NUMPAY",
                              "99999",        "--FREQUENCY", "52",    "--FIRSTDUE", "01072000"};
    Outcome o = cli(QStringList{"chart"} + options +
                    QStringList{"--output", png, "--width", "640", "--height", "480"});
    ASSERT_EQ(o.code, 0) << o.err.toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(640, 480));
    o = cli(QStringList{"chart"} + options + QStringList{"--output", svgFile});
    ASSERT_EQ(o.code, 0) << o.err.toStdString();
    // No path has more than four points per pixel column of its plot.
    const Svg svg = readSvg(svgFile);
    ASSERT_FALSE(svg.pathPoints.isEmpty());
    for (int n : svg.pathPoints)
        EXPECT_LE(n, 4 * 1000);
    EXPECT_GE(*std::max_element(svg.pathPoints.begin(), svg.pathPoints.end()), 800);
}

TEST_F(CliChart, WhatCannotBeWrittenIsRefusedAndNoFileIsLeft) {
    QFile kept(file("kept.svg"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("earlier");
    kept.close();
    QDir(dir.path()).mkdir(QStringLiteral("folder.svg"));
    const struct {
        QStringList args;
        int code;
        const char* message;
        QString untouched;
    } cases[] = {
        {kLoan + QStringList{"--output", file("missing/chart.svg")}, 1, "cannot write", {}},
        {kLoan + QStringList{"--output", file("folder.svg")}, 1, "it is a folder", {}},
        {kLoan + QStringList{"--output", file("chart.pdf")}, 1, "must end in .svg or .png",
         file("chart.pdf")},
        {kLoan, 2, "--output FILE.svg or FILE.png is missing", {}},
        {kLoan + QStringList{"--output"}, 2, "--output FILE.svg or FILE.png is missing", {}},
        {kLoan + QStringList{"--output", file("kept.svg"), "--width", "9"}, 2, "--width must be", {}},
        {QStringList{"--APR", "x", "--output", file("kept.svg")},
         2,
         "'x' is not a valid floating point value",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome o = cli(QStringList{"chart"} + c.args);
        EXPECT_EQ(o.code, c.code);
        EXPECT_TRUE(o.err.contains(QString::fromLatin1(c.message))) << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty());
        if (!c.untouched.isEmpty()) {
            EXPECT_FALSE(QFile::exists(c.untouched));
        }
    }
    EXPECT_FALSE(QFile::exists(file("missing")));
    QFile again(file("kept.svg"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("earlier"));
    // Nothing but what the test made is left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"folder.svg", "kept.svg"}));
}

} // namespace
