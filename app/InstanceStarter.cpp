#include "app/InstanceStarter.h"

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "app/NameBytes.h"
#else
#include <QProcess>
#endif

namespace quilmo {

#ifndef Q_OS_WIN
namespace {

// Starts the program detached with these exact bytes as its arguments: QProcess would encode
// them as UTF-8 and lose the bytes of a file name that is not. Two forks, so that the copy is
// no child of ours to wait for; a pipe closed by the exec tells whether the exec worked.
// Between fork and exec only calls that are safe there.
bool StartWithBytes(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(report[0]);
    const pid_t copy = ::fork();
    if (copy == 0) {
      ::setsid();
      ::execv(argv[0], argv.data());
      const int error = errno;
      (void)!::write(report[1], &error, sizeof error);
      ::_exit(127);
    }
    ::_exit(copy < 0 ? 1 : 0);
  }
  ::close(report[1]);
  bool started = false;
  if (child > 0) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t n;
    while ((n = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    started = WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
  }
  ::close(report[0]);
  return started;
}

}  // namespace
#endif

bool TProcessStarter::Start(const QString& program, const QStringList& arguments) {
#ifndef Q_OS_WIN
  std::vector<std::string> bytes;
  for (const QString& argument : arguments) bytes.push_back(NameBytes(argument));
  return StartWithBytes(NameBytes(program), bytes);
#else
  return QProcess::startDetached(program, arguments);
#endif
}

}  // namespace quilmo
