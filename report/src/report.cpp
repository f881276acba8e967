#include "report/report.h"
#include "report/mask.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <map>
#include <tuple>

namespace report {

namespace {

const char* bandName(BandKind kind) {
    switch (kind) {
    case BandKind::PageHeader:
        return "PageHeader";
    case BandKind::Title:
        return "Title";
    case BandKind::ColumnHeader:
        return "ColumnHeader";
    case BandKind::Detail:
        return "Detail";
    case BandKind::Summary:
        return "Summary";
    case BandKind::PageFooter:
        return "PageFooter";
    }
    return "";
}

const Band* findBand(const Definition& d, BandKind kind) {
    for (const Band& b : d.bands)
        if (b.kind == kind) return &b;
    return nullptr;
}

QFont qfont(const Font& f, double pointSize) {
    QFont font(f.family);
    font.setPointSizeF(pointSize);
    font.setBold(f.bold);
    font.setUnderline(f.underline);
    // Unhinted glyphs advance in proportion to the size on every device.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Texts are measured at this resolution whatever the device, so the layout is the same for the
// preview, a printer and a PDF file.
constexpr double kMeasureDpi = 1200;

const QPaintDevice* measuringDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(qRound(kMeasureDpi / 0.0254));
        image.setDotsPerMeterY(qRound(kMeasureDpi / 0.0254));
        return image;
    }();
    return &device;
}

struct Metrics {
    double width = 0, ascent = 0, descent = 0; // report pixels
};

// Trailing blanks (padded names) take no room on the page.
QString visible(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1).isSpace())
        --n;
    return text.left(n);
}

Metrics measure(const QString& text, const Font& font, double pointSize) {
    // A report repeats few fonts and many texts ("0.00"): both are kept, the sizes a text had to
    // shrink to only until there are many of them.
    struct Measured {
        QFontMetricsF metrics;
        QHash<QString, double> widths;
    };
    static std::map<std::tuple<QString, double, bool, bool>, Measured> cache;
    const auto key = std::make_tuple(font.family, pointSize, font.bold, font.underline);
    auto it = cache.find(key);
    if (it == cache.end()) {
        if (cache.size() > 512) cache.clear();
        it = cache.emplace(key, Measured{QFontMetricsF(qfont(font, pointSize), measuringDevice()), {}}).first;
    }
    Measured& m = it->second;
    const double k = 96.0 / kMeasureDpi;
    auto width = m.widths.find(text);
    if (width == m.widths.end()) {
        if (m.widths.size() > 4096) m.widths.clear();
        width = m.widths.insert(text, m.metrics.horizontalAdvance(text) * k);
    }
    return {*width, m.metrics.ascent() * k, m.metrics.descent() * k};
}

// What a right-aligned amount lacks of its mask's decimals ("9,767.8" under "###,###.##" lacks one
// digit), kept as room so its decimal point stands in line with the others.
QString missingDecimals(const QString& text, const QString& mask) {
    const int decimals = mask.isEmpty() ? 0 : maskDecimals(mask);
    if (decimals == 0 || text.isEmpty() || !text.back().isDigit()) return QString();
    const QChar point = QLocale().decimalPoint().at(0);
    const qsizetype at = text.lastIndexOf(point);
    if (at < 0) return point + QString(decimals, QLatin1Char('0'));
    const qsizetype shown = text.size() - at - 1;
    return shown < decimals ? QString(decimals - shown, QLatin1Char('0')) : QString();
}

// One text of a band being laid out.
struct Entry {
    PlacedText placed;
    QString shown;     // the text without trailing blanks
    QString missing;   // right-aligned amounts: the decimals the mask left out
    double top = 0;    // the item's top on the page
    double end = 0;    // the right end of its room: the next anchor on its line, less the gap
    double edge = 0;   // right-aligned: the right edge it is flush with
    double height = 0; // at its defined size
};

