#pragma once
// Opens the chart window a button shows, through the modal seam: shown offscreen, its title, its
// number of chart views and the chart it holds read, and closed again.

#include "charts/chartwindow.h"
#include "ui/modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QString>
#include <gtest/gtest.h>

namespace chartstest {

struct OpenedChart {
    QString title;
    int views = 0;
    talvero::charts::Chart chart;
    int shown = 0; // the modal windows the button opened
};

inline OpenedChart openChart(QAbstractButton* button) {
    OpenedChart opened;
    ui::ModalInterceptor modal([&](QDialog* d) {
        auto* window = qobject_cast<talvero::charts::ChartWindow*>(d);
        EXPECT_NE(window, nullptr) << d->objectName().toStdString();
        if (!window) return 0;
        window->show();
        QApplication::processEvents();
        opened.title = window->windowTitle();
        opened.views = static_cast<int>(window->views().size());
        opened.chart = window->chart();
        return 0;
    });
    button->click();
    opened.shown = static_cast<int>(modal.shown().size());
    return opened;
}

} // namespace chartstest
