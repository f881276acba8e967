#include "portfolio/forms.h"
#include "portfolio/reportpreview.h"

#include "balloon/forms.h"
#include "loan/forms.h"

#include "db/connection.h"
#include "db/error.h"
#include "db/statements.h"
#include "ui/convert.h"
#include "ui/fields.h"
#include "ui/form.h"
#include "ui/grids.h"
#include "ui/help.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/window.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TForm17* Form17 = nullptr;

namespace {

// clang-format off
const char* const kColumns[] = {
    "LOANNO", "ORGAMT", "ORIGDT", "FIRSTDUEDT", "APR", "FREQUENCY", "NUMPAY", "DOWNAMT", "FEEAMT", "FEEPCT",
    "FINANCEAMT", "REGZAPR", "PAYMENT", "SKPMONTH", "INTMETHOD", "TOTALINTEREST", "TOTALINSURANCE",
    "TOTALTAXES", "TOTALPAYOUT", "SUMNO", "BLPAY",
};
const char* const kEnterValues = "Enter up to three values from the \"LOANNO\" column above for loan cost comparisons.  Click on the analyze button after selecting loans from the listboxes.";
const char* const kNote = "NOTE:  Select loans using listboxes that have equal  \"ORGAMT\" or (Original Amounts).";
const char* const kReportSection = "--------------------------------LOAN REPORT SECTION------------------------------------";
const char* const kSelectForReport = "Select a \"LOANNO\" from the table above and click on the report button for an amortization report.";
// clang-format on

QLabel* wrapped(const char* text, const QString& name, QWidget* parent) {
    auto* label = ui::makeLabel(QString::fromLatin1(text), name, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TForm17::TForm17(QWidget* parent) : ui::Form(parent) {
    ui::nameWidget(this, QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("Loan Portfolio Analysis"));
    ui::setFormHelpFile(this, QStringLiteral("talvero.hlp"));
    list_ = new ui::GridModel(this);
    // The start-up check reports an unreachable loan database; the list is read when the form shows,
    // and the hidden form keeps no connection open, so a restore of the loan database finds none of
    // ours.
    buildNowUnlessDeferred();
}

void TForm17::buildWidgets() {
    resize(900, 640);
    auto* layout = new QVBoxLayout(this);
    Label1 = ui::makeLabel(QStringLiteral("Loan Portfolio Analysis Data"), QStringLiteral("Label1"), this);
    QFont titleFont = Label1->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label1);

    DBGrid1 = ui::named(new QTableView(this), QStringLiteral("DBGrid1"));
    QStringList columns;
    for (const char* name : kColumns)
        columns << QString::fromLatin1(name);
    DBGrid1->setModel(new ui::ColumnOrder(columns, list_, this));
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
    ui::labelFor(Label1, DBGrid1);
    layout->addWidget(DBGrid1, 1);

    DBNavigator1 = ui::named(new QWidget(this), QStringLiteral("DBNavigator1"));
    auto* navigation = new QHBoxLayout(DBNavigator1);
    navigation->setContentsMargins(0, 0, 0, 0);
    auto navButton = [this, navigation](const char* name, QStyle::StandardPixmap icon, const char* tip) {
        auto* button = ui::named(new QToolButton(DBNavigator1), QString::fromLatin1(name));
        button->setIcon(style()->standardIcon(icon));
        button->setToolTip(QString::fromLatin1(tip));
        button->setAccessibleName(QString::fromLatin1(tip));
        navigation->addWidget(button);
        return button;
    };
    First = navButton("First", QStyle::SP_MediaSkipBackward, "First record");
    Prior = navButton("Prior", QStyle::SP_MediaSeekBackward, "Prior record");
    Next = navButton("Next", QStyle::SP_MediaSeekForward, "Next record");
    Last = navButton("Last", QStyle::SP_MediaSkipForward, "Last record");
    navigation->addStretch();
    layout->addWidget(DBNavigator1);
    connect(First, &QToolButton::clicked, this, [this] { move(0); });
    connect(Prior, &QToolButton::clicked, this, [this] { move(DBGrid1->currentIndex().row() - 1); });
    connect(Next, &QToolButton::clicked, this, [this] { move(DBGrid1->currentIndex().row() + 1); });
    connect(Last, &QToolButton::clicked, this, [this] {
        while (list_->canFetchMore())
            list_->fetchMore();
        move(list_->rowCount() - 1);
    });

    layout->addWidget(wrapped(kEnterValues, QStringLiteral("Label2"), this));
    layout->addWidget(wrapped(kNote, QStringLiteral("Label3"), this));

    auto* picks = new QGridLayout;
    ui::PickList** lists[] = {&DBLookupListBox1, &DBLookupListBox2, &DBLookupListBox3};
    for (int k = 0; k < 3; ++k) {
        picks->addWidget(
            ui::makeLabel(QStringLiteral("# %1").arg(k + 1), QStringLiteral("Number%1").arg(k + 1), this), 0,
            2 * k + 1);
        auto* label = ui::makeLabel(QStringLiteral("Loan No"), QStringLiteral("LoanNo%1").arg(k + 1), this);
        auto* pick = new ui::PickList(QStringLiteral("DBLookupListBox%1").arg(k + 1), this);
        pick->setSource(list_, QStringLiteral("LOANNO"), QStringLiteral("SUMNO"));
        pick->setMaximumHeight(110);
        ui::labelFor(label, pick);
        // Three lists share the caption "Loan No"; the number above each tells them apart.
        pick->setAccessibleName(QStringLiteral("# %1 Loan No").arg(k + 1));
        picks->addWidget(label, 1, 2 * k, Qt::AlignTop);
        picks->addWidget(pick, 1, 2 * k + 1);
        *lists[k] = pick;
    }
    auto* commands = new QVBoxLayout;
    Button1 = ui::makeButton(QStringLiteral("Analyze"), QStringLiteral("Button1"), this);
    Button2 = ui::makeButton(QStringLiteral("Help"), QStringLiteral("Button2"), this);
    Button3 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button3"), this);
    for (QPushButton* b : {Button1, Button2, Button3})
        commands->addWidget(b);
    commands->addStretch();
    picks->addLayout(commands, 0, 6, 2, 1);
    layout->addLayout(picks);

    layout->addWidget(ui::makeLabel(QString::fromLatin1(kReportSection), QStringLiteral("Label4"), this));
    layout->addWidget(wrapped(kSelectForReport, QStringLiteral("Label5"), this));
    auto* reportRow = new QHBoxLayout;
    auto* reportLabel = ui::makeLabel(QStringLiteral("Loan No"), QStringLiteral("LoanNo4"), this);
    DBLookupListBox4 = new ui::PickList(QStringLiteral("DBLookupListBox4"), this);
    DBLookupListBox4->setSource(list_, QStringLiteral("LOANNO"), QStringLiteral("SUMNO"));
    DBLookupListBox4->setMaximumHeight(110);
    ui::labelFor(reportLabel, DBLookupListBox4);
    Button4 = ui::makeButton(QStringLiteral("Report"), QStringLiteral("Button4"), this);
    reportRow->addWidget(reportLabel, 0, Qt::AlignTop);
    reportRow->addWidget(DBLookupListBox4);
    reportRow->addWidget(Button4, 0, Qt::AlignTop);
    Button5 = ui::makeButton(QStringLiteral("Open in Calculator"), QStringLiteral("Button5"), this);
    reportRow->addWidget(Button5, 0, Qt::AlignTop);
    reportRow->addStretch();
    layout->addLayout(reportRow);

    connect(Button1, &QPushButton::clicked, this, &TForm17::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm17::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm17::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm17::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm17::Button5Click);
    ui::installContextHelp(this, 15);
}

TForm17::~TForm17() {
    closeList();
}

void TForm17::FormActivate() {
    ensureBuilt();
    ui::PickList* lists[] = {DBLookupListBox1, DBLookupListBox2, DBLookupListBox3, DBLookupListBox4};
    QVariant keys[4];
    for (int k = 0; k < 4; ++k)
        keys[k] = lists[k]->selectedKey();
    if (!readList()) return;
    for (int k = 0; k < 4; ++k)
        lists[k]->selectKey(keys[k]);
}

bool TForm17::readList() {
    try {
        if (!connection_) connection_ = std::make_unique<db::Connection>(db::Alias::IBLoan);
        QSqlQuery query = ui::prepareForModel(*connection_, db::sql::portfolioList);
        db::exec(query);
        // Every row is read at once, so the list holds no lock while a loan is being saved.
        ui::fillModel(*list_, std::move(query));
    } catch (const db::Error& e) {
        closeList();
        if (!failureShown_) {
            failureShown_ = true;
            ui::showError(e.message());
        }
        return false;
    }
    return true;
}

void TForm17::move(int row) {
    if (list_->rowCount() == 0) return;
    row = std::clamp(row, 0, list_->rowCount() - 1);
    const int column = std::max(0, DBGrid1->currentIndex().column());
    DBGrid1->setCurrentIndex(DBGrid1->model()->index(row, column));
}

void TForm17::closeList() {
    ui::releaseModel(*list_);
    connection_.reset();
}

void TForm17::releaseLoanTables() {
    closeList();
}

void TForm17::reopenLoanTables() {
    try {
        connection_ = std::make_unique<db::Connection>(db::Alias::IBLoan);
        {
            // The report table: the query a report runs, for no loan.
            QSqlQuery report = db::prepare(*connection_, db::sql::portfolioReport);
            report.bindValue(QStringLiteral(":Param4"), 0);
            db::exec(report);
        }
        QSqlQuery list = ui::prepareForModel(*connection_, db::sql::portfolioList);
        db::exec(list);
        ui::fillModel(*list_, std::move(list));
    } catch (const db::Error&) {
        closeList();
        throw;
    }
    if (!isVisible()) closeList();
}

void TForm17::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Back from a comparison or a save elsewhere: the list shows every saved loan.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) FormActivate();
}

