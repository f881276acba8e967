// The chart windows: each panel of a Chart in a Qt Charts view, with "Save as PNG", "Save as SVG",
// "Print" (through the program's printer) and "Show Data" (the plotted values as a table, which is
// also what assistive tools read). Only this part knows Qt Charts.
#pragma once

#include "charts/drawing.h"
#include "charts/series.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QList>

class QChart;
class QChartView;
class QPushButton;
class QXYSeries;

#include "ui/filedialog.h"

// The windows are a library of their own (charts/chartmodule.h); their tests link it directly.
#define CHARTS_WINDOW_EXPORT __attribute__((visibility("default")))

namespace talvero::charts {

// Where to save an image: the program's file dialog seam (ui/filedialog.h).
QString askSavePath(QWidget* parent, const QString& caption, const QString& proposed, const QString& filter);

// While it lives, every file name asked for is `path` (empty: a cancelled dialog).
class CHARTS_WINDOW_EXPORT SavePathAnswer {
public:
    explicit SavePathAnswer(QString path);
    int asked() const { return asked_; }

private:
    int asked_ = 0;
    ui::FileDialogInterceptor files_;
};

// The money axis and the data table with the user's decimal separator: whole units on an axis whose
// step is 1 or more, cents otherwise.
QString userMoney(double value, double step);

// The rows of tableRow(): "Chart", "Series", "Point", "Amount" (with the user's separator).
class ChartTable : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChartTable(const Chart& chart, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const Chart& chart_;
};

class CHARTS_WINDOW_EXPORT ChartWindow : public QDialog {
    Q_OBJECT
public:
    explicit ChartWindow(Chart chart, QWidget* parent = nullptr);

    const Chart& chart() const { return chart_; }
    const QList<QChartView*>& views() const { return views_; }

    QPushButton* Button1 = nullptr; // "Save as PNG"
    QPushButton* Button2 = nullptr; // "Save as SVG"
    QPushButton* Button3 = nullptr; // "Print"
    QPushButton* Button4 = nullptr; // "Show Data"
    QPushButton* Button5 = nullptr; // "Close"

    // Writes the views as FILE.png or FILE.svg; a failure is shown as a message and gives false.
    bool saveImage(const QString& path);

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();

private:
    void renderViews(QPainter& painter, const QRectF& target);
    void reducePoints(int panel);

    Chart chart_;
    QList<QChartView*> views_;
    // Per panel, its drawn line series beside the index of the Series they show.
    QList<QList<QPair<QXYSeries*, int>>> lines_;
    QList<int> columns_;
};

} // namespace talvero::charts
