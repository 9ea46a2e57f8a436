// The OS layer on POSIX systems other than Windows: the user from the password database,
// no Windows folder, programs started through Qt's detached processes.

#include <pwd.h>
#include <unistd.h>

#include <QProcess>
#include <QString>
#include <QStringList>

#include "app/platform/Platform.h"

namespace quilmo::platform {

TRegisteredUser RegisteredUser() {
  long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
  if (bufferSize <= 0) bufferSize = 16384;
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize));
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return {};
  return {FullNameFromGecos(found->pw_gecos ? found->pw_gecos : "", found->pw_name ? found->pw_name : ""),
          std::string()};
}

std::string WindowsFolder() {
  return {};
}

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(arguments.size()));
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  return QProcess::startDetached(QString::fromStdString(program), list);
}

}  // namespace quilmo::platform
