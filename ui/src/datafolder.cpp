#include "ui/datafolder.h"

#include "db/datafolder.h"

namespace ui {

// One rule for the whole program: the database layer's, which needs no widgets.
QString dataFolderPath() {
    return db::dataFolderPath();
}

QString ensureDataFolder() {
    return db::ensureDataFolder();
}

} // namespace ui
