#pragma once
// Reads 8-bit text files line by line.
//
// A line ends at CR LF or at a lone CR; a lone LF is an ordinary character of the line. The first
// Ctrl-Z (26) ends the text. Lines of any length are delivered whole; a NUL character cannot be
// stored in a paragraph (paragraph texts are NUL-terminated), so each NUL is delivered as a blank
// (0x20) and counted in the report, so that the caller can warn that saving will change it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/FileSystem.h"

namespace quilmo {

// Receives one line: its characters (no line end, no NUL; text[length] is a NUL) and its length.
// A non-zero result stops reading and is returned by Load.
using TLineSink = std::function<uint16_t(const char* text, size_t length)>;

// What reading found, so that the window can warn about changes a save would make.
struct TLoadReport {
  uint64_t LineCount = 0;      // lines delivered
  uint64_t LongLineCount = 0;  // lines longer than the paragraph length limit
  uint64_t LongestLine = 0;
  uint64_t NulCount = 0;         // NUL characters delivered as blanks
  bool EndedByCtrlZ = false;     // a Ctrl-Z ended the text
  uint64_t BytesAfterCtrlZ = 0;  // bytes behind that Ctrl-Z, not read into the text

  // Something of the file will not come back unchanged when the text is saved.
  bool HasWarnings() const { return NulCount > 0 || BytesAfterCtrlZ > 0; }
};

// Where the bytes come from: a file, or memory.
class TByteSource {
 public:
  virtual ~TByteSource() = default;
  // Fills up to size bytes; 0 at the end. Failures raise EFileError.
  virtual size_t Read(char* buffer, size_t size) = 0;
};

// A file opened for reading through a file system, closed with the object. Open and read
// failures raise EFileError naming the file.
class TFileByteSource : public TByteSource {
 public:
  TFileByteSource(TFileSystem& fileSystem, const std::string& fileName);
  ~TFileByteSource() override;
  TFileByteSource(const TFileByteSource&) = delete;
  TFileByteSource& operator=(const TFileByteSource&) = delete;

  size_t Read(char* buffer, size_t size) override;

 private:
  TFileSystem& FFileSystem;
  std::string FFileName;
  TFileHandle FHandle = -1;
};

class TTextFileReader {
 public:
  static constexpr size_t DefaultBlockSize = 65536;

  explicit TTextFileReader(TFileSystem& fileSystem = DefaultFileSystem());

  // Lines longer than this are counted in the report (the paragraph list splits them).
  size_t ParaLengthLimit() const { return FParaLengthLimit; }
  void SetParaLengthLimit(size_t limit) { FParaLengthLimit = limit; }
  // Size of one read; small sizes are for tests of lines crossing block boundaries.
  size_t BlockSize() const { return FBlockSize; }
  void SetBlockSize(size_t size) { FBlockSize = size == 0 ? 1 : size; }

  // Reads the file and passes every line to the sink. Returns 0, or the sink's non-zero result
  // that stopped reading. Open and read failures raise EFileError.
  [[nodiscard]] uint16_t Load(const std::string& fileName, const TLineSink& sink);
  // The same for bytes in memory.
  [[nodiscard]] uint16_t LoadBuffer(const char* data, size_t size, const TLineSink& sink);
  [[nodiscard]] uint16_t LoadFrom(TByteSource& source, const TLineSink& sink);

  // The report of the last load (also after a failure: what was read until then).
  const TLoadReport& Report() const { return FReport; }

 private:
  [[nodiscard]] uint16_t Deliver(char* text, size_t length, const TLineSink& sink);

  TFileSystem& FFileSystem;
  size_t FParaLengthLimit = 32767;
  size_t FBlockSize = DefaultBlockSize;
  TLoadReport FReport;
};

}  // namespace quilmo
