// The main window itself: its menu tree, background picture and status line, and the hints and
// help of its items. What the items do comes with the forms (commands.cpp).
#include "shell/mainform.h"

#include "background.h"
#include "ui/fields.h"
#include "ui/help.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>

TMainForm* MainForm = nullptr;

namespace {
QString currentHint;

enum class ItemKind { Dropdown, Submenu, Command, Separator };

const char* const kHelpContextProperty = "helpContext";

// The status line's and the highlighted menu item's colour.
const QColor kSkyBlue(0xA6, 0xCA, 0xF0);

} // namespace

struct MenuItem {
    const char* parent; // item name of the drop-down it belongs to; nullptr = the menu bar
    ItemKind kind;
    const char* caption;
    const char* name;
    const char* hint;
    int helpId;
};

namespace {
// The menu in display order. Items whose forms come with later work are present but not wired.
// clang-format off
const MenuItem kMenu[] = {
    {nullptr, ItemKind::Dropdown, "&File", "FileMenu", "", 1},
    {"FileMenu", ItemKind::Command, "&Open/Print Loan DB", "FileOpenItem", "Open an existing file", 1},
    {"FileMenu", ItemKind::Command, "&Save Loan Data to DB", "FileSaveItem", "Save Loan Data to a File", 1},
    {"FileMenu", ItemKind::Separator, "", "N1", "", 0},
    {"FileMenu", ItemKind::Command, "&Backup Loan DB", "FilePrintItem", "Backup a Database", 1},
    {"FileMenu", ItemKind::Command, "Backup Invest DB", "BackupInvestDB1", "", 0},
    {"FileMenu", ItemKind::Command, "&Restore Loan DB", "FilePrintSetupItem", "Restore Database", 1},
    {"FileMenu", ItemKind::Command, "Restore Invest DB", "RestoreInvestDB1", "", 0},
    {"FileMenu", ItemKind::Command, "Restore a &Blank Loan DB", "RestoreaBlankDB1", "Restore a Blank Database", 0},
    {"FileMenu", ItemKind::Command, "Restore a Blank Invest DB", "RestoreaBlankInvestDB1", "", 0},
    {"FileMenu", ItemKind::Separator, "", "N4", "", 0},
    {"FileMenu", ItemKind::Command, "E&xit", "FileExitItem", "Exit this application", 0},
    {nullptr, ItemKind::Command, "&Loan", "Loans1", "", 2},
    {nullptr, ItemKind::Command, "B&alloon Loan", "BalloonLoan1", "", 3},
    {nullptr, ItemKind::Dropdown, "&Investment", "Investment1", "", 4},
    {"Investment1", ItemKind::Submenu, "Investment Tracker", "InvestmentTracker1", "", 0},
    {"InvestmentTracker1", ItemKind::Command, "Add Investment Account", "AddInvestmentFund1", "Add a new investment account", 0},
    {"InvestmentTracker1", ItemKind::Command, "Post Transaction", "PostTransaction1", "Post an investment transaction", 0},
    {"InvestmentTracker1", ItemKind::Command, "Account Status", "FundSummaryAnalysis1", "View an account summary status online", 0},
    {"InvestmentTracker1", ItemKind::Command, "Revalue Investement", "RevalueInvestement1", "Revalue an investment", 0},
    {"InvestmentTracker1", ItemKind::Command, "Delete Account", "DeleteAccount1", "Delete an investment account", 0},
    {"InvestmentTracker1", ItemKind::Command, "Delete Transaction", "DeleteTransaction1", "Delete a historical transaction", 0},
    {"InvestmentTracker1", ItemKind::Command, "Reports", "Reports1", "Run an investment report", 0},
    {"InvestmentTracker1", ItemKind::Command, "Import Transactions\u2026", "ImportTransactions1", "Import investment transactions from a CSV file", 0},
    {"Investment1", ItemKind::Command, "Investment Calculations", "InvestmentCalculations1", "Peform annunity calculations", 0},
    {nullptr, ItemKind::Command, "&Retirement", "Retirement1", "", 0},
    {nullptr, ItemKind::Command, "&Business", "Business1", "", 6},
    {nullptr, ItemKind::Dropdown, "&Help", "HelpMenu", "", 0},
    {"HelpMenu", ItemKind::Command, "&Contents", "HelpContentsItem", "Display the help contents screen", 0},
    {"HelpMenu", ItemKind::Command, "&How to Use Help", "HelpHowToUseItem", "Help on using the help system", 0},
    {"HelpMenu", ItemKind::Separator, "", "N3", "", 0},
    {"HelpMenu", ItemKind::Command, "&About...", "HelpAboutItem", "Show program information", 0},
};
// clang-format on
} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setAccessibleDescription(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Talvero 6.0"));
    setStatusTip(QStringLiteral("Talvero 6.0 main window"));
    setToolTip(QStringLiteral("Talvero 6.0 main window"));
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    f.setBold(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x43, 0x4E, 0x54));
    setPalette(pal);
    resize(433, 386);
    setMaximumSize(433, 386);
    ui::setFormHelpFile(this, QStringLiteral("Talvero.hlp"));

    clientArea_ = new QMdiArea(this);
    ui::nameWidget(clientArea_, QStringLiteral("ClientArea"));
    setCentralWidget(clientArea_);
    // The picture covers the whole client area, so the area itself paints nothing beneath it.
    clientArea_->setBackground(Qt::NoBrush);
    clientArea_->viewport()->setAutoFillBackground(false);
    Image1 = new shell::BackgroundPicture(clientArea_->viewport());
    ui::nameWidget(Image1, QStringLiteral("Image1"));
    Image1->lower();
    clientArea_->viewport()->installEventFilter(this);

    StatusLine = new QStatusBar(this);
    ui::nameWidget(StatusLine, QStringLiteral("StatusLine"));
    StatusLine->setSizeGripEnabled(false);
    StatusLine->setFixedHeight(23);
    // Sky blue behind black hints, by palette: a style sheet would bring its whole engine into the
    // first paint.
    QPalette statusColours = StatusLine->palette();
    statusColours.setColor(QPalette::Window, kSkyBlue);
    statusColours.setColor(QPalette::WindowText, Qt::black);
    StatusLine->setPalette(statusColours);
    StatusLine->setAutoFillBackground(true);
    setStatusBar(StatusLine);

    buildMenu();
    FormCreate();
}

