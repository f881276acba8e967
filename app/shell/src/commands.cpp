// The main window's commands: what each menu item does. They come with the forms, after the
// window's first paint.
#include "shell/mainform.h"

#include "annuity/forms.h"
#include "balloon/forms.h"
#include "balloon/saving.h"
#include "db/error.h"
#include "invest/csvfile.h"
#include "invest/deleteforms.h"
#include "invest/forms.h"
#include "invest/importform.h"
#include "invest/reportform.h"
#include "invest/revalueform.h"
#include "invest/statusform.h"
#include "loan/forms.h"
#include "loan/saving.h"
#include "portfolio/forms.h"
#include "shell/aboutbox.h"
#include "shell/maintenance.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <QAction>
#include <QDir>

void TMainForm::connectCommands() {
    auto connectItem = [this](const char* name, void (TMainForm::*slot)()) {
        connect(findChild<QAction*>(QLatin1String(name)), &QAction::triggered, this, slot);
    };
    connectItem("FileOpenItem", &TMainForm::FileOpen);
    connectItem("FileSaveItem", &TMainForm::FileSave);
    connectItem("FilePrintItem", &TMainForm::FilePrintItemClick);
    connectItem("BackupInvestDB1", &TMainForm::BackupInvestDB1Click);
    connectItem("FilePrintSetupItem", &TMainForm::FilePrintSetupItemClick);
    connectItem("RestoreInvestDB1", &TMainForm::RestoreInvestDB1Click);
    connectItem("RestoreaBlankDB1", &TMainForm::RestoreaBlankDB1Click);
    connectItem("RestoreaBlankInvestDB1", &TMainForm::RestoreaBlankInvestDB1Click);
    connectItem("FileExitItem", &TMainForm::FileExit);
    connectItem("HelpContentsItem", &TMainForm::HelpContents);
    connectItem("HelpHowToUseItem", &TMainForm::HelpHowToUse);
    connectItem("HelpAboutItem", &TMainForm::HelpAbout);
    connectItem("Loans1", &TMainForm::Loans1Click);
    connectItem("BalloonLoan1", &TMainForm::BalloonLoan1Click);
    connectItem("InvestmentCalculations1", &TMainForm::InvestmentCalculations1Click);
    connectItem("AddInvestmentFund1", &TMainForm::AddInvestmentFund1Click);
    connectItem("PostTransaction1", &TMainForm::PostTransaction1Click);
    connectItem("FundSummaryAnalysis1", &TMainForm::FundSummaryAnalysis1Click);
    connectItem("RevalueInvestement1", &TMainForm::RevalueInvestement1Click);
    connectItem("Retirement1", &TMainForm::Retirement1Click);
    connectItem("Business1", &TMainForm::Business1Click);
    connectItem("DeleteAccount1", &TMainForm::DeleteAccount1Click);
    connectItem("DeleteTransaction1", &TMainForm::DeleteTransaction1Click);
    connectItem("Reports1", &TMainForm::Reports1Click);
    connectItem("ImportTransactions1", &TMainForm::ImportTransactions1Click);
}

void TMainForm::FileOpen() {
    ui::showModal(Form17);
}

void TMainForm::FileSave() {
    const shell::SavePlan plan = shell::savePlan(Form1->UnsavedCount, Form10->UnsavedCount);
    ui::showMessage(QString::fromLatin1(plan.message));
    // Each routine clears its own count once its loan is written, and keeps it when the write fails.
    if (plan.saveRegular) loan::saveLoanData(*Form1, this);
    if (plan.saveBalloon) balloon::saveBalloonData(*Form10, this);
}

void TMainForm::FilePrintItemClick() {
    runMaintenance("FilePrintItem");
}

void TMainForm::BackupInvestDB1Click() {
    runMaintenance("BackupInvestDB1");
}

void TMainForm::FilePrintSetupItemClick() {
    runMaintenance("FilePrintSetupItem");
}

void TMainForm::RestoreInvestDB1Click() {
    runMaintenance("RestoreInvestDB1");
}

void TMainForm::RestoreaBlankDB1Click() {
    runMaintenance("RestoreaBlankDB1");
}

void TMainForm::RestoreaBlankInvestDB1Click() {
    runMaintenance("RestoreaBlankInvestDB1");
}

void TMainForm::runMaintenance(const char* item) {
    const shell::MaintenanceCommand* command = shell::maintenanceCommand(QLatin1String(item));
    const QString script = QDir(shell::scriptsFolder()).filePath(QString::fromLatin1(command->script));
    // A script that cannot be started shows nothing.
    if (!command->releasesLoanTables) {
        shell::startScript(script);
        return;
    }
    // The portfolio is the one form that keeps a loan connection between commands; the payout and
    // amortization windows connect per save or preview. The restore runs to its end before the
    // tables open again, so they never meet a half-written file.
    Form17->releaseLoanTables();
    shell::runScript(script);
    try {
        Form17->reopenLoanTables();
    } catch (const db::Error& e) {
        ui::showException(e.message());
    }
}

void TMainForm::FileExit() {
    close();
}

void TMainForm::HelpContents() {
    ui::helpContents();
}

void TMainForm::HelpHowToUse() {
    ui::setApplicationHelpFile(QStringLiteral("Talvero.hlp"));
    ui::helpJump(ui::helpFileFor(this), QStringLiteral("using_Quorin_Help"));
}

void TMainForm::HelpAbout() {
    ui::showModal(AboutBox);
}

void TMainForm::Loans1Click() {
    ui::showModal(Form1);
}

void TMainForm::BalloonLoan1Click() {
    ui::showModal(Form10);
}

void TMainForm::InvestmentCalculations1Click() {
    ui::showModal(Form6);
}

void TMainForm::AddInvestmentFund1Click() {
    ui::showModal(Form20);
}

void TMainForm::PostTransaction1Click() {
    ui::showModal(Form22);
}

void TMainForm::FundSummaryAnalysis1Click() {
    ui::showModal(Form24);
}

void TMainForm::RevalueInvestement1Click() {
    ui::showModal(Form25);
}

void TMainForm::Retirement1Click() {
    ui::showModal(Form7);
}

void TMainForm::Business1Click() {
    ui::showModal(Form8);
}

void TMainForm::DeleteAccount1Click() {
    ui::showModal(Form28);
}

void TMainForm::DeleteTransaction1Click() {
    ui::showModal(Form29);
}

void TMainForm::Reports1Click() {
    ui::showModal(Form30);
}

void TMainForm::ImportTransactions1Click() {
    const QString path = invest::askCsvFile(this, invest::CsvFileUse::Open);
    if (path.isEmpty()) return;
    TImportForm form(this);
    form.preview(path);
    ui::showModal(&form);
}
