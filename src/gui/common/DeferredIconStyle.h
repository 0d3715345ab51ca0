#pragma once
// The platform's style with its standard icons read when first drawn. Qt's
// styles read an icon's image file as soon as a widget asks for the icon,
// and finding that file's format loads every image-format plugin: the menu
// bar and the toolbar ask for their overflow buttons' icons at start, though
// those buttons show only when the window is too narrow for them.
#include <QProxyStyle>

namespace varnel {

class DeferredIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace varnel
