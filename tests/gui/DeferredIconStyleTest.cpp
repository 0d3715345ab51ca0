// The overflow arrows read when first drawn look as the style draws them,
// in either direction; other icons pass through untouched.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QStyleFactory>
#include <QStyleOption>
#include <memory>

#include "gui/common/DeferredIconStyle.h"
#include "GuiTestSupport.h"

namespace varnel {
namespace {

QImage Drawn(const QIcon& icon) { return icon.pixmap(QSize(16, 16)).toImage(); }

TEST(DeferredIconStyle, DrawsTheBaseStylesIcons) {
    EnsureApplication();
    DeferredIconStyle deferred(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QStyle::StandardPixmap kind :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton})
        for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            QStyleOption option;
            option.direction = direction;
            const QIcon icon = deferred.standardIcon(kind, &option);
            ASSERT_FALSE(icon.isNull());
            EXPECT_EQ(Drawn(icon), Drawn(fusion->standardIcon(kind, &option))) << kind << " " << direction;
            EXPECT_EQ(Drawn(QIcon(icon)), Drawn(icon)) << "a copy draws the same";
        }
    EXPECT_EQ(Drawn(deferred.standardIcon(QStyle::SP_DialogOkButton)),
              Drawn(fusion->standardIcon(QStyle::SP_DialogOkButton)));
}

}  // namespace
}  // namespace varnel
