#include "background.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace shell {

QPixmap drawBackground(QSize size) {
    if (size.width() < 1 || size.height() < 1) size = QSize(1, 1);
    QPixmap pm(size);
    const double w = size.width();
    const double h = size.height();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // Evening sky over a ledger: deep teal to navy.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(18, 64, 88));
    sky.setColorAt(0.6, QColor(14, 38, 70));
    sky.setColorAt(1.0, QColor(8, 22, 44));
    p.fillRect(pm.rect(), sky);

    // Faint ledger lines.
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    for (double y = h * 0.12; y < h; y += h / 14.0)
        p.drawLine(QPointF(0, y), QPointF(w, y));
    for (double x = w / 10.0; x < w; x += w / 10.0)
        p.drawLine(QPointF(x, 0), QPointF(x, h));

    // A glow where the growth curve ends.
    // Beyond its radius the glow is clear, so only the square around it is filled.
    const QPointF glowCentre(w * 0.82, h * 0.28);
    const double glowRadius = w * 0.35;
    QRadialGradient glow(glowCentre, glowRadius);
    glow.setColorAt(0.0, QColor(255, 210, 120, 90));
    glow.setColorAt(1.0, QColor(255, 210, 120, 0));
    const QRectF glowSquare(glowCentre - QPointF(glowRadius, glowRadius), QSizeF(2 * glowRadius, 2 * glowRadius));
    p.fillRect(glowSquare.toAlignedRect() & pm.rect(), glow);

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

    // The name, quietly in a corner.
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(std::max(8, int(h / 9)));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 60));
    p.drawText(QRectF(w * 0.05, h * 0.04, w * 0.9, h * 0.2), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Talvero"));
    return pm;
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
