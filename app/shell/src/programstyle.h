#pragma once

#include <QProxyStyle>

namespace shell {

// The program's style: the platform's own, with two differences.
// - The menu bar's overflow arrows are loaded when first drawn: the bar makes its overflow button
//   as it is made, and the arrows' image files would wake every image plugin while the window is
//   still to be painted (the button shows only when the menus do not fit).
// - The menu bar's items have 3 pixels above and below their caption and 4 to either side.
class ProgramStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
};

} // namespace shell
