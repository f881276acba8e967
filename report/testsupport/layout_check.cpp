#include "reporttest/layout_check.h"

#include "testsupport/pdf_words.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <map>
#include <optional>

namespace reporttest {

namespace {

constexpr double kPoint = 72.0 / 96.0; // points per report pixel

struct Found {
    const report::PlacedText* placed;
    testsupport::PdfWord word;
};

// The digits after the decimal point of a number, or nothing for a text that is not a number.
std::optional<int> decimals(const QString& text) {
    const QLocale locale;
    static const QRegularExpression number(QStringLiteral("^[-$(]*[\\d.,]*\\d\\)?$"));
    if (!number.match(text).hasMatch()) return std::nullopt;
    const qsizetype at = text.lastIndexOf(locale.decimalPoint());
    if (at < 0) return 0;
    int n = 0;
    for (qsizetype i = at + 1; i < text.size() && text.at(i).isDigit(); ++i)
        ++n;
    return n;
}

} // namespace

QStringList layoutFaults(const report::Renderer& renderer, const QString& pdf) {
    if (!renderer.writePdf(pdf)) return {QStringLiteral("%1 was not written").arg(pdf)};
    const testsupport::PdfWords words = testsupport::readPdfWords(pdf);
    if (!words.error.isEmpty()) return {words.error};
    const double margin = renderer.definition().marginMm / 25.4 * 72.0;
    QStringList faults = testsupport::overlappingWords(words);
    faults << testsupport::wordsOutsideMargins(words, margin);

    std::vector<report::PageLayout> pages;
    renderer.layout([&pages](const report::PageLayout& p) { pages.push_back(p); });
    if (qsizetype(pages.size()) != words.pages.size())
        faults
            << QStringLiteral("%1 pages laid out, %2 in the file").arg(pages.size()).arg(words.pages.size());

    // Each text where the layout put it: its first word at its left, a right-aligned one's last
    // word at its right; right-aligned texts by their column (the anchor they share).
    std::map<int, QList<Found>> columns;
    for (const report::PageLayout& page : pages) {
        for (const report::PlacedText& t : page.items) {
            const QStringList tokens = t.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (tokens.isEmpty()) continue;
            const bool right = t.align == report::Align::Right;
            const QString token = right ? tokens.last() : tokens.first();
            const double x = margin + (right ? t.box.right() : t.box.left()) * kPoint;
            const double baseline = margin + t.baseline * kPoint;
            const testsupport::PdfWord* best = nullptr;
            for (const testsupport::PdfWord& w : words.words) {
                if (w.page != page.number || w.text != token) continue;
                if (w.box.top() > baseline || w.box.bottom() < baseline) continue;
                const double off = qAbs((right ? w.box.right() : w.box.left()) - x);
                if (off < 1.0 && (!best || off < qAbs((right ? best->box.right() : best->box.left()) - x)))
                    best = &w;
            }
            if (!best) {
                faults << QStringLiteral("page %1: '%2' is not where it was laid out (%3 at %4 points)")
                              .arg(page.number)
                              .arg(t.text)
                              .arg(right ? QStringLiteral("ending") : QStringLiteral("starting"))
                              .arg(x, 0, 'f', 1);
                continue;
            }
            if (right) columns[t.x].append({&t, *best});
        }
    }
    for (const auto& [anchor, found] : columns) {
        int most = 0;
        for (const Found& f : found)
            most = std::max(most, decimals(f.word.text).value_or(0));
        // The right edge: where the texts with every decimal end (captions and dates included).
        std::optional<double> edge;
        for (const Found& f : found)
            if (decimals(f.word.text).value_or(most) == most)
                edge = std::max(edge.value_or(0), f.word.box.right());
        if (!edge) continue;
        for (const Found& f : found) {
            const double right = f.word.box.right();
            const bool complete = decimals(f.word.text).value_or(most) == most;
            if ((complete && qAbs(right - *edge) > 0.5) || (!complete && right > *edge + 0.5))
                faults << QStringLiteral("page %1: '%2' ends at %3, its column at %4 (anchor %5)")
                              .arg(f.word.page)
                              .arg(f.word.text)
                              .arg(right, 0, 'f', 2)
                              .arg(*edge, 0, 'f', 2)
                              .arg(anchor);
        }
    }
    return faults;
}

} // namespace reporttest
