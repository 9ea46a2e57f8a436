// What the file layer reads: regular files only (a FIFO, a device or a socket is refused before
// anything could wait on it), and no more bytes than the size limit, even from a file that
// grows while it is read.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <future>
#include <string>
#include <vector>

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

using namespace std::chrono_literals;

// Loads the file and returns the message it was refused with ("" when it loaded).
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

std::string Refusal(const std::string& path, uint64_t sizeLimit = TFileByteSource::kNoSizeLimit) {
  return Refusal(DefaultFileSystem(), path, sizeLimit);
}

std::string NotRegular(const std::string& path, const std::string& what) {
  return "Impossible d'ouvrir le fichier « " + path + " » : c'est " + what + ", pas un fichier ordinaire";
}

#ifndef _WIN32
// A listening socket bound to a name in the folder, closed with the object.
class TBoundSocket {
 public:
  explicit TBoundSocket(const std::string& path) : FSocket(::socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    EXPECT_EQ(::bind(FSocket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  }
  ~TBoundSocket() { ::close(FSocket); }
  TBoundSocket(const TBoundSocket&) = delete;
  TBoundSocket& operator=(const TBoundSocket&) = delete;

 private:
  int FSocket;
};

TEST(SpecialFiles, OnlyRegularFilesAreRead) {
  test::TTempDir dir;
  const std::string fifo = dir.File("p");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string socket = dir.File("s");
  TBoundSocket bound(socket);
  const std::string text = dir.File("t.txt");
  test::WriteFileBytes(text, "texte\n");
  // A device that never ends is cut at the size limit at the latest, so that a test run without
  // the check on the kind stops too.
  constexpr uint64_t kLimit = 1 << 20;
  const struct {
    std::string Path;
    std::string Message;
  } cases[] = {
      {fifo, NotRegular(fifo, "un tube nommé")},
      {"/dev/zero", NotRegular("/dev/zero", "un périphérique")},
      {"/dev/urandom", NotRegular("/dev/urandom", "un périphérique")},
      {"/dev/null", NotRegular("/dev/null", "un périphérique")},
      {socket, NotRegular(socket, "une socket")},
      {dir.Path(), "Impossible d'ouvrir le fichier « " + dir.Path() + " » : " + SystemErrorText(EISDIR)},
      {text, ""},
  };
  for (const auto& c : cases) {
    auto refusal = std::async(std::launch::async, [&c] { return Refusal(c.Path, kLimit); });
    if (refusal.wait_for(5s) == std::future_status::timeout) {
      ADD_FAILURE() << c.Path << ": the open waits";
      // A writer lets the open return, so that the test ends.
      const int writer = ::open(c.Path.c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0) ::close(writer);
    }
    EXPECT_EQ(refusal.get(), c.Message) << c.Path;
  }
}

// The kind is checked on what was opened, also when the name is given to a FIFO while the file
// is read, before the reader starts again from the first byte (a CR found late).
TEST(SpecialFiles, TheKindIsCheckedAgainWhenReadingStartsAgain) {
  test::TTempDir dir;
  const std::string path = dir.File("a.txt");
  test::WriteFileBytes(path, "one\ntwo\r\n");
  TTextFileReader reader;
  reader.SetBlockSize(4);
  bool swapped = false;
  try {
    (void)reader.Load(
        path,
        [&](const char*, size_t) -> uint16_t {
          if (!swapped) {
            swapped = true;
            EXPECT_EQ(std::remove(path.c_str()), 0);
            EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
          }
          return 0;
        },
        [] {});
    ADD_FAILURE() << "read from a FIFO";
  } catch (const EFileError& error) {
    EXPECT_EQ(std::string(error.what()), NotRegular(path, "un tube nommé"));
  }
  EXPECT_TRUE(swapped);
}
#endif

// Counts the bytes read; with Growing, the file seems to grow while it is read: each read finds
// more bytes, up to a bound that ends a run without the limit.
class TCountingFileSystem : public test::TFaultyFileSystem {
 public:
  explicit TCountingFileSystem(bool growing) : FGrowing(growing) {}
  int Read(TFileHandle handle, char* buffer, size_t size, size_t& done) override {
    if (!FGrowing) {
      const int err = test::TFaultyFileSystem::Read(handle, buffer, size, done);
      BytesRead += done;
      return err;
    }
    done = std::min<size_t>(size, kBound - BytesRead);
    std::memset(buffer, 'x', done);
    BytesRead += done;
    return 0;
  }
  static constexpr size_t kBound = 64 << 20;
  size_t BytesRead = 0;

 private:
  bool FGrowing;
};

TEST(SpecialFiles, NoMoreIsReadThanTheSizeLimit) {
  test::TTempDir dir;
  const std::string path = dir.File("a.txt");
  test::WriteFileBytes(path, std::string(1000, 'a'));
  const std::string tooLarge = EditorErrorMessage(ErrTextTooLarge);
  const struct {
    uint64_t Limit;
    bool Growing;
    std::string Message;
    size_t MostRead;  // bytes read at most before the answer
  } cases[] = {
      {999, false, tooLarge, 0},  // refused before the first read
      {0, false, tooLarge, 0},
      {1000, false, "", 1000},
      {TFileByteSource::kNoSizeLimit, false, "", 1000},
      {4096, true, tooLarge, 4097},  // one byte past the limit shows that the file goes on
      {1 << 20, true, tooLarge, (1 << 20) + 1},
  };
  for (const auto& c : cases) {
    TCountingFileSystem fs(c.Growing);
    EXPECT_EQ(Refusal(fs, path, c.Limit), c.Message) << c.Limit;
    EXPECT_LE(fs.BytesRead, c.MostRead) << c.Limit;
    EXPECT_EQ(fs.Calls(test::TFsOp::OpenRead), fs.Calls(test::TFsOp::Close)) << c.Limit;
  }
}

}  // namespace
}  // namespace quilmo