// The right edges of the report's columns, by anchor: the detail band's anchors.
QHash<int, double> columnEdges(const Band* detail) {
    QHash<int, double> edges;
    if (!detail) return edges;
    std::vector<int> anchors;
    for (const Item& item : detail->items)
        anchors.push_back(item.x);
    std::sort(anchors.begin(), anchors.end());
    anchors.erase(std::unique(anchors.begin(), anchors.end()), anchors.end());
    for (std::size_t i = 0; i < anchors.size(); ++i)
        edges.insert(anchors[i], i + 1 < anchors.size() ? anchors[i + 1] - kColumnGap : double(kBandWidth));
    return edges;
}

enum class Fit { Strict, Confined };

// Sets the texts of one line (indices in anchor order) at `scale` of their sizes. Strict: texts
// move right after the one before them and amounts shrink alone down to minShrink; false when
// that is not enough. Confined: every text fits between its place and the right end of its room.
bool flowLine(std::vector<Entry>& entries, const std::vector<std::size_t>& line, double scale, Fit fit,
              double minShrink) {
    double previous = -kColumnGap;
    for (std::size_t i : line) {
        Entry& e = entries[i];
        PlacedText& t = e.placed;
        const double defined = t.font.pointSize;
        double size = defined * scale;
        const double lo = previous + kColumnGap;
        const double right = e.placed.align == Align::Right ? std::min(e.edge, e.end) : e.end;
        const double left = e.placed.align == Align::Right ? lo : std::max<double>(t.x, lo);
        Metrics m = measure(e.shown, t.font, size);
        double pad = e.missing.isEmpty() ? 0 : measure(e.missing, t.font, size).width;
        const bool shrinks = e.placed.align == Align::Right || fit == Fit::Confined;
        if (shrinks && left + m.width + pad > right) {
            const double room = right - left;
            if (fit == Fit::Strict && room < (m.width + pad) * minShrink - 1e-9) return false;
            // Advances are nearly proportional to the size; a second step takes up the rest.
            for (int step = 0; step < 3 && m.width + pad > room && m.width > 0; ++step) {
                size = std::max(1.0, size * std::max(room, 1.0) / (m.width + pad));
                m = measure(e.shown, t.font, size);
                pad = e.missing.isEmpty() ? 0 : measure(e.missing, t.font, size).width;
            }
        }
        const double x = e.placed.align == Align::Right ? right - pad - m.width : left;
        if (fit == Fit::Strict && x + m.width > kBandWidth) return false;
        const double ascent = measure(e.shown, t.font, defined).ascent;
        t.pointSize = size;
        t.baseline = e.top + ascent;
        t.box = QRectF(x, t.baseline - m.ascent, m.width, m.ascent + m.descent);
        previous = x + m.width + pad;
    }
    return true;
}

// Keeps the lines inside their band (less half a pixel, so the next band's texts never touch
// them): a line reaching below it is lifted as far as the line above allows. False when that is
// not enough.
bool fitBand(std::vector<Entry>& entries, const std::vector<std::vector<std::size_t>>& lines, double top,
             double bottom) {
    bool fits = true;
    double above = top;
    for (const auto& line : lines) {
        double lineTop = bottom, lineBottom = top;
        for (std::size_t i : line) {
            lineTop = std::min(lineTop, entries[i].placed.box.top());
            lineBottom = std::max(lineBottom, entries[i].placed.box.bottom());
        }
        const double lift = std::clamp(lineBottom - (bottom - 0.5), 0.0, std::max(0.0, lineTop - above));
        for (std::size_t i : line) {
            entries[i].placed.box.translate(0, -lift);
            entries[i].placed.baseline -= lift;
        }
        fits = fits && lineBottom - lift <= bottom - 0.5 + 1e-6;
        above = lineBottom - lift;
    }
    return fits;
}

