#include "loan/whatifwindow.h"

#include "charts/chartmodule.h"
#include "charts/loanchart.h"
#include "loan/amortization.h"
#include "loan/saving.h"
#include "outside/listing.h"
#include "report/report.h"
#include "schedule/csv.h"
#include "ui/fields.h"
#include "ui/filedialog.h"
#include "ui/messages.h"
#include "ui/window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <fstream>

namespace loan {

namespace sched = talvero::schedule;

namespace {

const char* const kComputeFirst = "Compute the extra payments first.";

// The new schedule's rows for the report, one pass per layout.
class PassRows : public report::RowSource {
public:
    PassRows(const LoanToExamine& loan, const sched::Variant& variant, double numpay)
        : block_(loan.block), numpay_(numpay), pass_(loan.block, loan.SCHEDPAY, variant, loan.today) {}
    bool next() override { return pass_.next(row_); }
    QVariant value(const QString& field) const override {
        return scheduleField(block_, numpay_, row_, field);
    }

private:
    talvero::common::LoanBlock block_;
    double numpay_;
    sched::Pass pass_;
    sched::Row row_;
};

} // namespace

ExtraPaymentWindow::ExtraPaymentWindow(LoanToExamine loan, QWidget* parent)
    : QDialog(parent), loan_(std::move(loan)) {
    ui::nameWidget(this, QStringLiteral("ExtraPaymentWindow"));
    setWindowTitle(QStringLiteral("Extra Payment Analysis"));
    auto* layout = new QVBoxLayout(this);

    auto* inputs =
        ui::named(new QGroupBox(QStringLiteral("Extra Payments"), this), QStringLiteral("GroupBox1"));
    auto* in = new QGridLayout(inputs);
    Edit1 = ui::addEdit(in, 0, 0, QStringLiteral("Extra Amount"), QStringLiteral("Edit1"));
    Edit2 = ui::addEdit(in, 1, 0, QStringLiteral("Starting With Payment"), QStringLiteral("Edit2"),
                        QStringLiteral("1"));
    ComboBox1 = ui::addCombo(in, 2, 0, QStringLiteral("How Often"), QStringLiteral("ComboBox1"),
                             {QStringLiteral("Every payment"), QStringLiteral("Every Nth payment"),
                              QStringLiteral("Once a year")});
    Edit3 = ui::addEdit(in, 3, 0, QStringLiteral("Every Nth Payment"), QStringLiteral("Edit3"));
    QStringList months;
    for (const char* m : {"January", "February", "March", "April", "May", "June", "July", "August",
                          "September", "October", "November", "December"})
        months << QString::fromLatin1(m);
    ComboBox2 = ui::addCombo(in, 4, 0, QStringLiteral("In Month"), QStringLiteral("ComboBox2"), months);
    Memo1 = ui::named(new QPlainTextEdit(inputs), QStringLiteral("Memo1"));
    auto* memoLabel = ui::makeLabel(QStringLiteral("Lump Sums (MMDDCCYY amount, one a line)"),
                                    QStringLiteral("Label1"), inputs);
    memoLabel->setBuddy(Memo1);
    in->addWidget(memoLabel, 0, 2);
    in->addWidget(Memo1, 1, 2, 4, 1);
    layout->addWidget(inputs);

    auto* figures =
        ui::named(new QGroupBox(QStringLiteral("Original and New"), this), QStringLiteral("GroupBox2"));
    auto* out = new QGridLayout(figures);
    out->addWidget(ui::makeLabel(QStringLiteral("Original"), QStringLiteral("Label2"), figures), 0, 1);
    out->addWidget(ui::makeLabel(QStringLiteral("New"), QStringLiteral("Label3"), figures), 0, 3);
    Edit4 = ui::addAnswer(out, 1, 0, QStringLiteral("Number of Payments"), QStringLiteral("Edit4"));
    Edit5 = ui::addAnswer(out, 1, 2, QStringLiteral("New Number of Payments"), QStringLiteral("Edit5"));
    Edit6 = ui::addAnswer(out, 2, 0, QStringLiteral("Total Interest"), QStringLiteral("Edit6"));
    Edit7 = ui::addAnswer(out, 2, 2, QStringLiteral("New Total Interest"), QStringLiteral("Edit7"));
    Edit8 = ui::addTextAnswer(out, 3, 0, QStringLiteral("Maturity Date"), QStringLiteral("Edit8"));
    Edit9 = ui::addTextAnswer(out, 3, 2, QStringLiteral("New Maturity Date"), QStringLiteral("Edit9"));
    Edit10 = ui::addAnswer(out, 4, 0, QStringLiteral("Payments Saved"), QStringLiteral("Edit10"));
    Edit11 = ui::addAnswer(out, 4, 2, QStringLiteral("Interest Saved"), QStringLiteral("Edit11"));
    Edit12 = ui::addAnswer(out, 5, 0, QStringLiteral("Scheduled Payment"), QStringLiteral("Edit12"));
    layout->addWidget(figures);

    Grid1 = ui::named(new QTableView(this), QStringLiteral("Grid1"));
    Grid1->setMinimumHeight(240);
    layout->addWidget(Grid1, 1);

    auto* buttons = new QHBoxLayout;
    Button1 = ui::makeButton(QStringLiteral("Compute"), QStringLiteral("Button1"), this);
    Button2 = ui::makeButton(QStringLiteral("Export CSV"), QStringLiteral("Button2"), this);
    Button3 = ui::makeButton(QStringLiteral("Export PDF"), QStringLiteral("Button3"), this);
    Button4 = ui::makeButton(QStringLiteral("Save"), QStringLiteral("Button4"), this);
    Button5 = ui::makeButton(QStringLiteral("Quit"), QStringLiteral("Button5"), this);
    Button6 = ui::makeButton(QStringLiteral("Chart"), QStringLiteral("Button6"), this);
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button6, Button5})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &ExtraPaymentWindow::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &ExtraPaymentWindow::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &ExtraPaymentWindow::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &ExtraPaymentWindow::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button6, &QPushButton::clicked, this, &ExtraPaymentWindow::Button6Click);
    resize(860, 720);
    ui::centreOnScreen(this);
}