void TForm17::hideEvent(QHideEvent* event) {
    closeList();
    failureShown_ = false;
    QDialog::hideEvent(event);
}

void TForm17::Button1Click() {
    std::array<int, 3> loans{};
    try {
        loans = portfolio::loanNumbers({DBLookupListBox1->selectedText(), DBLookupListBox2->selectedText(),
                                        DBLookupListBox3->selectedText()});
    } catch (const ui::ConvertError& e) {
        ui::showException(e.message());
        return;
    }
    if (const auto refused = portfolio::refusal(loans)) {
        ui::showMessage(*refused);
        return;
    }
    try {
        if (!connection_) connection_ = std::make_unique<db::Connection>(db::Alias::IBLoan);
        comparison_ = portfolio::readComparison(*connection_, loans);
    } catch (const db::Error& e) {
        ui::showException(e.message());
        return;
    }
    Form18->fill(comparison_);
    ui::showModal(Form18);
}

void TForm17::Button2Click() {
    ui::helpButton(this, QStringLiteral("Comparing_Loan_Portfolios"));
}

void TForm17::Button3Click() {
    close();
}

std::optional<int> TForm17::pickedLoanNo() {
    try {
        return ui::toInt(DBLookupListBox4->selectedText());
    } catch (const ui::ConvertError& e) {
        ui::showException(e.message());
        return std::nullopt;
    }
}

void TForm17::Button5Click() {
    const std::optional<int> picked = pickedLoanNo();
    if (!picked) return;
    const int loanNo = *picked;
    std::optional<loan::LoanInputs> inputs;
    try {
        db::Connection connection(db::Alias::IBLoan);
        inputs = portfolio::readLoanInputs(connection, loanNo);
    } catch (const db::Error& e) {
        ui::showError(e.message());
        return;
    }
    if (!inputs) {
        ui::showMessage(QStringLiteral("Loan %1 is not in the loan database.").arg(loanNo));
        return;
    }
    loan::InputForm* form = inputs->BLPAY >= 1 ? static_cast<loan::InputForm*>(Form10) : Form1;
    if (!form) return;
    form->openLoan(*inputs);
    ui::showModal(form);
}

void TForm17::Button4Click() {
    const std::optional<int> picked = pickedLoanNo();
    if (!picked) return;
    const int loanNo = *picked;
    try {
        // The report reads through a connection of its own, closed when the preview closes.
        db::Connection reportConnection(db::Alias::IBLoan);
        portfolio::previewLoan(reportConnection, loanNo, this);
    } catch (const db::Error& e) {
        ui::showException(e.message());
    }
}
