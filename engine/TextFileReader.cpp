#include "engine/TextFileReader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/Cp1252Utf8.h"
#include "engine/FileError.h"
#include "engine/Simd.h"

namespace quilmo {

namespace {

constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr char kCtrlZ = 26;
constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr size_t kBomSize = 3;

class TMemoryByteSource : public TByteSource {
 public:
  TMemoryByteSource(const char* data, size_t size) : FData(data), FSize(size) {}

  size_t Read(char* buffer, size_t size) override {
    size_t n = std::min(size, FSize - FPos);
    if (n > 0) std::memcpy(buffer, FData + FPos, n);
    FPos += n;
    return n;
  }
  void Rewind() override { FPos = 0; }

 private:
  const char* FData;
  size_t FSize;
  size_t FPos = 0;
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

struct TByteCounts {
  uint64_t ControlCodes = 0;  // codes 1 to 8
  uint64_t LineFeeds = 0;
  bool High = false;  // a byte from 128 up
};

// In runs short enough for byte-sized counters, which lets the compiler count many bytes per
// step.
TByteCounts CountBytesScalar(const unsigned char* b, size_t n) {
  TByteCounts counts;
  unsigned char any = 0;
  while (n > 0) {
    const size_t run = std::min<size_t>(n, 255);
    unsigned char controls = 0;
    unsigned char lineFeeds = 0;
    for (size_t i = 0; i < run; ++i) {
      const unsigned char c = b[i];
      controls = static_cast<unsigned char>(controls + (static_cast<unsigned char>(c - 1u) < 8u));
      lineFeeds = static_cast<unsigned char>(lineFeeds + (c == kLF));
      any = static_cast<unsigned char>(any | c);
    }
    counts.ControlCodes += controls;
    counts.LineFeeds += lineFeeds;
    b += run;
    n -= run;
  }
  counts.High = (any & 0x80) != 0;
  return counts;
}

#if defined(QUILMO_HAVE_SSE2)
// Sixteen bytes a step, counted in byte lanes that are summed before they can overflow.
TByteCounts CountBytesSse2(const unsigned char* b, size_t n) {
  const __m128i one = _mm_set1_epi8(1);
  const __m128i seven = _mm_set1_epi8(7);
  const __m128i lf = _mm_set1_epi8(kLF);
  const __m128i zero = _mm_setzero_si128();
  __m128i any = zero;
  __m128i controlSums = zero;
  __m128i lineFeedSums = zero;
  size_t blocks = n / 16;
  while (blocks > 0) {
    const size_t run = std::min<size_t>(blocks, 255);
    __m128i controls = zero;
    __m128i lineFeeds = zero;
    for (size_t i = 0; i < run; ++i, b += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
      // Codes 1 to 8: v - 1 is at most 7 without sign.
      const __m128i m = _mm_sub_epi8(v, one);
      controls = _mm_sub_epi8(controls, _mm_cmpeq_epi8(_mm_min_epu8(m, seven), m));
      lineFeeds = _mm_sub_epi8(lineFeeds, _mm_cmpeq_epi8(v, lf));
      any = _mm_or_si128(any, v);
    }
    controlSums = _mm_add_epi64(controlSums, _mm_sad_epu8(controls, zero));
    lineFeedSums = _mm_add_epi64(lineFeedSums, _mm_sad_epu8(lineFeeds, zero));
    blocks -= run;
  }
  TByteCounts counts = CountBytesScalar(b, n % 16);
  counts.ControlCodes +=
      static_cast<uint64_t>(_mm_cvtsi128_si64(controlSums)) +
      static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(controlSums, controlSums)));
  counts.LineFeeds +=
      static_cast<uint64_t>(_mm_cvtsi128_si64(lineFeedSums)) +
      static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(lineFeedSums, lineFeedSums)));
  counts.High = counts.High || _mm_movemask_epi8(any) != 0;
  return counts;
}

