// A chart drawn with QPainter alone (Qt Gui, no widgets): what talvero-cli writes as SVG or PNG.
// The same series data the chart windows show, drawn on any paint device.
#pragma once

#include "charts/series.h"

#include <QColor>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <string>

class QPainter;

namespace talvero::charts {

// The text of a value on the money axis whose ticks are `step` apart: the caller's number format
// with its separators.
using MoneyText = std::function<QString(double value, double step)>;

// The colour of the n-th series of a panel, the same in every drawing.
QColor seriesColor(int n);

// Draws the title and the panels one below the other in `rect`: axes with ticks, the curves reduced
// to the plot's pixel columns (reduce()), the bars, the markers, each panel's legend.
void draw(QPainter& painter, const Chart& chart, const QRectF& rect, const MoneyText& money);

// Writes the chart as FILE.svg or FILE.png of `size` pixels. Nothing is left behind on a failure (an
// existing file stays as it was). Returns the error text, empty on success.
std::string writeImage(const Chart& chart, const QString& path, QSize size, const MoneyText& money);

} // namespace talvero::charts
