#include "engine/TextFileReader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/FileError.h"

namespace quilmo {

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr char kCtrlZ = 26;

class TMemoryByteSource : public TByteSource {
 public:
  TMemoryByteSource(const char* data, size_t size) : FData(data), FLeft(size) {}

  size_t Read(char* buffer, size_t size) override {
    size_t n = std::min(size, FLeft);
    if (n > 0) std::memcpy(buffer, FData, n);
    FData += n;
    FLeft -= n;
    return n;
  }

 private:
  const char* FData;
  size_t FLeft;
};

// Paragraph texts end at their first NUL, so a NUL read from the file would cut the line short
// and lose the characters behind it: each NUL becomes a blank instead. Returns the count.
uint64_t ReplaceNuls(char* p, size_t n) {
  uint64_t count = 0;
  char* end = p + n;
  while ((p = static_cast<char*>(std::memchr(p, 0, static_cast<size_t>(end - p)))) != nullptr) {
    *p++ = ' ';
    ++count;
  }
  return count;
}

}  // namespace

TFileByteSource::TFileByteSource(TFileSystem& fileSystem, const std::string& fileName)
    : FFileSystem(fileSystem), FFileName(fileName) {
  int err = FFileSystem.OpenRead(fileName, FHandle);
  if (err != 0) throw EFileError::FromSystem("Impossible d'ouvrir le fichier", fileName, err);
}

TFileByteSource::~TFileByteSource() {
  FFileSystem.Close(FHandle);
}

size_t TFileByteSource::Read(char* buffer, size_t size) {
  size_t done = 0;
  int err = FFileSystem.Read(FHandle, buffer, size, done);
  if (err != 0) throw EFileError::FromSystem("Impossible de lire le fichier", FFileName, err);
  return done;
}

TTextFileReader::TTextFileReader(TFileSystem& fileSystem) : FFileSystem(fileSystem) {}

uint16_t TTextFileReader::Load(const std::string& fileName, const TLineSink& sink) {
  FReport = {};
  TFileByteSource source(FFileSystem, fileName);
  return LoadFrom(source, sink);
}

uint16_t TTextFileReader::LoadBuffer(const char* data, size_t size, const TLineSink& sink) {
  TMemoryByteSource source(data, size);
  return LoadFrom(source, sink);
}

uint16_t TTextFileReader::Deliver(char* text, size_t length, const TLineSink& sink) {
  text[length] = '\0';  // the CR, the Ctrl-Z or the spare byte behind the data
  ++FReport.LineCount;
  if (length > FParaLengthLimit) ++FReport.LongLineCount;
  FReport.LongestLine = std::max<uint64_t>(FReport.LongestLine, length);
  return sink(text, length);
}

// One buffer holds the unfinished line followed by the bytes read after it. Lines are delivered
// straight from the buffer; it grows only while a line is longer than the space left.
uint16_t TTextFileReader::LoadFrom(TByteSource& source, const TLineSink& sink) {
  FReport = {};
  std::vector<char> buffer(2 * FBlockSize + 1);
  size_t start = 0;      // first byte of the unfinished line
  size_t end = 0;        // end of the data read
  size_t scan = 0;       // where the search for the next CR resumes
  bool textEnd = false;  // end of input or Ctrl-Z: no more text

  while (true) {
    if (!textEnd) {
      if (start > 0) {
        std::memmove(buffer.data(), buffer.data() + start, end - start);
        end -= start;
        scan -= start;
        start = 0;
      }
      // Keep one spare byte behind the data for the terminating NUL of the last line.
      if (buffer.size() - end < FBlockSize + 1)
        buffer.resize(std::max(buffer.size() * 2, end + FBlockSize + 1));
      char* p = buffer.data() + end;
      size_t n = source.Read(p, FBlockSize);
      if (n == 0) {
        textEnd = true;
      } else {
        if (const void* z = std::memchr(p, kCtrlZ, n)) {
          size_t kept = static_cast<size_t>(static_cast<const char*>(z) - p);
          FReport.EndedByCtrlZ = true;
          FReport.BytesAfterCtrlZ = n - kept - 1;
          n = kept;
          textEnd = true;
        }
        FReport.NulCount += ReplaceNuls(p, n);
        end += n;
      }
    }

    char* data = buffer.data();
    for (;;) {
      const void* found = std::memchr(data + scan, kCR, end - scan);
      if (found == nullptr) {
        scan = end;
        break;
      }
      size_t cr = static_cast<size_t>(static_cast<const char*>(found) - data);
      size_t next = cr + 1;
      if (next == end && !textEnd) {  // an LF may follow in the next block
        scan = cr;
        break;
      }
      if (next < end && data[next] == kLF) ++next;
      if (uint16_t code = Deliver(data + start, cr - start, sink)) return code;
      start = scan = next;
    }

    if (textEnd) {
      if (start < end) {
        if (uint16_t code = Deliver(data + start, end - start, sink)) return code;
      }
      break;
    }
  }

  if (FReport.EndedByCtrlZ) {
    // Count what the Ctrl-Z hides, so that the caller can say how much a save would drop.
    while (size_t n = source.Read(buffer.data(), buffer.size())) FReport.BytesAfterCtrlZ += n;
  }
  return 0;
}

}  // namespace quilmo
