#pragma once
// The main window: a multiple-document frame with the background picture, the menu and the status
// line that shows the hint of whatever the mouse rests on anywhere in the program.
//
// The window is the program's first part (the executable); its commands come with the forms in
// the program library loaded right after the first paint, which reaches the window through what
// SHELL_WINDOW_EXPORT marks.

#include <QMainWindow>

class QAction;
class QMdiArea;
class QMenu;
class QStatusBar;

#if defined(__GNUC__) || defined(__clang__)
#define SHELL_WINDOW_EXPORT __attribute__((visibility("default")))
#else
#define SHELL_WINDOW_EXPORT
#endif

class SHELL_WINDOW_EXPORT TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    QStatusBar* StatusLine = nullptr;
    // The background picture over the whole client area.
    QWidget* Image1 = nullptr;

    // The application's current hint, as the last hinted item or control set it.
    static QString applicationHint();

public slots:
    void FormCreate();
    void ShowHint();

public:
    // The menu's commands, connected to their items by connectCommands once the forms exist.
    void connectCommands();
    void FileOpen();
    void FileSave();
    void FileExit();
    void HelpContents();
    void HelpHowToUse();
    void HelpAbout();
    void Loans1Click();
    void BalloonLoan1Click();
    void InvestmentCalculations1Click();
    void AddInvestmentFund1Click();
    void PostTransaction1Click();
    void FundSummaryAnalysis1Click();
    void RevalueInvestement1Click();
    void Retirement1Click();
    void Business1Click();
    void DeleteAccount1Click();
    void DeleteTransaction1Click();
    void Reports1Click();
    // Asks for a CSV file and previews its rows in the import window.
    void ImportTransactions1Click();
    // The database maintenance commands, each starting its script.
    void FilePrintItemClick();
    void BackupInvestDB1Click();
    void FilePrintSetupItemClick();
    void RestoreInvestDB1Click();
    void RestoreaBlankDB1Click();
    void RestoreaBlankInvestDB1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    QAction* addItem(QMenu* menu, const struct MenuItem& entry);
    void helpOnHighlightedItem(QAction* action);
    void runMaintenance(const char* item);

    QMdiArea* clientArea_ = nullptr;
};

extern SHELL_WINDOW_EXPORT TMainForm* MainForm;
