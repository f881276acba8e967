#pragma once

#include <QPixmap>
#include <QSize>

namespace shell {

// The main window's background: drawn at the size it is shown, so it always fills the client area.
QPixmap drawBackground(QSize size);

// The program icon: a gold coin marked T.
QPixmap drawIcon(int side);

} // namespace shell
