#pragma once
// Reads text files line by line, finding the file's format (TTextFormat) on the way.
//
// Line ends: a file with no CR and at least one LF is an LF file, where every LF ends a line.
// In every other file a line ends at CR LF or at a lone CR, and a lone LF is an ordinary
// character of its line.
// Characters: a file whose bytes are well-formed UTF-8 holding at least one multi-byte
// character (or starting with a byte-order mark) is a UTF-8 file, delivered as Windows-1252
// bytes; a character that Windows-1252 lacks is delivered as "?" and counted, and the report
// then says that the text must only be read. Any other file is delivered byte for byte.
// Files of ASCII only, and files without any line end, take the platform's encoding or line
// end (PlatformFormat).
// The first Ctrl-Z (26) ends the text. Lines of any length are delivered whole; a NUL character
// cannot be stored in a paragraph (paragraph texts are NUL-terminated), so each NUL is
// delivered as a blank (0x20) and counted in the report, so that the caller can warn that
// saving will change it.
//
// Both decisions are made in the one pass that delivers the lines: until a CR is seen, an LF
// ends a line, and until a byte that is not UTF-8 is seen, UTF-8 is converted. When a later
// byte shows that lines already delivered were read in the wrong format (a CR behind lines
// ended by LF, a byte that is not UTF-8 behind converted characters), the sink is told to
// forget them and the source is read again from its start in the right format.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/FileSystem.h"
#include "engine/LoadReport.h"
#include "engine/TextFormat.h"

namespace quilmo {

// Receives one line: its characters (no line end, no NUL; text[length] is a NUL) and its length.
// A non-zero result stops reading and is returned by Load.
using TLineSink = std::function<uint16_t(const char* text, size_t length)>;
// Called before the source is read again from its start: every line received so far is to be
// forgotten.
using TRestartSink = std::function<void()>;

// Where the bytes come from: a file, or memory.
class TByteSource {
 public:
  virtual ~TByteSource() = default;
  // Fills up to size bytes; 0 at the end. Failures raise EFileError.
  virtual size_t Read(char* buffer, size_t size) = 0;
  // Goes back to the first byte. Failures raise EFileError.
  virtual void Rewind() = 0;
};

// A regular file opened for reading through a file system, closed with the object. Open and
// read failures raise EFileError naming the file; so does a name that is no regular file (a
// FIFO, a device, a socket), found before anything is read from it. A file of more than
// sizeLimit bytes raises EEditorError with the message of ErrTextTooLarge (as a load stopped by
// the text's limit) before it is read, or as soon as more bytes than that were read from it (a
// file growing while it is read).
class TFileByteSource : public TByteSource {
 public:
  static constexpr uint64_t kNoSizeLimit = UINT64_MAX;

  TFileByteSource(TFileSystem& fileSystem, const std::string& fileName, uint64_t sizeLimit = kNoSizeLimit);
  ~TFileByteSource() override;
  TFileByteSource(const TFileByteSource&) = delete;
  TFileByteSource& operator=(const TFileByteSource&) = delete;

  size_t Read(char* buffer, size_t size) override;
  void Rewind() override;

 private:
  void Open();

  TFileSystem& FFileSystem;
  std::string FFileName;
  uint64_t FSizeLimit;
  uint64_t FBytesRead = 0;
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

  // Files larger than this are refused (see TFileByteSource).
  uint64_t SizeLimit() const { return FSizeLimit; }
  void SetSizeLimit(uint64_t limit) { FSizeLimit = limit; }

  // The format taken by files of ASCII only and files without a line end.
  const TTextFormat& PlatformFormat() const { return FPlatformFormat; }
  void SetPlatformFormat(const TTextFormat& format) { FPlatformFormat = format; }

  // Reads the file and passes every line to the sink. Returns 0, or the sink's non-zero result
  // that stopped reading. Open and read failures raise EFileError.
  [[nodiscard]] uint16_t Load(const std::string& fileName, const TLineSink& sink,
                              const TRestartSink& restart);
  // The same for bytes in memory.
  [[nodiscard]] uint16_t LoadBuffer(const char* data, size_t size, const TLineSink& sink,
                                    const TRestartSink& restart);
  [[nodiscard]] uint16_t LoadFrom(TByteSource& source, const TLineSink& sink, const TRestartSink& restart);

  // The report of the last load (also after a failure: what was read until then).
  const TLoadReport& Report() const { return FReport; }

 private:
  class TPass;

  TFileSystem& FFileSystem;
  size_t FParaLengthLimit = 32767;
  size_t FBlockSize = DefaultBlockSize;
  uint64_t FSizeLimit = TFileByteSource::kNoSizeLimit;
  TTextFormat FPlatformFormat = PlatformTextFormat();
  TLoadReport FReport;
};

}  // namespace quilmo
