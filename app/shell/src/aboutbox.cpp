#include "shell/aboutbox.h"

#include "ui/fields.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : ui::Form(parent) {
    ui::nameWidget(this, QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About This Program"));
    buildNowUnlessDeferred();
}

void TAboutBox::buildWidgets() {
    setFixedSize(335, 186);

    auto* icon = ui::named(new QLabel(this), QStringLiteral("ProgramIcon"));
    icon->setGeometry(16, 24, 32, 32);
    icon->setPixmap(QApplication::windowIcon().isNull()
                        ? style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32)
                        : QApplication::windowIcon().pixmap(32, 32));

    auto* bevel = ui::named(new QFrame(this), QStringLiteral("Panel1"));
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(64, 8, 263, 121);

    auto* product = ui::makeLabel(QStringLiteral("TALVERO"), QStringLiteral("ProductName"), bevel);
    QFont big(QStringLiteral("Tahoma"));
    big.setPointSize(16);
    big.setBold(true);
    product->setFont(big);
    product->setGeometry(16, 16, 231, 36);

    auto* version = ui::makeLabel(QStringLiteral("Version 6.0"), QStringLiteral("Version"), bevel);
    version->setGeometry(16, 64, 231, 20);

    auto* ok = ui::makeButton(QStringLiteral("OK"), QStringLiteral("OKButton"), this);
    ok->setDefault(true);
    ok->setGeometry(134, 144, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
