#include "app/InstanceStarter.h"

#include <QProcess>

namespace quilmo {

bool TProcessStarter::Start(const QString& program, const QStringList& arguments) {
  return QProcess::startDetached(program, arguments);
}

}  // namespace quilmo
