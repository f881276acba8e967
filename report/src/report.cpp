#include "report/report.h"
#include "report/mask.h"

#include <QFontMetrics>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

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

QFont qfont(const Font& f) {
    QFont font(f.family);
    font.setPointSize(f.pointSize);
    font.setBold(f.bold);
    font.setUnderline(f.underline);
    return font;
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
    auto place = [&](const Band* band, int top) {
        if (!band) return;
        for (const Item& item : band->items) {
            PlacedText t{band->kind, item.x, top + item.y, QString(), item.font};
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
            page.items.push_back(std::move(t));
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
            if (t.text.isEmpty()) continue;
            painter.setFont(QFont(qfont(t.font), &device));
            const int ascent = QFontMetrics(painter.font(), &device).ascent();
            painter.drawText(QPointF(t.x * scale, t.y * scale + ascent), t.text);
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