#if defined(QUILMO_HAVE_AVX2_DISPATCH)
__attribute__((target("avx2"))) uint64_t SumLanes(__m256i sums) {
  alignas(32) uint64_t lanes[4];
  _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), sums);
  return lanes[0] + lanes[1] + lanes[2] + lanes[3];
}

// The same thirty-two bytes a step.
__attribute__((target("avx2"))) TByteCounts CountBytesAvx2(const unsigned char* b, size_t n) {
  const __m256i one = _mm256_set1_epi8(1);
  const __m256i seven = _mm256_set1_epi8(7);
  const __m256i lf = _mm256_set1_epi8(kLF);
  const __m256i zero = _mm256_setzero_si256();
  __m256i any = zero;
  __m256i controlSums = zero;
  __m256i lineFeedSums = zero;
  size_t blocks = n / 32;
  while (blocks > 0) {
    const size_t run = std::min<size_t>(blocks, 255);
    __m256i controls = zero;
    __m256i lineFeeds = zero;
    for (size_t i = 0; i < run; ++i, b += 32) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b));
      const __m256i m = _mm256_sub_epi8(v, one);
      controls = _mm256_sub_epi8(controls, _mm256_cmpeq_epi8(_mm256_min_epu8(m, seven), m));
      lineFeeds = _mm256_sub_epi8(lineFeeds, _mm256_cmpeq_epi8(v, lf));
      any = _mm256_or_si256(any, v);
    }
    controlSums = _mm256_add_epi64(controlSums, _mm256_sad_epu8(controls, zero));
    lineFeedSums = _mm256_add_epi64(lineFeedSums, _mm256_sad_epu8(lineFeeds, zero));
    blocks -= run;
  }
  TByteCounts counts = CountBytesSse2(b, n % 32);
  counts.ControlCodes += SumLanes(controlSums);
  counts.LineFeeds += SumLanes(lineFeedSums);
  counts.High = counts.High || _mm256_movemask_epi8(any) != 0;
  return counts;
}
#endif

TByteCounts CountBytes(const char* data, size_t n) {
  const auto* b = reinterpret_cast<const unsigned char*>(data);
#if defined(QUILMO_HAVE_AVX2_DISPATCH)
  if (HasAvx2()) return CountBytesAvx2(b, n);
#endif
  return CountBytesSse2(b, n);
}
#else
TByteCounts CountBytes(const char* data, size_t n) {
  return CountBytesScalar(reinterpret_cast<const unsigned char*>(data), n);
}
#endif

}  // namespace

TFileByteSource::TFileByteSource(TFileSystem& fileSystem, const std::string& fileName, uint64_t sizeLimit)
    : FFileSystem(fileSystem), FFileName(fileName), FSizeLimit(sizeLimit) {
  try {
    Open();
  } catch (...) {
    if (FHandle != -1) FFileSystem.Close(FHandle);
    throw;
  }
}

TFileByteSource::~TFileByteSource() {
  if (FHandle != -1) FFileSystem.Close(FHandle);
}

// What is opened is checked on the handle itself: the name may have been given to another
// file since it was last looked at.
void TFileByteSource::Open() {
  FBytesRead = 0;
  TFileInfo info;
  if (int err = FFileSystem.OpenRead(FFileName, FHandle)) {
    FHandle = -1;
    // A socket cannot be opened at all: say what it is rather than why the open failed.
    if (FFileSystem.Stat(FFileName, info) == 0 && !info.IsRegular)
      throw EFileError::NotRegularFile(FFileName, info.Kind);
    throw EFileError::FromSystem("Impossible d'ouvrir le fichier", FFileName, err);
  }
  if (int err = FFileSystem.FileStat(FHandle, info))
    throw EFileError::FromSystem("Impossible de lire le fichier", FFileName, err);
  if (!info.IsRegular) throw EFileError::NotRegularFile(FFileName, info.Kind);
  if (info.Size > FSizeLimit) throw EEditorError(EditorErrorMessage(ErrTextTooLarge), 0);
}