ExtraPaymentWindow::~ExtraPaymentWindow() = default;

void ExtraPaymentWindow::Button1Click() {
    ExtraInputs in;
    in.amount = Edit1->text();
    in.from = Edit2->text();
    in.every = static_cast<ExtraEvery>(ComboBox1->currentIndex());
    in.nth = Edit3->text();
    in.month = ComboBox2->currentIndex() + 1;
    in.lumps = Memo1->toPlainText();
    result_.reset();
    for (QLineEdit* e : {Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12})
        e->clear();
    Grid1->setModel(nullptr);
    delete model_;
    model_ = nullptr;

    const ReadExtra read = readExtraInputs(in);
    if (!read.error.isEmpty()) {
        ui::showError(read.error);
        return;
    }
    sched::WhatIf w = sched::what_if(loan_.block, loan_.SCHEDPAY, loan_.variant(), read.extra, loan_.today);
    if (!w.ok()) {
        ui::showError(QString::fromStdString(w.error));
        return;
    }
    const WhatIfTexts t = whatIfTexts(w);
    Edit4->setText(t.NUMPAY);
    Edit5->setText(t.NEWNUMPAY);
    Edit6->setText(t.TOTALINTEREST);
    Edit7->setText(t.NEWTOTALINTEREST);
    Edit8->setText(t.MATURITY);
    Edit9->setText(t.NEWMATURITY);
    Edit10->setText(t.PAYMENTSSAVED);
    Edit11->setText(t.INTERESTSAVED);
    Edit12->setText(t.PAYMENT);
    model_ =
        new outside::ScheduleModel(sched::Pass(loan_.block, loan_.SCHEDPAY, w.variant, loan_.today), this);
    Grid1->setModel(model_);
    Grid1->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    result_ = std::move(w);
}

bool ExtraPaymentWindow::computed() {
    if (result_) return true;
    ui::showMessage(QString::fromLatin1(kComputeFirst));
    return false;
}

void ExtraPaymentWindow::Button2Click() {
    if (!computed()) return;
    const QString path =
        ui::saveFileName(this, QStringLiteral("Export CSV"), QStringLiteral("Extra Payment Schedule.csv"),
                         QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty()) return;
    std::ofstream file(path.toStdString(), std::ios::binary);
    sched::Pass pass(loan_.block, loan_.SCHEDPAY, result_->variant, loan_.today);
    sched::write_csv(pass, file);
    file.close();
    if (!file) ui::showError(QStringLiteral("Cannot write %1").arg(path));
}

void ExtraPaymentWindow::Button3Click() {
    if (!computed()) return;
    const QString path = ui::saveFileName(this, QStringLiteral("Export PDF"),
                                          QStringLiteral("Extra Payment Amortization Table.pdf"),
                                          QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty()) return;
    report::Definition def = quickRep1();
    const QString title = QStringLiteral("Extra Payment Amortization Table");
    def.title = title;
    for (report::Band& band : def.bands)
        if (band.kind == report::BandKind::Title)
            for (report::Item& item : band.items)
                item.text = title;
    const LoanToExamine loan = loan_;
    const sched::Variant variant = result_->variant;
    const double numpay = result_->NEWNUMPAY;
    const report::Renderer renderer(
        def, [loan, variant, numpay] { return std::make_unique<PassRows>(loan, variant, numpay); });
    if (!renderer.writePdf(path)) ui::showError(QStringLiteral("Cannot write %1").arg(path));
}

void ExtraPaymentWindow::Button4Click() {
    if (!computed()) return;
    int unsaved = 1; // each Save of a computed what-if is a new loan
    saveLoan(loan_.toSave(*result_->variant.extra), unsaved, this, SaveSteps::Checked);
}

void ExtraPaymentWindow::Button6Click() {
    if (!computed()) return;
    talvero::charts::showChartWindow(talvero::charts::whatIfChart(loan_.block, loan_.SCHEDPAY,
                                                                  loan_.variant(), result_->variant,
                                                                  loan_.today),
                                     this);
}

} // namespace loan
