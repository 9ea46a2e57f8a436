// The style that reads the bars' extension icons only when drawn: it draws the wrapped style's
// icons in every look and density, passes other icons through, and an icon outliving the style
// draws nothing instead of reaching a deleted style.

#include <QIcon>
#include <QImage>
#include <QStyleFactory>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/LazyIconStyle.h"

namespace quilmo::test {
namespace {

TEST(LazyIconStyle, DrawsTheWrappedStylesIcons) {
  const std::unique_ptr<QStyle> reference(QStyleFactory::create(QStringLiteral("Fusion")));
  TLazyIconStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
  const struct {
    int Side;
    qreal Ratio;
    QIcon::Mode Mode;
  } looks[] = {{16, 1.0, QIcon::Normal},
               {24, 1.0, QIcon::Normal},
               {16, 1.0, QIcon::Disabled},
               {16, 2.0, QIcon::Normal}};
  for (const QStyle::StandardPixmap icon :
       {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
        QStyle::SP_MessageBoxWarning})
    for (const auto& look : looks) {
      SCOPED_TRACE(std::to_string(icon) + " at " + std::to_string(look.Side * look.Ratio) + " mode " +
                   std::to_string(look.Mode));
      const QSize size(look.Side, look.Side);
      const QImage expected = reference->standardIcon(icon).pixmap(size, look.Ratio, look.Mode).toImage();
      ASSERT_FALSE(expected.isNull());
      EXPECT_EQ(style.standardIcon(icon).pixmap(size, look.Ratio, look.Mode).toImage(), expected);
    }
}

TEST(LazyIconStyle, AnIconOutlivingItsStyleDrawsNothing) {
  QIcon icon;
  {
    TLazyIconStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    icon = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
  }
  EXPECT_TRUE(icon.pixmap(QSize(16, 16)).isNull());
}

}  // namespace
}  // namespace quilmo::test
