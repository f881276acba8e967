// An on-screen listing of a schedule: a table with the schedule's columns, each year's subtotal and
// the grand total, under a few lines about the loan. The listing libraries show it modally.
//
//   outside::ScheduleModel model(pass);             // the rows of any schedule pass
//   outside::showListing("Amortization Schedule", {"Amount Financed 10000.00", ...}, pass);
#pragma once

#include "common/loanblock.h"
#include "schedule/schedule.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QStringList>
#include <vector>

class QLabel;
class QPushButton;
class QTableView;

namespace outside {

class ScheduleModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Reads every row of the pass.
    explicit ScheduleModel(talvero::schedule::Pass pass, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    const talvero::schedule::Row& row(int i) const { return rows_.at(static_cast<std::size_t>(i)); }

private:
    std::vector<talvero::schedule::Row> rows_;
};

class ListingWindow : public QDialog {
    Q_OBJECT
public:
    ListingWindow(const QString& title, const QStringList& summary, talvero::schedule::Pass pass,
                  QWidget* parent = nullptr);
    QLabel* Summary = nullptr;
    QTableView* Table = nullptr;
    QPushButton* Close = nullptr;
    ScheduleModel* model() const { return model_; }

private:
    ScheduleModel* model_;
};

// The lines about a loan above its listing.
QStringList loanSummary(const talvero::common::LoanBlock& block, double schedpay);

// Shows the listing modally through the program's modal seam.
void showListing(const QString& title, const QStringList& summary, talvero::schedule::Pass pass);

} // namespace outside
