#pragma once

#include <QFont>
#include <QPixmap>
#include <QSize>

namespace shell {

// The main window's background: drawn at the size it is shown, so it always fills the client area;
// the name on it in `face`, the window's font.
QPixmap drawBackground(QSize size, const QFont& face);

// The program icon: a gold coin marked T.
QPixmap drawIcon(int side);

} // namespace shell
