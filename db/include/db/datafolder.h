#pragma once
// Where Talvero keeps its databases and files: $TALVERO_HOME when set, else the XDG data folder
// ($XDG_DATA_HOME/talvero, by default ~/.local/share/talvero). Qt Core only, so the database layer
// and the forms share one rule.

#include <QString>

namespace db {

QString dataFolderPath();

// Creates the folder with mode 0700 when it does not exist yet; returns its path, or an empty
// string when it cannot be created.
QString ensureDataFolder();

} // namespace db
