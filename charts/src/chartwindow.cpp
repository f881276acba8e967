#include "charts/chartwindow.h"

#include "ui/filedialog.h"

#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/printing.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QTableView>
#include <QVBoxLayout>

namespace talvero::charts {

namespace {

constexpr qsizetype kMaxCategoryLabels = 80;

QString qtext(const std::string& s) {
    return QString::fromStdString(s);
}

// A day number as the date axis's time: noon UTC, so no time zone moves it to another day.
qreal axisTime(double day) {
    return static_cast<qreal>(day) * 86400000.0 + 43200000.0;
}

QCategoryAxis* moneyAxis(const Panel& panel) {
    const Scale scale = valueScale(panel);
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(scale.range.min);
    for (int t = 0; t < scale.ticks(); ++t) {
        const double v = scale.range.min + t * scale.step;
        axis->append(userMoney(v, scale.step), v);
    }
    axis->setRange(scale.range.min, scale.range.max);
    return axis;
}

} // namespace

QString askSavePath(QWidget* parent, const QString& caption, const QString& proposed, const QString& filter) {
    return ui::saveFileName(parent, caption, proposed, filter);
}

SavePathAnswer::SavePathAnswer(QString path)
    : files_([this, path = std::move(path)](const ui::FileRequest&) {
          ++asked_;
          return path;
      }) {}

QString userMoney(double value, double step) {
    return ui::format(step >= 1 ? "%.0f" : "%.2f", value);
}

ChartTable::ChartTable(const Chart& chart, QObject* parent) : QAbstractTableModel(parent), chart_(chart) {}

int ChartTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(tableRows(chart_));
}

int ChartTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant ChartTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
    const TableRow row = tableRow(chart_, static_cast<std::size_t>(index.row()));
    switch (index.column()) {
    case 0:
        return qtext(*row.panel);
    case 1:
        return qtext(*row.series);
    case 2:
        return qtext(*row.label);
    default:
        return ui::format("%.2f", row.value);
    }
}

QVariant ChartTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const names[] = {"Chart", "Series", "Point", "Amount"};
    return section >= 0 && section < 4 ? QString::fromLatin1(names[section]) : QVariant();
}

ChartWindow::ChartWindow(Chart chart, QWidget* parent) : QDialog(parent), chart_(std::move(chart)) {
    ui::nameWidget(this, QStringLiteral("ChartWindow"));
    setWindowTitle(qtext(chart_.title));
    resize(900, 720);
    auto* layout = new QVBoxLayout(this);
    for (int p = 0; p < static_cast<int>(chart_.panels.size()); ++p) {
        const Panel& panel = chart_.panels[static_cast<std::size_t>(p)];
        auto* qchart = new QChart;
        qchart->setTitle(qtext(panel.title));
        qchart->legend()->setAlignment(Qt::AlignBottom);
        QAbstractAxis* y = moneyAxis(panel);
        qchart->addAxis(y, Qt::AlignLeft);
        QList<QPair<QXYSeries*, int>> lines;
        if (panel.axis == Axis::Dates) {
            auto* x = new QDateTimeAxis;
            x->setFormat(QStringLiteral("MM/yyyy"));
            x->setTickCount(6);
            const Range r = xRange(panel);
            x->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(axisTime(r.min)), Qt::UTC),
                        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(axisTime(r.max)), Qt::UTC));
            qchart->addAxis(x, Qt::AlignBottom);
            for (int n = 0; n < static_cast<int>(panel.series.size()); ++n) {
                const Series& s = panel.series[static_cast<std::size_t>(n)];
                QXYSeries* xy = nullptr;
                if (s.style == Style::Marker) {
                    auto* scatter = new QScatterSeries;
                    scatter->setMarkerSize(10);
                    xy = scatter;
                } else {
                    xy = new QLineSeries;
                }
                xy->setName(qtext(s.name));
                xy->setColor(seriesColor(n));
                qchart->addSeries(xy);
                xy->attachAxis(x);
                xy->attachAxis(y);
                lines.append({xy, n});
            }
        } else {
            auto* x = new QBarCategoryAxis;
            QStringList categories;
            for (const std::string& c : panel.categories)
                categories << qtext(c);
            x->append(categories);
            // Beyond what the axis can label legibly (a loan of centuries of years) the labels are
            // left out; "Show Data" lists every category.
            x->setLabelsVisible(categories.size() <= kMaxCategoryLabels);
            qchart->addAxis(x, Qt::AlignBottom);
            auto* bars = new QBarSeries;
            for (int n = 0; n < static_cast<int>(panel.series.size()); ++n) {
                const Series& s = panel.series[static_cast<std::size_t>(n)];
                auto* set = new QBarSet(qtext(s.name));
                set->setColor(seriesColor(n));
                QList<qreal> values(categories.size(), 0.0);
                for (std::size_t i = 0; i < s.x.size(); ++i)
                    values[static_cast<qsizetype>(s.x[i])] = s.y[i];
                set->append(values);
                bars->append(set);
            }
            qchart->addSeries(bars);
            bars->attachAxis(x);
            bars->attachAxis(y);
        }
        auto* view = new QChartView(qchart, this);
        ui::nameWidget(view, QStringLiteral("ChartView%1").arg(p + 1));
        view->setAccessibleName(qtext(panel.title));
        view->setRenderHint(QPainter::Antialiasing);
        layout->addWidget(view, 1);
        views_.append(view);
        lines_.append(lines);
        columns_.append(0);
        // The curves follow the plot's width in pixels (see reduce()).
        connect(qchart, &QChart::plotAreaChanged, this, [this, p] { reducePoints(p); });
        reducePoints(p);
    }
    auto* buttons = new QHBoxLayout;
    const struct {
        QPushButton* ChartWindow::*member;
        const char* caption;
        const char* name;
        void (ChartWindow::*slot)();
    } list[] = {
        {&ChartWindow::Button1, "Save as PNG", "Button1", &ChartWindow::Button1Click},
        {&ChartWindow::Button2, "Save as SVG", "Button2", &ChartWindow::Button2Click},
        {&ChartWindow::Button3, "Print", "Button3", &ChartWindow::Button3Click},
        {&ChartWindow::Button4, "Show Data", "Button4", &ChartWindow::Button4Click},
        {&ChartWindow::Button5, "Close", "Button5", &ChartWindow::Button5Click},
    };
    for (const auto& b : list) {
        QPushButton* button =
            ui::makeButton(QString::fromLatin1(b.caption), QString::fromLatin1(b.name), this);
        this->*b.member = button;
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, b.slot);
    }
    layout->addLayout(buttons);
}

