#include "printers/frame.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <optional>

namespace talvero::printers {

int mulDiv(int a, int b, int c) noexcept {
    if (c == 0) return 0;
    const long long p = static_cast<long long>(a) * b;
    const long long q = std::llabs(p) * 2 + std::llabs(c);
    long long r = q / (2 * std::llabs(static_cast<long long>(c)));
    if ((p < 0) != (c < 0)) r = -r;
    return static_cast<int>(r);
}

Geometry geometry(int fontSize, int dpiY, int pageHeight) noexcept {
    Geometry g;
    g.lineHeight = static_cast<int>(std::abs(mulDiv(fontSize, dpiY, 72)) * 1.4);
    if (g.lineHeight > 0) g.linesPerPage = pageHeight / g.lineHeight - 6;
    return g;
}

namespace {
// Printed schedules keep the '.' of their fixed formats whatever locale the program runs in.
class ClassicNumbers {
public:
    ClassicNumbers() : classic_(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr))) {
        if (classic_) previous_ = uselocale(classic_);
    }
    ~ClassicNumbers() {
        if (!classic_) return;
        uselocale(previous_);
        freelocale(classic_);
    }
    ClassicNumbers(const ClassicNumbers&) = delete;
    ClassicNumbers& operator=(const ClassicNumbers&) = delete;

private:
    locale_t classic_;
    locale_t previous_ = LC_GLOBAL_LOCALE;
};
} // namespace

std::string format(const char* fmt, ...) {
    const ClassicNumbers classic;
    char buffer[512];
    va_list args;
    va_start(args, fmt);
    const int n = std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < sizeof buffer) return std::string(buffer, static_cast<std::size_t>(n));
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    va_start(args, fmt);
    std::vsnprintf(out.data(), out.size(), fmt, args);
    va_end(args);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

void PageText::newPage() {
    pages_.emplace_back();
}

void PageText::line(int n, const std::string& text) {
    if (pages_.empty()) pages_.emplace_back();
    if (text.empty() || n < 0) return;
    Lines& page = pages_.back();
    if (page.size() <= static_cast<std::size_t>(n)) page.resize(static_cast<std::size_t>(n) + 1);
    std::string& target = page[static_cast<std::size_t>(n)];
    // A second text on the same line covers the first from its start.
    if (target.size() <= text.size())
        target = text;
    else
        target.replace(0, text.size(), text);
}

std::string PageText::pageText(std::size_t i) const {
    std::string out;
    if (i >= pages_.size()) return out;
    for (const std::string& l : pages_[i]) {
        out += l;
        out += '\n';
    }
    return out;
}

int runJob(const Layout& layout, int linesPerPage, Sink& sink) {
    const int P = linesPerPage;
    int counter = P + 1;
    int pages = 0;
    auto startPage = [&](bool closingPage) {
        if (pages > 0) sink.newPage();
        ++pages;
        counter = 0;
        for (const std::string& l : layout.pageHeader(closingPage))
            sink.line(counter++, l);
    };
    auto block = [&](const Lines& lines) {
        for (const std::string& l : lines)
            sink.line(counter++, l);
    };

    schedule::Pass pass = layout.pass();
    const double rows = pass.payment_rows();
    std::optional<schedule::Row> waiting; // a loan year's subtotal, printed before the next row
    schedule::Row closing, grand;
    closing.kind = schedule::RowKind::Subtotal;
    grand.kind = schedule::RowKind::GrandTotal;
    long lastK = 0;
    for (schedule::Row row; pass.next(row);) {
        switch (row.kind) {
        case schedule::RowKind::Payment:
            if (++counter >= P) startPage(false);
            if (waiting) {
                block(layout.subtotalBlock(*waiting));
                waiting.reset();
            }
            sink.line(counter, layout.paymentRow(row));
            lastK = row.k;
            break;
        case schedule::RowKind::Subtotal:
            if (static_cast<double>(lastK) >= rows)
                closing = row;
            else if (layout.subtotalBeforeNextRow())
                waiting = row;
            else
                block(layout.subtotalBlock(row));
            break;
        case schedule::RowKind::GrandTotal:
            grand = row;
            break;
        }
    }

    ++counter;
    const bool onNewPage = !(counter < P - layout.closingMargin());
    if (onNewPage) startPage(true);
    const Lines last = layout.closingBlock(closing, grand, onNewPage);
    for (std::size_t i = 0; i < last.size(); ++i) {
        sink.line(counter, last[i]);
        if (i + 1 < last.size()) ++counter;
    }
    return pages;
}

} // namespace talvero::printers