void TFileByteSource::Rewind() {
  FFileSystem.Close(FHandle);
  FHandle = -1;
  Open();
}

size_t TFileByteSource::Read(char* buffer, size_t size) {
  // One byte past the limit is asked for, to see whether the file goes on beyond it.
  const uint64_t allowed = FSizeLimit - std::min(FBytesRead, FSizeLimit);
  if (allowed < UINT64_MAX) size = static_cast<size_t>(std::min<uint64_t>(size, allowed + 1));
  size_t done = 0;
  int err = FFileSystem.Read(FHandle, buffer, size, done);
  if (err != 0) throw EFileError::FromSystem("Impossible de lire le fichier", FFileName, err);
  FBytesRead += done;
  if (FBytesRead > FSizeLimit) throw EEditorError(EditorErrorMessage(ErrTextTooLarge), 0);
  return done;
}

// One reading of the source from its first byte.
//
// One buffer holds the unfinished line followed by the text read after it, and behind that the
// bytes of a UTF-8 character cut off by the end of the last read. Every block is converted in
// place as it is read; lines are delivered straight from the buffer, which grows only while a
// line is longer than the space left.
class TTextFileReader::TPass {
 public:
  // crFound, notUtf8: what an earlier pass found out about the whole file.
  TPass(TTextFileReader& reader, TByteSource& source, const TLineSink& sink, bool crFound, bool notUtf8)
      : FReader(reader),
        FSource(source),
        FSink(sink),
        FReport(reader.FReport),
        FBuffer(2 * reader.FBlockSize + 1),
        FCrSeen(crFound),
        FDecoding(!notUtf8) {}

  // Returns 0 or the sink's code; false in `done` when the file must be read again, with
  // the reason in CrFound() or NotUtf8().
  uint16_t Run(bool& done);
  bool CrFound() const { return FCrSeen; }
  bool NotUtf8() const { return FRestartNotUtf8; }

 private:
  bool ReadBlock();
  bool Decode(size_t raw, bool mayHoldHigh);
  uint16_t SplitCrLf();
  uint16_t SplitLf();
  uint16_t Deliver(size_t start, size_t length);
  void Finish();

  TTextFileReader& FReader;
  TByteSource& FSource;
  const TLineSink& FSink;
  TLoadReport& FReport;
  std::vector<char> FBuffer;
  size_t FStart = 0;      // first byte of the unfinished line
  size_t FEnd = 0;        // end of the text read
  size_t FScan = 0;       // where the search for the next line end resumes
  size_t FPending = 0;    // bytes not yet converted, behind FEnd
  bool FTextEnd = false;  // end of input or Ctrl-Z: no more text
  bool FAtFileStart = true;
  bool FCrSeen;
  bool FDecoding;      // the file may still be UTF-8
  bool FUtf8 = false;  // characters were converted (or a byte-order mark dropped)
  bool FBom = false;
  bool FRestartNotUtf8 = false;
  uint64_t FLfLineEnds = 0;  // lines ended by an LF while no CR was seen
  uint64_t FLineFeeds = 0;
};

uint16_t TTextFileReader::TPass::Run(bool& done) {
  done = false;
  while (true) {
    if (!FTextEnd && !ReadBlock()) return 0;
    if (uint16_t code = FCrSeen ? SplitCrLf() : SplitLf()) {
      done = true;
      return code;
    }
    if (FTextEnd) {
      if (FStart < FEnd) {
        if (uint16_t code = Deliver(FStart, FEnd - FStart)) {
          done = true;
          return code;
        }
      }
      break;
    }
  }
  Finish();
  if (FReport.EndedByCtrlZ) {
    // Count what the Ctrl-Z hides, so that the caller can say how much a save would drop.
    while (size_t n = FSource.Read(FBuffer.data(), FBuffer.size())) FReport.BytesAfterCtrlZ += n;
  }
  done = true;
  return 0;
}

