#pragma once
// The program's icon, at every size it is drawn in (window, about box, task bar).

#include <QIcon>

namespace quilmo {

QIcon ProgramIcon();

}  // namespace quilmo
