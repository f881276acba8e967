#include "loan/saving.h"

#include "db/error.h"
#include "loan/save.h"
#include "ui/fields.h"
#include "ui/messages.h"
#include "ui/today.h"
#include "ui/window.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

// clang-format off
namespace {
const char* const kStatusText = "Talvero is saving loan parametes to a database for loan analysis functions.  Please be patient !";
const char* const kPreviouslySaved = "Loan data previously saved";
const char* const kSaved = "Loan Data Saved";
} // namespace
// clang-format on

TForm16::TForm16(QWidget* owner) : QDialog(owner) {
    ui::nameWidget(this, QStringLiteral("Form16"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Preview Status"));
    setFixedSize(299, 169);
    setAutoFillBackground(true);
    QPalette navy = palette();
    navy.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
    setPalette(navy);

    auto* layout = new QVBoxLayout(this);
    Panel1 = ui::named(new QFrame(this), QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    Panel1->setAutoFillBackground(true);
    QPalette light = Panel1->palette();
    light.setColor(QPalette::Window, QColor(0xe3, 0xe3, 0xe3));
    Panel1->setPalette(light);
    layout->addWidget(Panel1);

    auto* inside = new QVBoxLayout(Panel1);
    Label1 = ui::makeLabel(QString::fromLatin1(kStatusText), QStringLiteral("Label1"), Panel1);
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    inside->addWidget(Label1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &TForm16::Timer1Timer);
}

void TForm16::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui::centreOnScreen(this);
    Timer1->start();
}

void TForm16::Timer1Timer() {
    close();
}

namespace loan {

qint64 saveLoan(LoanToSave loan, int& unsavedCount, QWidget* owner, SaveSteps steps) {
    if (!loan.today) {
        // The day of saving is the program's today.
        const QDate today = ui::today();
        loan.today = talvero::common::Date{today.month(), today.day(), today.year()};
    }
    if (steps == SaveSteps::Checked && unsavedCount < 1) {
        ui::showMessage(QString::fromLatin1(kPreviouslySaved));
        return 0;
    }
    SavedLoan saved;
    try {
        saved = writeLoan(loan, [owner] {
            auto* status = new TForm16(owner);
            status->show();
            status->repaint();
        });
    } catch (const db::Error& e) {
        ui::showMessage(e.message());
        return 0;
    }
    if (steps == SaveSteps::Checked) {
        ui::showMessage(QString::fromLatin1(kSaved));
        unsavedCount = 0;
    }
    return saved.LOANNO;
}

qint64 saveLoanData(LoanData& data, QWidget* owner, SaveSteps steps) {
    return saveLoan({data, data.SCHEDPAY, data.FEEPCT}, data.UnsavedCount, owner, steps);
}

} // namespace loan
