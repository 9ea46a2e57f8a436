#include "app/ProgramIcon.h"

namespace quilmo {

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/quilmo-%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace quilmo
