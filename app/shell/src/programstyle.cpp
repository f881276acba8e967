#include "programstyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

#include <optional>

namespace shell {

namespace {

// The style's icon, asked for the first time it is needed.
class LazyIconEngine : public QIconEngine {
public:
    LazyIconEngine(const QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    // The style has an icon for each of its standard pixmaps.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("LazyIconEngine"); }
    QIconEngine* clone() const override { return new LazyIconEngine(*this); }

private:
    const QIcon& icon() {
        if (!loaded_) loaded_ = style_ ? style_->standardIcon(which_) : QIcon();
        return *loaded_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    std::optional<QIcon> loaded_;
};

} // namespace

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (standardIcon == SP_ToolBarHorizontalExtensionButton ||
        standardIcon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new LazyIconEngine(baseStyle(), standardIcon));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

QSize ProgramStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                     const QWidget* widget) const {
    if (type == CT_MenuBarItem) return size + QSize(8, 6);
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

} // namespace shell