void TMainForm::FormCreate() {
    // ShowHint becomes the application's hint handler: every status tip in the program comes here.
    qApp->installEventFilter(this);
}

QString TMainForm::applicationHint() {
    return currentHint;
}

void TMainForm::ShowHint() {
    StatusLine->showMessage(currentHint);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        currentHint = static_cast<QStatusTipEvent*>(event)->tip();
        ShowHint();
        return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        QAction* active = nullptr;
        if (auto* menu = qobject_cast<QMenu*>(watched)) active = menu->activeAction();
        if (auto* bar = qobject_cast<QMenuBar*>(watched)) active = bar->activeAction();
        if (active) {
            helpOnHighlightedItem(active);
            return true;
        }
    }
    if (watched == clientArea_->viewport() && event->type() == QEvent::Resize)
        Image1->setGeometry(clientArea_->viewport()->rect());
    return QMainWindow::eventFilter(watched, event);
}

QAction* TMainForm::addItem(QMenu* menu, const MenuItem& entry) {
    QAction* action = nullptr;
    switch (entry.kind) {
    case ItemKind::Separator:
        action = menu->addSeparator();
        break;
    case ItemKind::Dropdown:
    case ItemKind::Submenu: {
        QMenu* sub = menu ? menu->addMenu(QString::fromUtf8(entry.caption))
                          : menuBar()->addMenu(QString::fromUtf8(entry.caption));
        ui::nameWidget(sub, QString::fromLatin1(entry.name) + QStringLiteral("Popup"));
        sub->installEventFilter(this);
        sub->setToolTipsVisible(false);
        action = sub->menuAction();
        break;
    }
    case ItemKind::Command:
        action = menu ? menu->addAction(QString::fromUtf8(entry.caption))
                      : menuBar()->addAction(QString::fromUtf8(entry.caption));
        break;
    }
    action->setObjectName(QString::fromLatin1(entry.name));
    action->setStatusTip(QString::fromLatin1(entry.hint));
    action->setProperty(kHelpContextProperty, entry.helpId);
    return action;
}

void TMainForm::buildMenu() {
    ui::nameWidget(menuBar(), QStringLiteral("MainMenu"));
    menuBar()->setNativeMenuBar(false);
    // Menus are drawn in a plain face, not the window's bold one, so the whole bar fits the window.
    QFont menuFont = font();
    menuFont.setBold(false);
    menuBar()->setFont(menuFont);
    // The name on the background is in the menus' face, which the first paint loads anyway.
    Image1->setFont(menuFont);
    // A light bar with black captions, the highlighted item sky blue, by palette; the program's
    // style pads its items.
    QPalette menuColours = menuBar()->palette();
    menuColours.setColor(QPalette::Window, QColor(0xEC, 0xE9, 0xD8));
    menuColours.setColor(QPalette::WindowText, Qt::black);
    menuColours.setColor(QPalette::ButtonText, Qt::black);
    menuColours.setColor(QPalette::Highlight, kSkyBlue);
    menuColours.setColor(QPalette::HighlightedText, Qt::black);
    menuBar()->setPalette(menuColours);
    menuBar()->installEventFilter(this);
    for (const MenuItem& entry : kMenu) {
        QAction* parent = entry.parent ? findChild<QAction*>(QLatin1String(entry.parent)) : nullptr;
        addItem(parent ? parent->menu() : nullptr, entry);
    }
}

void TMainForm::helpOnHighlightedItem(QAction* action) {
    ui::helpContext(ui::helpFileFor(this), action->property(kHelpContextProperty).toInt());
}
