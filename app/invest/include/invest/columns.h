#pragma once
// Captions and display formats of the investment columns, one table for every grid, and the one
// model that applies them. A grid shows its query through ColumnFormatModel; a form that names a
// column differently passes an override.

#include <QIdentityProxyModel>
#include <QList>
#include <QString>
#include <QStringView>

namespace invest {

struct ColumnFormat {
    const char* column;  // upper case, as in the schema
    const char* caption; // grid header
    const char* format;  // display mask ("#.00", "#.000"), empty for none
};

// clang-format off
inline constexpr ColumnFormat kColumnFormats[] = {
    {"FUNDNO", "Fund No", ""},
    {"ACTNO", "Account No", ""},
    {"NAME", "Name", ""},
    {"CURRENTPRICE", "Current Price", "#.00"},
    {"TOTSHARES", "Total Shares", "#.000"},
    {"TOTBOOKVALUE", "Total Cost", "#.00"},
    {"TOTVALUE", "Balance", "#.00"},
    {"GAINDOLLARS", "Gain Dollars", "#.00"},
    {"GAINPERCENT", "Gain Percent", "#.00"},
    {"AVERAGECOST", "Average Share Cost", "#.00"},
    {"LASTPRICE", "Last Price", "#.00"},
    {"RECNO", "Rec No", ""},
    {"TRANSDATE", "Date", ""},
    {"TRANSTYPE", "Type", ""},
    {"SHARES", "Shares", "#.000"},
    {"PRICE", "Price", "#.00"},
    {"COMMISSION", "Commission", "#.00"},
    {"FEE", "Fee", "#.00"},
    {"DIVIDEND", "Dividend", "#.00"},
    {"BOOKVALUE", "Item Cost", "#.00"},
};
// clang-format on

// The table's entry for a column name in any letter case; nullptr for other columns.
const ColumnFormat* findColumnFormat(QStringView column);

// A number through a display mask: digits before the point are optional with '#' (0.5 under
// "#.00" shows ".50") and shown with '0'; the decimals count the places. No sign on a value that
// rounds to zero. An empty mask gives the shortest text of the number. The point shown is the
// user's decimal separator (ui::decimalSeparator()).
QString formatMask(QStringView mask, double value);

// A grid's own caption or format for one column; a null member keeps the table's.
struct ColumnOverride {
    const char* column;
    const char* caption = nullptr;
    const char* format = nullptr;
};

// Shows a query model (QSqlQueryModel) with the table's captions and formats: headers by column
// name, numbers through their mask and aligned right. Changes of the source's query are followed,
// since each column is looked up by the name the source reports.
class ColumnFormatModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    explicit ColumnFormatModel(QObject* parent = nullptr, QList<ColumnOverride> overrides = {});

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The caption and mask in force for a source column name.
    QString captionOf(QStringView column) const;
    QString formatOf(QStringView column) const;

private:
    QString sourceColumn(int section) const;
    const ColumnOverride* overrideFor(QStringView column) const;

    QList<ColumnOverride> overrides_;
};

} // namespace invest
