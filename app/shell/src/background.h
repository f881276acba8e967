#pragma once

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QWidget>

class QPainter;

namespace shell {

// The main window's background, painted at `size` from the top left; the name on it in `face`.
void paintBackground(QPainter& painter, QSize size, const QFont& face);

// The background as an image of `size`.
QImage drawBackground(QSize size, const QFont& face);

// The picture behind the client area: the background painted at its own size, in its own font,
// whenever it shows. It keeps no bitmap: painting it costs less than the memory one takes.
class BackgroundPicture : public QWidget {
public:
    explicit BackgroundPicture(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The program icon: a gold coin marked T.
QPixmap drawIcon(int side);

} // namespace shell
