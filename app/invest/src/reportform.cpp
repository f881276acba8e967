#include "invest/reportform.h"

#include "db/connection.h"
#include "db/error.h"
#include "formsupport.h"
#include "invest/reportpreview.h"
#include "invest/reports.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm30* Form30 = nullptr;

TForm30::TForm30(QWidget* parent) : ui::Form(parent) {
    ui::nameWidget(this, QStringLiteral("Form30"));
    setWindowTitle(QStringLiteral("Run Report Menu"));
    buildNowUnlessDeferred();
}

void TForm30::buildWidgets() {
    auto* layout = new QVBoxLayout(this);
    Label1 = invest::titleLabel("Reports Menu", this);
    layout->addWidget(Label1);

    auto* grid = new QGridLayout;
    Button1 = ui::makeButton(QStringLiteral("Report1"), QStringLiteral("Button1"), this);
    Button2 = ui::makeButton(QStringLiteral("Report2"), QStringLiteral("Button2"), this);
    grid->addWidget(Button1, 0, 0);
    grid->addWidget(
        ui::makeLabel(QStringLiteral("Run Investment Summary Report"), QStringLiteral("Label2"), this), 0, 1);
    grid->addWidget(Button2, 1, 0);
    grid->addWidget(
        ui::makeLabel(QStringLiteral("Run Transaction History Report"), QStringLiteral("Label3"), this), 1,
        1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    Button3 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button3"), this);
    Button4 = ui::makeButton(QStringLiteral("Help"), QStringLiteral("Button4"), this);
    buttons->addWidget(Button3);
    buttons->addWidget(Button4);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &TForm30::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm30::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm30::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm30::Button4Click);
}

void TForm30::run(invest::ReportData (*read)(db::Connection&)) {
    invest::ReportData data;
    try {
        // The rows are read in full and the database closed before the preview opens.
        db::Connection connection(db::Alias::IBInvest);
        data = read(connection);
    } catch (const db::Error& e) {
        ui::showException(e.message());
        return;
    }
    const report::Renderer renderer = invest::rendererFor(data);
    invest::previewReport(renderer, this);
}

void TForm30::Button1Click() {
    run(&invest::readSummaryReport);
}

void TForm30::Button2Click() {
    run(&invest::readHistoryReport);
}

void TForm30::Button3Click() {
    reject();
}

void TForm30::Button4Click() {
    ui::helpButton(this, QStringLiteral("Running_Investment_Reports"));
}
