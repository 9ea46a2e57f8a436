// The program's icon reaches the program at every size the desktop asks for.

#include <QIcon>

#include <gtest/gtest.h>

#include "app/ProgramIcon.h"

namespace quilmo {
namespace {

TEST(ProgramIconTest, EverySizeIsThereAndDrawn) {
  const QIcon icon = ProgramIcon();
  ASSERT_FALSE(icon.isNull());
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    EXPECT_FALSE(icon.pixmap(size, size).toImage().pixelColor(size / 2, size / 2).alpha() == 0) << size;
  }
}

}  // namespace
}  // namespace quilmo