// Lays out the texts of one band: lines of texts whose heights meet, each set by flowLine, the
// band as a whole at the largest size that fits across and down.
void layOutBand(std::vector<Entry>& entries, double top, double bottom, double minShrink) {
    std::vector<std::size_t> order(entries.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return entries[a].top != entries[b].top ? entries[a].top < entries[b].top : a < b;
    });
    std::vector<std::vector<std::size_t>> lines;
    double reach = 0;
    for (std::size_t i : order) {
        if (entries[i].shown.isEmpty()) continue;
        if (lines.empty() || entries[i].top >= reach) {
            lines.emplace_back();
            reach = entries[i].top;
        }
        lines.back().push_back(i);
        reach = std::max(reach, entries[i].top + entries[i].height);
    }
    for (auto& line : lines) {
        std::stable_sort(line.begin(), line.end(), [&](std::size_t a, std::size_t b) {
            return entries[a].placed.x < entries[b].placed.x;
        });
        for (std::size_t k = 0; k < line.size(); ++k) {
            Entry& e = entries[line[k]];
            e.end = k + 1 < line.size() ? entries[line[k + 1]].placed.x - kColumnGap : double(kBandWidth);
            if (e.edge <= 0) e.edge = e.end;
        }
    }
    for (int step = 0; step <= 10; ++step) {
        const double scale = 1.0 - step * 0.05;
        bool fits = true;
        for (const auto& line : lines)
            fits = fits && flowLine(entries, line, scale, Fit::Strict, minShrink);
        if (fits && fitBand(entries, lines, top, bottom)) return;
    }
    for (const auto& line : lines)
        flowLine(entries, line, 1.0, Fit::Confined, 0);
    fitBand(entries, lines, top, bottom);
}

} // namespace