void ChartWindow::reducePoints(int p) {
    QChart* qchart = views_.at(p)->chart();
    const int columns = std::max(1, static_cast<int>(qchart->plotArea().width()));
    if (columns == columns_.at(p)) return;
    columns_[p] = columns;
    const Panel& panel = chart_.panels[static_cast<std::size_t>(p)];
    const Range r = xRange(panel);
    for (const auto& [xy, n] : lines_.at(p)) {
        const Series& s = panel.series[static_cast<std::size_t>(n)];
        QList<QPointF> points;
        const std::vector<std::size_t> kept = reduce(s.x, s.y, r, columns);
        points.reserve(static_cast<qsizetype>(kept.size()));
        for (std::size_t i : kept)
            points.append(QPointF(axisTime(s.x[i]), s.y[i]));
        xy->replace(points);
    }
}

void ChartWindow::renderViews(QPainter& painter, const QRectF& target) {
    const double h = target.height() / std::max<qsizetype>(views_.size(), 1);
    for (int i = 0; i < views_.size(); ++i)
        views_[i]->render(&painter, QRectF(target.left(), target.top() + h * i, target.width(), h));
}

bool ChartWindow::saveImage(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    QSize size;
    for (QChartView* v : views_)
        size = QSize(std::max(size.width(), v->width()), size.height() + v->height());
    const QRectF rect(QPointF(0, 0), QSizeF(size));
    QSaveFile file(path);
    bool done = (suffix == QStringLiteral("png") || suffix == QStringLiteral("svg")) && !size.isEmpty() &&
                file.open(QIODevice::WriteOnly);
    if (done && suffix == QStringLiteral("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(rect);
        svg.setTitle(windowTitle());
        QPainter painter;
        done = painter.begin(&svg);
        if (done) {
            renderViews(painter, rect);
            done = painter.end();
        }
    } else if (done) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        renderViews(painter, rect);
        painter.end();
        done = image.save(&file, "PNG");
    }
    if (done)
        done = file.commit();
    else
        file.cancelWriting();
    if (!done) ui::showMessage(QStringLiteral("The chart could not be saved as %1.").arg(path));
    return done;
}

void ChartWindow::Button1Click() {
    const QString path =
        askSavePath(this, QStringLiteral("Save as PNG"), windowTitle() + QStringLiteral(".png"),
                    QStringLiteral("PNG images (*.png)"));
    if (!path.isEmpty()) saveImage(path);
}

void ChartWindow::Button2Click() {
    const QString path =
        askSavePath(this, QStringLiteral("Save as SVG"), windowTitle() + QStringLiteral(".svg"),
                    QStringLiteral("SVG images (*.svg)"));
    if (!path.isEmpty()) saveImage(path);
}

void ChartWindow::Button3Click() {
    if (!ui::choosePrinter(this)) return;
    QPrinter& printer = ui::printer();
    QPainter painter;
    if (!painter.begin(&printer)) return;
    // The views keep their proportions on the page.
    const QRectF page = painter.viewport();
    double w = 0, h = 0;
    for (QChartView* v : views_) {
        w = std::max(w, static_cast<double>(v->width()));
        h += v->height();
    }
    const double scale = std::min(page.width() / std::max(w, 1.0), page.height() / std::max(h, 1.0));
    renderViews(painter, QRectF(0, 0, w * scale, h * scale));
    painter.end();
}

void ChartWindow::Button4Click() {
    QDialog dialog(this);
    ui::nameWidget(&dialog, QStringLiteral("ChartData"));
    dialog.setWindowTitle(windowTitle());
    dialog.resize(560, 480);
    auto* layout = new QVBoxLayout(&dialog);
    auto* table = new QTableView(&dialog);
    ui::nameWidget(table, QStringLiteral("DataGrid1"));
    table->setAccessibleName(windowTitle());
    auto* model = new ChartTable(chart_, table);
    table->setModel(model);
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    QPushButton* ok = ui::makeButton(QStringLiteral("OK"), QStringLiteral("Button1"), &dialog);
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(ok);
    ui::showModal(&dialog);
}

void ChartWindow::Button5Click() {
    close();
}

} // namespace talvero::charts
