#pragma once
// The investment grids: a grid over a query model with the column table's captions and formats.
// The grid model and the pick list are the ones every form shares (ui/grids.h).

#include "invest/columns.h"
#include "ui/grids.h"

#include <QString>
#include <QTableView>

class QSqlQueryModel;

namespace invest {

// A read-only grid named `name` showing `source` through a ColumnFormatModel with `overrides`, its
// shown texts read out as they are shown.
QTableView* makeGrid(const QString& name, QSqlQueryModel* source, QList<ColumnOverride> overrides,
                     QWidget* parent);

} // namespace invest
