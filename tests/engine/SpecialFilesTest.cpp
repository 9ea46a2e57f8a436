// The file layer reads regular files only (a FIFO, a device or a socket is refused before
// anything could wait on it), and no more bytes than the size limit, even from a file that
// grows while it is read.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <future>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "engine/FileError.h"
#include "engine/TextFileReader.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

namespace quilmo {
namespace {

// Loads the file; the message it was refused with, "" when it loaded.
std::string Refusal(TFileSystem& fileSystem, const std::string& path, uint64_t sizeLimit) {
  TTextFileReader reader(fileSystem);
  reader.SetSizeLimit(sizeLimit);
  try {
    (void)reader.Load(
        path, [](const char*, size_t) -> uint16_t { return 0; }, [] {});
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

#ifndef _WIN32
TEST(SpecialFiles, OnlyRegularFilesAreRead) {
  test::TTempDir dir;
  const std::string fifo = dir.File("p");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string socketPath = dir.File("s");
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  test::WriteFileBytes(dir.File("t.txt"), "texte\n");
  const struct {
    std::string Path;
    const char* What;  // "" for a file that loads
  } cases[] = {{fifo, "un tube nommé"},
               {"/dev/zero", "un périphérique"},
               {"/dev/urandom", "un périphérique"},
               {socketPath, "une socket"},
               {dir.File("t.txt"), ""}};
  for (const auto& c : cases) {
    // A device that never ends is cut at the size limit, so that a run without the check stops.
    auto refusal =
        std::async(std::launch::async, [&c] { return Refusal(DefaultFileSystem(), c.Path, 1 << 20); });
    if (refusal.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
      ADD_FAILURE() << c.Path << ": the open waits";
      ::close(::open(c.Path.c_str(), O_WRONLY | O_NONBLOCK));  // a writer ends the wait
    }
    const std::string expected = *c.What == '\0' ? ""
                                                 : "Impossible d'ouvrir le fichier « " + c.Path +
                                                       " » : c'est " + c.What + ", pas un fichier ordinaire";
    EXPECT_EQ(refusal.get(), expected) << c.Path;
  }
  ::close(socket);
}
#endif

// A file that grows while it is read: each read finds more bytes, up to 64 MiB, which ends a
// run without the limit.
class TGrowingFileSystem : public test::TFaultyFileSystem {
 public:
  int Read(TFileHandle, char* buffer, size_t size, size_t& done) override {
    done = std::min<size_t>(size, (64 << 20) - BytesRead);
    std::memset(buffer, 'x', done);
    BytesRead += done;
    return 0;
  }
  uint64_t BytesRead = 0;
};

TEST(SpecialFiles, NoMoreIsReadThanTheSizeLimit) {
  test::TTempDir dir;
  const std::string path = dir.File("a.txt");
  test::WriteFileBytes(path, std::string(1000, 'a'));
  const std::string tooLarge = EditorErrorMessage(ErrTextTooLarge);
  test::TFaultyFileSystem plain;
  EXPECT_EQ(Refusal(plain, path, 999), tooLarge);
  EXPECT_EQ(plain.Calls(test::TFsOp::Read), 0);  // refused before the first read
  EXPECT_EQ(Refusal(plain, path, 1000), "");
  for (const uint64_t limit : {uint64_t{4096}, uint64_t{1} << 20}) {
    TGrowingFileSystem growing;
    EXPECT_EQ(Refusal(growing, path, limit), tooLarge) << limit;
    EXPECT_EQ(growing.BytesRead, limit + 1);  // one byte past the limit shows that the file goes on
    EXPECT_EQ(growing.Calls(test::TFsOp::OpenRead), growing.Calls(test::TFsOp::Close));
  }
}

}  // namespace
}  // namespace quilmo
