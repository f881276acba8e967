#include "invest/columns.h"

#include "ui/convert.h"

#include <QSqlQueryModel>
#include <QSqlRecord>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace invest {

const ColumnFormat* findColumnFormat(QStringView column) {
    for (const ColumnFormat& entry : kColumnFormats)
        if (column.compare(QLatin1String(entry.column), Qt::CaseInsensitive) == 0) return &entry;
    return nullptr;
}

namespace {

// The digits of a number with '.' as the point, never following the C library's locale: the
// shortest text that reads back as `value`, or `places` decimals.
std::string digitsOf(double value, int places = -1) {
    char buffer[400];
    const auto end =
        places < 0 ? std::to_chars(buffer, buffer + sizeof buffer, value)
                   : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
    return end.ec == std::errc() ? std::string(buffer, end.ptr) : std::string();
}

QString withUserSeparator(const std::string& digits) {
    return QString::fromLatin1(digits.data(), qsizetype(digits.size()))
        .replace(QLatin1Char('.'), ui::decimalSeparator());
}

} // namespace

QString formatMask(QStringView mask, double value) {
    if (mask.isEmpty()) return withUserSeparator(digitsOf(value));
    const qsizetype point = mask.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? mask : mask.left(point);
    const int places = point < 0 ? 0 : int(mask.size() - point - 1);
    const bool leadingZero = whole.contains(QLatin1Char('0'));

    std::string text = digitsOf(std::fabs(value), places);
    if (!leadingZero && text.starts_with("0.")) text.erase(0, 1);
    if (!leadingZero && text == "0") text.clear();
    const bool allZero = std::all_of(text.cbegin(), text.cend(), [](char c) { return c == '0' || c == '.'; });
    if (std::signbit(value) && !allZero) text.insert(0, 1, '-');
    return withUserSeparator(text);
}

ColumnFormatModel::ColumnFormatModel(QObject* parent, QList<ColumnOverride> overrides)
    : QIdentityProxyModel(parent), overrides_(std::move(overrides)) {}

const ColumnOverride* ColumnFormatModel::overrideFor(QStringView column) const {
    for (const ColumnOverride& entry : overrides_)
        if (column.compare(QLatin1String(entry.column), Qt::CaseInsensitive) == 0) return &entry;
    return nullptr;
}

QString ColumnFormatModel::captionOf(QStringView column) const {
    if (const ColumnOverride* own = overrideFor(column); own && own->caption)
        return QString::fromLatin1(own->caption);
    if (const ColumnFormat* entry = findColumnFormat(column)) return QString::fromLatin1(entry->caption);
    return column.toString();
}

QString ColumnFormatModel::formatOf(QStringView column) const {
    if (const ColumnOverride* own = overrideFor(column); own && own->format)
        return QString::fromLatin1(own->format);
    if (const ColumnFormat* entry = findColumnFormat(column)) return QString::fromLatin1(entry->format);
    return {};
}

QString ColumnFormatModel::sourceColumn(int section) const {
    if (const auto* query = qobject_cast<const QSqlQueryModel*>(sourceModel()))
        return query->record().fieldName(section);
    return sourceModel() ? sourceModel()->headerData(section, Qt::Horizontal).toString() : QString();
}

QVariant ColumnFormatModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return captionOf(sourceColumn(section));
    return QIdentityProxyModel::headerData(section, orientation, role);
}

QVariant ColumnFormatModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)
        return QIdentityProxyModel::data(index, role);
    const QString mask = formatOf(sourceColumn(index.column()));
    if (mask.isEmpty()) return QIdentityProxyModel::data(index, role);
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    const QVariant raw = QIdentityProxyModel::data(index, Qt::DisplayRole);
    if (raw.isNull()) return QString();
    return formatMask(mask, raw.toDouble());
}

} // namespace invest
