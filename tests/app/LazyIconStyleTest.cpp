// The application style that reads the bars' extension icons only when they are drawn: what
// it draws is the wrapped style's own, in every look and density, other icons pass through,
// and an icon that outlives the style draws nothing instead of reaching a deleted style.

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QStyleFactory>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/LazyIconStyle.h"

namespace quilmo::test {
namespace {

QImage Drawn(const QIcon& icon, int side, qreal ratio, QIcon::Mode mode) {
  return icon.pixmap(QSize(side, side), ratio, mode).toImage();
}

TEST(LazyIconStyle, DrawsTheWrappedStylesIcons) {
  const auto reference = std::unique_ptr<QStyle>(QStyleFactory::create(QStringLiteral("Fusion")));
  TLazyIconStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
  const QStyle::StandardPixmap icons[] = {QStyle::SP_ToolBarHorizontalExtensionButton,
                                          QStyle::SP_ToolBarVerticalExtensionButton,
                                          QStyle::SP_MessageBoxWarning};
  const struct {
    int Side;
    qreal Ratio;
    QIcon::Mode Mode;
  } looks[] = {{16, 1.0, QIcon::Normal},
               {24, 1.0, QIcon::Normal},
               {16, 1.0, QIcon::Disabled},
               {16, 2.0, QIcon::Normal}};
  for (const QStyle::StandardPixmap icon : icons)
    for (const auto& look : looks) {
      SCOPED_TRACE("icon " + std::to_string(icon) + " at " + std::to_string(look.Side) + " x" +
                   std::to_string(look.Ratio) + " mode " + std::to_string(look.Mode));
      const QImage expected = Drawn(reference->standardIcon(icon), look.Side, look.Ratio, look.Mode);
      ASSERT_FALSE(expected.isNull());
      EXPECT_EQ(Drawn(style.standardIcon(icon), look.Side, look.Ratio, look.Mode), expected);
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
