#include "charts/drawing.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace talvero::charts {

namespace {

constexpr double kTitle = 32, kPanelTitle = 22, kLegend = 24, kLeft = 96, kRight = 44, kBottom = 26;

QString qtext(const std::string& s) {
    return QString::fromStdString(s);
}

void drawPanel(QPainter& p, const Panel& panel, const QRectF& box, const MoneyText& money) {
    const QFontMetricsF fm(p.font());
    p.setPen(Qt::black);
    p.drawText(QRectF(box.left(), box.top(), box.width(), kPanelTitle), Qt::AlignCenter, qtext(panel.title));
    const QRectF plot(box.left() + kLeft, box.top() + kPanelTitle, box.width() - kLeft - kRight,
                      box.height() - kPanelTitle - kBottom - kLegend);
    if (plot.width() < 10 || plot.height() < 10) return;

    const Scale scale = valueScale(panel);
    const double categories = static_cast<double>(panel.categories.size());
    Range xr = panel.axis == Axis::Categories ? Range{-0.5, std::max(categories, 1.0) - 0.5} : xRange(panel);
    if (xr.max <= xr.min) xr = {xr.min - 1, xr.min + 1};
    auto px = [&](double x) { return plot.left() + (x - xr.min) / (xr.max - xr.min) * plot.width(); };
    auto py = [&](double y) {
        return plot.bottom() - (y - scale.range.min) / (scale.range.max - scale.range.min) * plot.height();
    };

    // Value axis: grid lines and money labels.
    for (int t = 0; t < scale.ticks(); ++t) {
        const double v = scale.range.min + t * scale.step;
        p.setPen(QColor(220, 220, 220));
        p.drawLine(QPointF(plot.left(), py(v)), QPointF(plot.right(), py(v)));
        p.setPen(Qt::black);
        p.drawText(QRectF(box.left(), py(v) - fm.height() / 2, kLeft - 6, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, money(v, scale.step));
    }
    // Time or category axis.
    p.setPen(Qt::black);
    p.drawRect(plot);
    if (panel.axis == Axis::Dates) {
        const int ticks = 6;
        for (int t = 0; t < ticks; ++t) {
            const double x = xr.min + (xr.max - xr.min) * t / (ticks - 1);
            p.drawLine(QPointF(px(x), plot.bottom()), QPointF(px(x), plot.bottom() + 4));
            p.drawText(QRectF(px(x) - 40, plot.bottom() + 4, 80, fm.height()), Qt::AlignCenter,
                       qtext(monthText(x)));
        }
    } else if (!panel.categories.empty()) {
        const double slot = plot.width() / categories;
        const auto every =
            static_cast<std::size_t>(std::ceil(fm.horizontalAdvance(QStringLiteral("00000")) / slot));
        for (std::size_t i = 0; i < panel.categories.size(); i += std::max<std::size_t>(every, 1))
            p.drawText(QRectF(px(static_cast<double>(i)) - 40, plot.bottom() + 4, 80, fm.height()),
                       Qt::AlignCenter, qtext(panel.categories[i]));
    }

    // The series.
    int bars = 0, barIndex = 0;
    for (const Series& s : panel.series)
        bars += s.style == Style::Bars;
    p.save();
    p.setClipRect(plot.adjusted(-5, -5, 5, 5));
    p.setRenderHint(QPainter::Antialiasing);
    const int columns = static_cast<int>(plot.width());
    for (std::size_t n = 0; n < panel.series.size(); ++n) {
        const Series& s = panel.series[n];
        const QColor color = seriesColor(static_cast<int>(n));
        if (s.style == Style::Line && !s.x.empty()) {
            QPainterPath path;
            bool first = true;
            for (std::size_t i : reduce(s.x, s.y, xr, columns)) {
                const QPointF pt(px(s.x[i]), py(s.y[i]));
                first ? path.moveTo(pt) : path.lineTo(pt);
                first = false;
            }
            p.setPen(QPen(color, 2));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        } else if (s.style == Style::Bars) {
            const double group = plot.width() / std::max(categories, 1.0) * 0.8;
            const double width = group / std::max(bars, 1);
            p.setPen(Qt::NoPen);
            p.setBrush(color);
            for (std::size_t i = 0; i < s.x.size(); ++i) {
                const double left = px(s.x[i]) - group / 2 + barIndex * width;
                p.drawRect(QRectF(QPointF(left, py(std::max(s.y[i], 0.0))),
                                  QPointF(left + width, py(std::min(s.y[i], 0.0)))));
            }
            ++barIndex;
        } else if (s.style == Style::Marker) {
            p.setPen(QPen(color, 2));
            p.setBrush(color);
            for (std::size_t i = 0; i < s.x.size(); ++i)
                p.drawEllipse(QPointF(px(s.x[i]), py(s.y[i])), 5, 5);
        }
    }
    p.restore();

    // Legend.
    double x = plot.left();
    const double y = plot.bottom() + kBottom;
    for (std::size_t n = 0; n < panel.series.size(); ++n) {
        const QString name = qtext(panel.series[n].name);
        p.fillRect(QRectF(x, y + 6, 12, 12), seriesColor(static_cast<int>(n)));
        p.setPen(Qt::black);
        const double w = fm.horizontalAdvance(name);
        p.drawText(QRectF(x + 16, y, w + 4, kLegend), Qt::AlignLeft | Qt::AlignVCenter, name);
        x += 16 + w + 20;
    }
}

} // namespace

QColor seriesColor(int n) {
    static const QColor colors[] = {QColor(32, 96, 160),  QColor(200, 80, 40),  QColor(40, 150, 70),
                                    QColor(150, 60, 160), QColor(200, 160, 20), QColor(90, 90, 90)};
    return colors[static_cast<std::size_t>(n) % std::size(colors)];
}

void draw(QPainter& painter, const Chart& chart, const QRectF& rect, const MoneyText& money) {
    painter.save();
    painter.fillRect(rect, Qt::white);
    QFont title = painter.font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    painter.save();
    painter.setFont(title);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(rect.left(), rect.top(), rect.width(), kTitle), Qt::AlignCenter,
                     qtext(chart.title));
    painter.restore();
    if (!chart.panels.empty()) {
        const double h = (rect.height() - kTitle) / static_cast<double>(chart.panels.size());
        for (std::size_t i = 0; i < chart.panels.size(); ++i)
            drawPanel(painter, chart.panels[i],
                      QRectF(rect.left(), rect.top() + kTitle + h * i, rect.width(), h), money);
    }
    painter.restore();
}

std::string writeImage(const Chart& chart, const QString& path, QSize size, const MoneyText& money) {
    const std::string name = path.toStdString();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QStringLiteral("svg") && suffix != QStringLiteral("png"))
        return "cannot write '" + name + "': the file name must end in .svg or .png";
    if (QFileInfo(path).isDir()) return "cannot write '" + name + "': it is a folder";
    // The image goes to a temporary file that replaces `path` once complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return "cannot write '" + name + "': " + file.errorString().toStdString();
    const QRectF rect(QPointF(0, 0), QSizeF(size));
    bool drawn = false;
    if (suffix == QStringLiteral("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(rect);
        svg.setTitle(QString::fromStdString(chart.title));
        QPainter painter;
        if ((drawn = painter.begin(&svg))) {
            draw(painter, chart, rect, money);
            drawn = painter.end();
        }
    } else {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        draw(painter, chart, rect, money);
        painter.end();
        drawn = image.save(&file, "PNG");
    }
    if (!drawn) {
        file.cancelWriting();
        return "cannot write '" + name + "': the image could not be drawn";
    }
    if (!file.commit()) return "cannot write '" + name + "': " + file.errorString().toStdString();
    return {};
}

} // namespace talvero::charts
