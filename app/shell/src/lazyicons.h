#pragma once

#include <QProxyStyle>

namespace shell {

// The platform's own style, but the menu bar's overflow arrows are loaded when first drawn: the
// bar makes its overflow button as it is made, and the arrows' image files would wake every image
// plugin while the window is still to be painted (the button shows only when the menus do not fit).
class LazyIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace shell
