#include "outside/listing.h"

#include "ui/convert.h"
#include "ui/modal.h"

#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace outside {

namespace {
// clang-format off
const char* const kColumns[] = {"Payment", "Date", "Interest", "Principal", "Disability", "Life", "Taxes",
                                "HO Ins.", "Other Ins.", "Payment Amt", "Balance"};
// clang-format on
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));
} // namespace

ScheduleModel::ScheduleModel(talvero::schedule::Pass pass, QObject* parent) : QAbstractTableModel(parent) {
    for (talvero::schedule::Row row; pass.next(row);)
        rows_.push_back(row);
}

int ScheduleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    using talvero::schedule::RowKind;
    const talvero::schedule::Row& r = row(index.row());
    const bool total = r.kind != RowKind::Payment;
    if (role == Qt::FontRole && total) {
        QFont f;
        f.setBold(true);
        return f;
    }
    if (role == Qt::TextAlignmentRole)
        return index.column() <= 1 ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                   : int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const auto& a = r.amounts;
    switch (index.column()) {
    case 0:
        if (r.kind == RowKind::Payment) return QString::number(r.k);
        if (r.kind == RowKind::GrandTotal) return QStringLiteral("Grand total");
        return r.PAYDATE[0] ? QStringLiteral("Total %1").arg(r.group)
                            : QStringLiteral("Year %1").arg(r.group);
    case 1:
        return total ? QString() : QString::fromLatin1(r.PAYDATE);
    case 2:
        return ui::format("%.2f", a.INTAMT);
    case 3:
        return ui::format("%.2f", a.PRINAMT);
    case 4:
        return ui::format("%.2f", a.DSINS);
    case 5:
        return ui::format("%.2f", a.LFINS);
    case 6:
        return ui::format("%.2f", a.TAXES);
    case 7:
        return ui::format("%.2f", a.HOINS);
    case 8:
        return ui::format("%.2f", a.OTINS);
    case 9:
        return ui::format("%.2f", a.PAYMENT);
    case 10:
        return total ? QString() : ui::format("%.2f", r.BALANCE);
    }
    return {};
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kColumnCount)
        return QString::fromLatin1(kColumns[section]);
    return {};
}

ListingWindow::ListingWindow(const QString& title, const QStringList& summary, talvero::schedule::Pass pass,
                             QWidget* parent)
    : QDialog(parent), model_(new ScheduleModel(std::move(pass), this)) {
    setObjectName(QStringLiteral("ListingWindow"));
    setWindowTitle(title);
    resize(900, 560);
    auto* layout = new QVBoxLayout(this);
    Summary = new QLabel(summary.join(QLatin1Char('\n')), this);
    Summary->setObjectName(QStringLiteral("Summary"));
    layout->addWidget(Summary);
    Table = new QTableView(this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setModel(model_);
    Table->setAlternatingRowColors(true);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->verticalHeader()->hide();
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(Table);
    Close = new QPushButton(QStringLiteral("Close"), this);
    Close->setObjectName(QStringLiteral("Close"));
    connect(Close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(Close, 0, Qt::AlignRight);
}

QStringList loanSummary(const talvero::common::LoanBlock& b, double schedpay) {
    return {
        QStringLiteral("Amount Financed %1    APR %2    Payments %3 (%4 a year)")
            .arg(ui::format("%.2f", b.FINANCEAMT), ui::format("%.3f", b.APR), ui::format("%.0f", b.NUMPAY),
                 ui::format("%.0f", b.FREQUENCY)),
        QStringLiteral("Scheduled Payment %1    Interest Flag %2")
            .arg(ui::format("%.2f", schedpay))
            .arg(b.INTMETHOD),
    };
}

void showListing(const QString& title, const QStringList& summary, talvero::schedule::Pass pass) {
    ListingWindow window(title, summary, std::move(pass));
    ui::showModal(&window);
}

} // namespace outside
