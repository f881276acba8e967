#pragma once
// Where Talvero keeps its databases and files: $TALVERO_HOME when set, else the XDG data folder
// ($XDG_DATA_HOME/talvero, by default ~/.local/share/talvero).

#include "ui/export.h"
#include <QString>

namespace ui {

UI_EXPORT QString dataFolderPath();

// Creates the folder with mode 0700 when it does not exist yet; returns its path, or an empty
// string when it cannot be created.
UI_EXPORT QString ensureDataFolder();

} // namespace ui
