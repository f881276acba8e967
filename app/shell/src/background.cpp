#include "background.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <vector>

namespace shell {

namespace {

// Evening sky over a ledger: deep teal to navy.
QColor sky(double t) {
    struct Stop {
        double at;
        int r, g, b;
    };
    static constexpr Stop stops[] = {{0.0, 18, 64, 88}, {0.6, 14, 38, 70}, {1.0, 8, 22, 44}};
    const Stop& a = t < stops[1].at ? stops[0] : stops[1];
    const Stop& b = t < stops[1].at ? stops[1] : stops[2];
    const double f = std::clamp((t - a.at) / (b.at - a.at), 0.0, 1.0);
    const auto mix = [f](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * f)); };
    return QColor(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

// A faint white ledger line over `under`, as one opaque colour (blending costs a span a pixel row).
QColor ledgerOver(const QColor& under) {
    constexpr int alpha = 18;
    const auto over = [](int c) { return c + ((255 - c) * alpha + 127) / 255; };
    return QColor(over(under.red()), over(under.green()), over(under.blue()));
}

} // namespace

BackgroundPicture::BackgroundPicture(QWidget* parent) : QWidget(parent) {
    // It covers every pixel it paints, so nothing is filled beneath it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BackgroundPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintBackground(p, size(), font());
}

QImage drawBackground(QSize size, const QFont& face) {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter p(&image);
    paintBackground(p, image.size(), face);
    return image;
}

void paintBackground(QPainter& p, QSize size, const QFont& face) {
    if (size.width() < 1 || size.height() < 1) return;
    const double w = size.width();
    const double h = size.height();
    const int width = size.width();
    const int height = size.height();

    // The sky in bands of rows of one colour, with the ledger's rows and columns of lines in it.
    std::vector<bool> ledgerRow(static_cast<size_t>(height), false);
    for (double y = h * 0.12; y < h; y += h / 14.0)
        ledgerRow[static_cast<size_t>(y)] = true;
    std::vector<int> ledgerColumns;
    for (double x = w / 10.0; x < w; x += w / 10.0)
        ledgerColumns.push_back(static_cast<int>(x));
    const auto skyAt = [h](int y) { return sky((y + 0.5) / h); };
    for (int y = 0; y < height;) {
        const QColor colour = skyAt(y);
        if (ledgerRow[static_cast<size_t>(y)]) {
            p.fillRect(0, y, width, 1, ledgerOver(colour));
            ++y;
            continue;
        }
        int end = y + 1;
        while (end < height && !ledgerRow[static_cast<size_t>(end)] && skyAt(end) == colour)
            ++end;
        p.fillRect(0, y, width, end - y, colour);
        const QColor line = ledgerOver(colour);
        for (int x : ledgerColumns)
            p.fillRect(x, y, 1, end - y, line);
        y = end;
    }

    p.setRenderHint(QPainter::Antialiasing);
    // Compound growth: the balance of a deposit rising over the years.
    QPainterPath curve;
    QPainterPath area;
    const int steps = 60;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const double x = w * (0.06 + 0.78 * t);
        const double y =
            h * (0.86 - 0.58 * (std::pow(1.045, t * 40.0) - 1.0) / (std::pow(1.045, 40.0) - 1.0));
        if (i == 0) {
            curve.moveTo(x, y);
            area.moveTo(x, h * 0.9);
            area.lineTo(x, y);
        } else {
            curve.lineTo(x, y);
            area.lineTo(x, y);
        }
    }
    area.lineTo(w * 0.84, h * 0.9);
    area.closeSubpath();
    QLinearGradient fill(0, h * 0.3, 0, h * 0.9);
    fill.setColorAt(0.0, QColor(120, 200, 170, 110));
    fill.setColorAt(1.0, QColor(120, 200, 170, 10));
    p.fillPath(area, fill);
    p.setPen(QPen(QColor(170, 235, 200), std::max(1.5, w / 200.0)));
    p.drawPath(curve);

    // Stacks of coins along the base line.
    const double r = std::max(3.0, w / 40.0);
    for (int s = 0; s < 4; ++s) {
        const double cx = w * (0.16 + 0.2 * s);
        const int coins = 2 + 2 * s;
        for (int c = 0; c < coins; ++c) {
            const QRectF coin(cx - r, h * 0.9 - (c + 1) * r * 0.45 - r * 0.3, 2 * r, r * 0.6);
            p.setPen(QPen(QColor(150, 110, 30), 1));
            p.setBrush(QColor(222, 180, 80));
            p.drawEllipse(coin);
        }
    }

    // The name, quietly in a corner, in the menus' face (loaded by then).
    QFont font = face;
    font.setPixelSize(std::max(8, int(h / 9)));
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 60));
    p.drawText(QRectF(w * 0.05, h * 0.04, w * 0.9, h * 0.2), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Talvero"));
}

QPixmap drawIcon(int side) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gold(QPointF(side * 0.35, side * 0.35), side * 0.7);
    gold.setColorAt(0.0, QColor(255, 230, 140));
    gold.setColorAt(1.0, QColor(190, 140, 40));
    p.setPen(QPen(QColor(120, 85, 20), std::max(1.0, side / 16.0)));
    p.setBrush(gold);
    p.drawEllipse(QRectF(1, 1, side - 2, side - 2));
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(int(side * 0.62));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(110, 70, 10));
    p.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, QStringLiteral("T"));
    return pm;
}

} // namespace shell
