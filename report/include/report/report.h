// A small band report: page header, title, column header, detail, summary and page footer bands
// laid out in report pixels (96 to the inch, 720 across a US Letter page inside 12.7 mm margins),
// filled from rows that are pulled one at a time as the pages are laid out, drawn on any paged device
// (a printer, a PDF file). The core needs Qt Gui only, so the command line writes the same pages;
// the preview (QPrintPreviewDialog) lives in `report/preview.h`.
//
// The items' positions are anchors; the renderer measures every text and lays it out:
// - the report's columns are the anchors of the detail band: a column runs from its anchor to the
//   next one (less kColumnGap), the last to the band's right edge. A right-aligned item in any band
//   at a column's anchor is flush with that column's right edge; elsewhere with the free space up to
//   the next item on its line (or the band's edge). An amount whose mask drops trailing decimals
//   keeps the room of the missing ones, so decimal points stand in line.
// - on a line (the items whose heights meet), a left-aligned text starts at its anchor or after the
//   text before it, at least kColumnGap away; a right-aligned amount too wide for its column is set
//   smaller. When that would take an amount below kMinShrink of its size (any size at all in a band
//   of labels only, such as the column headings), or a line would run past the band's edge, the
//   whole band is set smaller, in steps down to half its size; past that every text is set small
//   enough to fit between its anchor and the next.
// - down: a line reaching below its band is lifted as far as the line above it allows, else the
//   band is set smaller too; nothing reaches below the page.
// Texts are measured at a fixed resolution with font hinting off, so layout() and every drawing agree;
// measuring needs a QGuiApplication (the offscreen platform will do).
//
//   report::Definition def = ...;                    // bands and their items
//   report::Renderer r(def, [&] { return std::make_unique<report::QueryRows>(query); });
//   r.layout([](const report::PageLayout& page) { ... });   // pages as placed texts (tests)
//   r.print(printer);                                // or r.writePdf(path), report::preview(r, parent)
#pragma once

#include <QDateTime>
#include <QRectF>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;

namespace report {

enum class BandKind { PageHeader, Title, ColumnHeader, Detail, Summary, PageFooter };

struct Font {
    QString family = QStringLiteral("Arial");
    int pointSize = 10;
    bool bold = false;
    bool underline = false;
};

enum class ItemKind {
    Label,      // `text`
    Field,      // the current row's `field`, through `mask` when the value is a number
    PageNumber, // `text` followed by the page number
    Date,       // the report's date, MM/dd/yyyy
    Time,       // the report's time, h:mm:ss AP
};

enum class Align { Left, Right };

struct Item {
    ItemKind kind = ItemKind::Label;
    int x = 0; // report pixels from the left of the band: the anchor
    int y = 0; // report pixels from the top of the band: the top of the text
    QString text;
    QString field;
    QString mask;
    Font font;
    Align align = Align::Left;
};

inline Item label(int x, int y, const QString& text, const Font& font = {}) {
    return Item{ItemKind::Label, x, y, text, QString(), QString(), font};
}
inline Item field(int x, int y, const QString& name, const QString& mask = {}, const Font& font = {}) {
    return Item{ItemKind::Field, x, y, QString(), name, mask, font};
}
// A page number (after `text`), the date or the time.
inline Item special(ItemKind kind, int x, int y, const QString& text = {}, const Font& font = {}) {
    return Item{kind, x, y, text, QString(), QString(), font};
}
// The item right-aligned in its column (amounts, their captions, the footer's date).
inline Item alignRight(Item item) {
    item.align = Align::Right;
    return item;
}

struct Band {
    BandKind kind = BandKind::Detail;
    int height = 0;
    std::vector<Item> items;
};

struct Definition {
    QString title; // the document name
    std::vector<Band> bands;
    double marginMm = 12.7;
};

// Report pixels of a Letter page inside the margins.
inline constexpr int kBandWidth = 720;
inline constexpr int kPageHeight = 960;
// The least room between two texts of a line, and the least size an amount takes alone to fit
// its column before its band is set smaller.
inline constexpr double kColumnGap = 6;
inline constexpr double kMinShrink = 0.6;

// Where rows come from; one source per layout pass.
class RowSource {
public:
    virtual ~RowSource() = default;
    // Moves to the next row; false after the last.
    virtual bool next() = 0;
    virtual QVariant value(const QString& field) const = 0;
};

// Rows of an executed query, read forward as the pages need them.
class QueryRows : public RowSource {
public:
    explicit QueryRows(QSqlQuery& query) : query_(query) {}
    bool next() override { return query_.next(); }
    QVariant value(const QString& field) const override { return query_.value(field); }

private:
    QSqlQuery& query_;
};

using RowSourceFactory = std::function<std::unique_ptr<RowSource>()>;

struct PlacedText {
    BandKind band;
    int x = 0, y = 0; // the item's anchor, report pixels on the page (inside the margins)
    QString text;
    Font font; // as defined
    Align align = Align::Left;
    double pointSize = 0; // the size drawn: the font's, or smaller where the text had to fit
    QRectF box;           // where the text is drawn: its advance by ascent and descent, report pixels
    double baseline = 0;  // report pixels from the top of the page
};

struct PageLayout {
    int number = 0;
    std::vector<PlacedText> items;
};

// One line per placed text: "<y> <x> <band> <text>" with the item's anchor.
QString pageText(const PageLayout& page);

class Renderer {
public:
    Renderer(Definition definition, RowSourceFactory rows, QDateTime now = QDateTime::currentDateTime());

    // Lays the report out page by page, pulling rows as each page fills; returns the page count.
    int layout(const std::function<void(const PageLayout&)>& page) const;

    // Draws every page on the device (Letter, portrait, the definition's margins); the page count.
    int print(QPagedPaintDevice& device) const;

    // Writes the report as a PDF file; false when the file cannot be written.
    bool writePdf(const QString& path) const;

    const Definition& definition() const { return def_; }

private:
    Definition def_;
    RowSourceFactory rows_;
    QDateTime now_;
};

// The text a field shows: numbers through the mask, anything else as its text.
QString fieldText(const QVariant& value, const QString& mask);

// Sets Letter, portrait and the margins on the device.
void setUpDevice(QPagedPaintDevice& device, const Definition& definition);

} // namespace report