// Reads the next block behind the text; false when the file must be read again.
bool TTextFileReader::TPass::ReadBlock() {
  const size_t blockSize = FReader.FBlockSize;
  if (FStart > 0) {
    std::memmove(FBuffer.data(), FBuffer.data() + FStart, FEnd + FPending - FStart);
    FEnd -= FStart;
    FScan -= FStart;
    FStart = 0;
  }
  // Keep one spare byte behind the data for the terminating NUL of the last line.
  if (FBuffer.size() - FEnd - FPending < blockSize + 1)
    FBuffer.resize(std::max(FBuffer.size() * 2, FEnd + FPending + blockSize + 1));
  char* p = FBuffer.data() + FEnd + FPending;
  size_t n = FSource.Read(p, blockSize);
  TByteCounts counts;
  if (n == 0) {
    FTextEnd = true;
  } else {
    if (const void* z = std::memchr(p, kCtrlZ, n)) {
      size_t kept = static_cast<size_t>(static_cast<const char*>(z) - p);
      FReport.EndedByCtrlZ = true;
      FReport.BytesAfterCtrlZ = n - kept - 1;
      n = kept;
      FTextEnd = true;
    }
    FReport.NulCount += ReplaceNuls(p, n);
    counts = CountBytes(p, n);
    FReport.ControlCodeCount += counts.ControlCodes;
    FLineFeeds += counts.LineFeeds;
  }

  const size_t textStart = FEnd;
  const size_t raw = FPending + n;
  const bool mayHoldHigh = counts.High || FPending > 0;
  FPending = 0;
  if (FDecoding) {
    if (!Decode(raw, mayHoldHigh)) return false;
  } else {
    FEnd += raw;
  }
  // The first CR makes the file a CR LF file: lines already ended by an LF were read wrongly.
  if (!FCrSeen && FEnd > textStart && std::memchr(FBuffer.data() + textStart, kCR, FEnd - textStart)) {
    FCrSeen = true;
    if (FLfLineEnds > 0) return false;
  }
  return true;
}

// Converts the raw bytes at FEnd; false when the file must be read again as Windows-1252.
bool TTextFileReader::TPass::Decode(size_t raw, bool mayHoldHigh) {
  char* r = FBuffer.data() + FEnd;
  if (FAtFileStart) {
    if (raw < kBomSize && !FTextEnd && std::memcmp(r, kBom, raw) == 0) {
      FPending = raw;  // may still become a byte-order mark
      return true;
    }
    FAtFileStart = false;
    if (raw >= kBomSize && std::memcmp(r, kBom, kBomSize) == 0) {
      FBom = FUtf8 = true;
      raw -= kBomSize;
      std::memmove(r, r + kBomSize, raw);
    }
  }
  if (!mayHoldHigh) {  // ASCII
    FEnd += raw;
    return true;
  }
  const TUtf8Decoded decoded = Utf8ToCp1252(r, raw);
  FReport.UnmappableCount += decoded.Unmappable;
  if (decoded.MultiByte > 0) FUtf8 = true;
  if (decoded.Invalid || (FTextEnd && decoded.Consumed < raw)) {
    if (FUtf8) {
      FRestartNotUtf8 = true;
      return false;
    }
    // Nothing was converted, so the bytes are still as read.
    FDecoding = false;
    FEnd += raw;
    return true;
  }
  FEnd += decoded.Written;
  FPending = raw - decoded.Consumed;
  if (FPending > 0) std::memmove(FBuffer.data() + FEnd, r + decoded.Consumed, FPending);
  return true;
}

