// The print job frame the schedule printers share, as plain logic.
//
// A job lays a schedule out on pages of text lines: line n of a page is written at y = n × line
// height. The frame owns the line counter and the page rules; a Layout says what a library writes
// (its page header, payment row, subtotal and closing blocks). Output goes to a Sink: PageText keeps
// the pages as lines for tests and listings, the drawing layer (printers/job.h) puts them on a
// printer as they come, so a long schedule never sits in memory.
//
//   Geometry g = geometry(10, 300, 3150);        // font size, vertical dpi, printable height
//   PageText pages;
//   runJob(layout, pass, g.linesPerPage, pages);
//   pages.pages()[0][4]                           // the fifth line of the first page
#pragma once

#include "schedule/schedule.h"

#include <string>
#include <vector>

namespace talvero::printers {

// a × b / c rounded half away from zero, as the platform's multiply-divide does; 0 when c is 0.
int mulDiv(int a, int b, int c) noexcept;

struct Geometry {
    int lineHeight = 0;   // device units
    int linesPerPage = 0; // P
};

// Line height = |mulDiv(font size, dpi, 72)| × 1.4 truncated; P = page height / line height − 6.
Geometry geometry(int fontSize, int dpiY, int pageHeight) noexcept;

// printf into a std::string.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

using Lines = std::vector<std::string>;

class Sink {
public:
    virtual ~Sink() = default;
    // Before the second and every later page.
    virtual void newPage() = 0;
    // Text on line n of the current page; an empty text draws nothing.
    virtual void line(int n, const std::string& text) = 0;
};

// Keeps every page as its lines; a line never written stays empty.
class PageText : public Sink {
public:
    void newPage() override;
    void line(int n, const std::string& text) override;
    const std::vector<Lines>& pages() const { return pages_; }
    // Page i as text: its lines, each ended by '\n', trailing empty lines dropped.
    std::string pageText(std::size_t i) const;

private:
    std::vector<Lines> pages_;
};

// What a schedule printer writes; the frame decides where.
class Layout {
public:
    virtual ~Layout() = default;
    virtual const char* title() const = 0;
    virtual int helpContext() const = 0;
    // The schedule the library prints, from its copy of the values.
    virtual schedule::Pass pass() const = 0;
    // The page header block; closingPage is the header of a page that holds only the closing block.
    virtual Lines pageHeader(bool closingPage) const = 0;
    virtual std::string paymentRow(const schedule::Row& row) const = 0;
    virtual Lines subtotalBlock(const schedule::Row& subtotal) const = 0;
    // The last subtotal and the grand totals; onNewPage when it follows a closing page header.
    virtual Lines closingBlock(const schedule::Row& subtotal, const schedule::Row& grand,
                               bool onNewPage) const = 0;
    // The closing block fits when the raised line counter is below P − closingMargin().
    virtual int closingMargin() const = 0;
    // A year's subtotal block waits for the page check of the next payment row (loan years).
    virtual bool subtotalBeforeNextRow() const = 0;
};

// Lays the layout's schedule out on pages of P lines; returns the number of pages.
int runJob(const Layout& layout, int linesPerPage, Sink& sink);

} // namespace talvero::printers
