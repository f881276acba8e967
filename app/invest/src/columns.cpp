#include "invest/columns.h"

#include <QSqlQueryModel>
#include <QSqlRecord>

#include <cmath>

namespace invest {

const ColumnFormat* findColumnFormat(QStringView column) {
    for (const ColumnFormat& entry : kColumnFormats)
        if (column.compare(QLatin1String(entry.column), Qt::CaseInsensitive) == 0) return &entry;
    return nullptr;
}

QString formatMask(QStringView mask, double value) {
    if (mask.isEmpty()) return QString::number(value);
    const qsizetype point = mask.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? mask : mask.left(point);
    const int places = point < 0 ? 0 : int(mask.size() - point - 1);
    const bool leadingZero = whole.contains(QLatin1Char('0'));

    QString text = QString::asprintf("%.*f", places, std::fabs(value));
    if (!leadingZero && text.startsWith(QLatin1String("0")) && text.size() > 1 && text[1] == QLatin1Char('.'))
        text.remove(0, 1);
    if (!leadingZero && text == QLatin1String("0")) text.clear();
    const bool allZero = std::all_of(text.cbegin(), text.cend(),
                                     [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('.'); });
    if (std::signbit(value) && !allZero) text.prepend(QLatin1Char('-'));
    return text;
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
