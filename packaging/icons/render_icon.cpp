// Renders the scalable icon as a PNG of the given side, for the icon theme's fixed sizes.
// Usage: render_icon <in.svg> <out.png> <side>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: render_icon <in.svg> <out.png> <side>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int side = std::atoi(argv[3]);
    if (!svg.isValid() || side <= 0) {
        std::fprintf(stderr, "render_icon: cannot read %s or bad side %s\n", argv[1], argv[3]);
        return 1;
    }
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