uint16_t TTextFileReader::TPass::SplitCrLf() {
  char* data = FBuffer.data();
  for (;;) {
    const void* found = std::memchr(data + FScan, kCR, FEnd - FScan);
    if (found == nullptr) {
      FScan = FEnd;
      return 0;
    }
    size_t cr = static_cast<size_t>(static_cast<const char*>(found) - data);
    size_t next = cr + 1;
    if (next == FEnd && !FTextEnd) {  // an LF may follow in the next block
      FScan = cr;
      return 0;
    }
    if (next < FEnd && data[next] == kLF) {
      ++next;
      ++FReport.CrLfCount;
    } else {
      ++FReport.LoneCrCount;
    }
    if (uint16_t code = Deliver(FStart, cr - FStart)) return code;
    FStart = FScan = next;
  }
}

uint16_t TTextFileReader::TPass::SplitLf() {
  char* data = FBuffer.data();
  for (;;) {
    const void* found = std::memchr(data + FScan, kLF, FEnd - FScan);
    if (found == nullptr) {
      FScan = FEnd;
      return 0;
    }
    size_t lf = static_cast<size_t>(static_cast<const char*>(found) - data);
    ++FLfLineEnds;
    if (uint16_t code = Deliver(FStart, lf - FStart)) return code;
    FStart = FScan = lf + 1;
  }
}

uint16_t TTextFileReader::TPass::Deliver(size_t start, size_t length) {
  char* text = FBuffer.data() + start;
  text[length] = '\0';  // the line end, the Ctrl-Z or the spare byte behind the data
  ++FReport.LineCount;
  if (length > FReader.FParaLengthLimit) ++FReport.LongLineCount;
  FReport.LongestLine = std::max<uint64_t>(FReport.LongestLine, length);
  return FSink(text, length);
}

// The format found, and the line ends of a CR LF file by kind.
void TTextFileReader::TPass::Finish() {
  const TTextFormat& platform = FReader.FPlatformFormat;
  TTextFormat& format = FReport.Format;
  if (FCrSeen) {
    format.LineEnd = TLineEnd::leCrLf;
    FReport.LoneLfCount = FLineFeeds - FReport.CrLfCount;
  } else {
    format.LineEnd = FLfLineEnds > 0 ? TLineEnd::leLf : platform.LineEnd;
  }
  if (FUtf8) {
    format.Encoding = TEncoding::enUtf8;
    format.ByteOrderMark = FBom ? TByteOrderMark::bomPresent : TByteOrderMark::bomNone;
  } else if (FDecoding) {  // ASCII only
    format.Encoding = platform.Encoding;
    format.ByteOrderMark = TByteOrderMark::bomNone;
  } else {
    format.Encoding = TEncoding::enWindows1252;
    format.ByteOrderMark = TByteOrderMark::bomNone;
  }
}

TTextFileReader::TTextFileReader(TFileSystem& fileSystem) : FFileSystem(fileSystem) {}

uint16_t TTextFileReader::Load(const std::string& fileName, const TLineSink& sink,
                               const TRestartSink& restart) {
  FReport = {};
  TFileByteSource source(FFileSystem, fileName, FSizeLimit);
  return LoadFrom(source, sink, restart);
}

uint16_t TTextFileReader::LoadBuffer(const char* data, size_t size, const TLineSink& sink,
                                     const TRestartSink& restart) {
  TMemoryByteSource source(data, size);
  return LoadFrom(source, sink, restart);
}

// At most two more passes: each one settles one of the two decisions for good.
uint16_t TTextFileReader::LoadFrom(TByteSource& source, const TLineSink& sink, const TRestartSink& restart) {
  bool crFound = false;
  bool notUtf8 = false;
  while (true) {
    FReport = {};
    TPass pass(*this, source, sink, crFound, notUtf8);
    bool done = false;
    const uint16_t code = pass.Run(done);
    if (done) return code;
    crFound = crFound || pass.CrFound();
    notUtf8 = notUtf8 || pass.NotUtf8();
    source.Rewind();
    restart();
  }
}

}  // namespace quilmo
