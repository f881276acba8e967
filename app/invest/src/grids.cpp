#include "invest/grids.h"

#include "ui/fields.h"

#include <QHeaderView>

namespace invest {

QTableView* makeGrid(const QString& name, QSqlQueryModel* source, QList<ColumnOverride> overrides,
                     QWidget* parent) {
    auto* grid = ui::named(new QTableView(parent), name);
    auto* shown = new ColumnFormatModel(grid, std::move(overrides));
    shown->setSourceModel(source);
    auto* read = new ui::ShownTextModel(grid);
    read->setSourceModel(shown);
    grid->setModel(read);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    return grid;
}

} // namespace invest