QString fieldText(const QVariant& value, const QString& mask) {
    if (!value.isValid() || value.isNull()) return QString();
    const int type = value.metaType().id();
    const bool number = type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int ||
                        type == QMetaType::LongLong || type == QMetaType::UInt ||
                        type == QMetaType::ULongLong;
    if (number && !mask.isEmpty()) {
        // Shown with the user's separators, like every number on screen.
        const QLocale locale;
        return formatMask(value.toDouble(), mask,
                          {locale.decimalPoint().at(0), locale.groupSeparator().at(0)});
    }
    if (type == QMetaType::Double || type == QMetaType::Float)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

QString pageText(const PageLayout& page) {
    QString out;
    for (const PlacedText& t : page.items)
        out += QStringLiteral("%1 %2 %3 %4\n")
                   .arg(t.y, 4)
                   .arg(t.x, 4)
                   .arg(QString::fromLatin1(bandName(t.band)), -12)
                   .arg(t.text);
    return out;
}

Renderer::Renderer(Definition definition, RowSourceFactory rows, QDateTime now)
    : def_(std::move(definition)), rows_(std::move(rows)), now_(std::move(now)) {}

int Renderer::layout(const std::function<void(const PageLayout&)>& deliver) const {
    std::unique_ptr<RowSource> source = rows_ ? rows_() : nullptr;
    bool have = source && source->next();
    const Band* header = findBand(def_, BandKind::PageHeader);
    const Band* title = findBand(def_, BandKind::Title);
    const Band* columns = findBand(def_, BandKind::ColumnHeader);
    const Band* detail = findBand(def_, BandKind::Detail);
    const Band* summary = findBand(def_, BandKind::Summary);
    const Band* footer = findBand(def_, BandKind::PageFooter);
    const int footerTop = kPageHeight - (footer ? footer->height : 0);

    int number = 0;
    bool summaryDone = summary == nullptr;
    PageLayout page;
    const QHash<int, double> edges = columnEdges(detail);
    auto place = [&](const Band* band, int top) {
        if (!band) return;
        std::vector<Entry> entries;
        for (const Item& item : band->items) {
            Entry e;
            PlacedText& t = e.placed;
            t.band = band->kind;
            t.x = item.x;
            t.y = top + item.y;
            t.font = item.font;
            t.align = item.align;
            switch (item.kind) {
            case ItemKind::Label:
                t.text = item.text;
                break;
            case ItemKind::Field:
                t.text = have ? fieldText(source->value(item.field), item.mask) : QString();
                break;
            case ItemKind::PageNumber:
                t.text = item.text + QString::number(number);
                break;
            case ItemKind::Date:
                t.text = now_.date().toString(QStringLiteral("MM/dd/yyyy"));
                break;
            case ItemKind::Time:
                t.text = now_.time().toString(QStringLiteral("h:mm:ss AP"));
                break;
            }
            e.shown = visible(t.text);
            e.top = t.y;
            t.pointSize = item.font.pointSize;
            t.box = QRectF(t.x, t.y, 0, 0);
            if (item.align == Align::Right) {
                e.missing = item.kind == ItemKind::Field ? missingDecimals(e.shown, item.mask) : QString();
                e.edge = edges.value(item.x, 0);
            }
            const Metrics m = measure(e.shown, item.font, item.font.pointSize);
            e.height = m.ascent + m.descent;
            t.baseline = t.y + m.ascent;
            entries.push_back(std::move(e));
        }
        // A band of captions alone (column headings, a title) is set smaller as a whole, so its
        // captions keep one size.
        const bool captions = std::all_of(band->items.begin(), band->items.end(),
                                          [](const Item& item) { return item.kind == ItemKind::Label; });
        layOutBand(entries, top, top + band->height, captions ? 1.0 : kMinShrink);
        for (Entry& e : entries) {
            // A text reaching below the page is lifted onto it.
            const double below = e.placed.box.bottom() - kPageHeight;
            if (below > 0) {
                e.placed.box.translate(0, -below);
                e.placed.baseline -= below;
            }
            page.items.push_back(std::move(e.placed));
        }
    };
    do {
        page = PageLayout{};
        page.number = ++number;
        int y = 0;
        auto band = [&](const Band* b) {
            place(b, y);
            if (b) y += b->height;
        };
        band(header);
        if (number == 1) band(title);
        band(columns);
        const int detailHeight = detail ? detail->height : 0;
        // Every page takes at least one row, so a band taller than the page cannot stall the report.
        bool first = true;
        while (have && detail && (first || y + detailHeight <= footerTop)) {
            band(detail);
            have = source->next();
            first = false;
        }
        if (!have && !summaryDone && (first || y + summary->height <= footerTop)) {
            band(summary);
            summaryDone = true;
        }
        place(footer, footerTop);
        deliver(page);
    } while (have || !summaryDone);
    return number;
}

void setUpDevice(QPagedPaintDevice& device, const Definition& definition) {
    const double m = definition.marginMm;
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(m, m, m, m), QPageLayout::Millimeter));
}

int Renderer::print(QPagedPaintDevice& device) const {
    setUpDevice(device, def_);
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    const double scale = device.logicalDpiX() / 96.0;
    int pages = 0;
    layout([&](const PageLayout& page) {
        if (pages++ > 0) device.newPage();
        for (const PlacedText& t : page.items) {
            const QString shown = visible(t.text);
            if (shown.isEmpty()) continue;
            const QFont font(qfont(t.font, t.pointSize), &device);
            painter.setFont(font);
            // A right-aligned text keeps its right edge exactly, the others their left.
            const double x =
                t.align == Align::Right
                    ? t.box.right() * scale - QFontMetricsF(font, &device).horizontalAdvance(shown)
                    : t.box.left() * scale;
            painter.drawText(QPointF(x, t.baseline * scale), shown);
        }
    });
    painter.end();
    return pages;
}

bool Renderer::writePdf(const QString& path) const {
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setTitle(def_.title);
    writer.setCreator(QStringLiteral("Talvero"));
    return print(writer) > 0;
}

} // namespace report
