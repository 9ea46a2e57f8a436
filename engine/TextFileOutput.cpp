#include "engine/TextFileOutput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <system_error>

#include "engine/Cp1252Utf8.h"
#include "engine/Simd.h"

namespace quilmo {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr size_t kBomSize = 3;
// Pieces of one gathered write: few enough for any system's limit on slices.
constexpr size_t kMaxPieces = 64;
// Paragraphs asked of the source at a time, and how far ahead of the copy their text is fetched
// into the cache: the texts lie apart from each other in memory.
constexpr size_t kBatch = 128;
constexpr size_t kFetchAhead = 8;
// Every time this much more is written, the system is asked to start writing it to the disk,
// so that the disk works while the rest is gathered and the final sync waits for little.
constexpr uint64_t kWritebackStep = 8 * 1024 * 1024;
// Blanking looks at runs of this size first and rewrites only those holding a code to blank.
constexpr size_t kBlankRun = 4096;

void FetchAhead(const char* text) {
#if defined(__GNUC__)
  __builtin_prefetch(text);
#else
  (void)text;
#endif
}

// Whether any byte is a code from 1 to 8, or has one of the bits of `high`: 16 bytes a step
// where the processor has SSE2, else without branches on plain bytes, which the compiler can
// also turn into steps over many bytes.
bool AnyToChange(const char* data, size_t size, unsigned char high) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(data);
  size_t i = 0;
  unsigned char found = 0;
#if defined(QUILMO_HAVE_SSE2)
  const __m128i one = _mm_set1_epi8(1);
  const __m128i seven = _mm_set1_epi8(7);
  const __m128i highBits = _mm_set1_epi8(static_cast<char>(high));
  __m128i any = _mm_setzero_si128();
  for (; i + 16 <= size; i += 16) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    const __m128i code = _mm_sub_epi8(c, one);  // the codes 1 to 8 become 0 to 7
    any = _mm_or_si128(
        any, _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(code, seven), code), _mm_and_si128(c, highBits)));
  }
  found = _mm_movemask_epi8(any) != 0;
#endif
  for (; i < size; ++i) {
    const unsigned char c = bytes[i];
    found = static_cast<unsigned char>(found | (static_cast<unsigned char>(c - 1u) < 8u) | (c & high));
  }
  return found != 0;
}

// Turns the characters with codes 1 to 8 into blanks. Text rarely holds any, so a run is only
// looked at unless it does.
void BlankControlCodes(char* data, size_t size) {
  for (size_t start = 0; start < size; start += kBlankRun) {
    const size_t n = std::min(kBlankRun, size - start);
    if (!AnyToChange(data + start, n, 0)) continue;
    auto* bytes = reinterpret_cast<unsigned char*>(data + start);
    for (size_t i = 0; i < n; ++i) {
      const unsigned char c = bytes[i];
      bytes[i] = static_cast<unsigned char>(c - 1u) < 8u ? static_cast<unsigned char>(' ') : c;
    }
  }
}

}  // namespace

size_t TParagraphSource::NextBatch(TByteSlice* paras, size_t count) {
  size_t n = 0;
  while (n < count && Next(paras[n].Data, paras[n].Size)) ++n;
  return n;
}

TTextFileOutput::TTextFileOutput(TFileSystem& fileSystem, TFileHandle handle, const TTextFormat& format)
    : FFileSystem(fileSystem),
      FHandle(handle),
      FUtf8(format.Encoding == TEncoding::enUtf8),
      FCrLf(format.LineEnd == TLineEnd::leCrLf),
      FFill(&FBlocks[0]),
      FMarkPending(FUtf8 && format.ByteOrderMark == TByteOrderMark::bomPresent),
      FEncoded(FUtf8 ? BufferSize * kMaxUtf8PerByte : 0) {
  FFill->Bytes.resize(BufferSize);
  FFill->Pieces.reserve(kMaxPieces);
  FSlices.reserve(kMaxPieces + 1);
}

TTextFileOutput::~TTextFileOutput() {
  // Only when Write was left by an exception of the source.
  (void)StopWriter(0);
}

int TTextFileOutput::Write(TParagraphSource& source, uint64_t& written) {
  std::array<TByteSlice, kBatch> batch;
  bool pendingEmpty = false;  // an empty paragraph gets its line end only if one follows
  int err = 0;
  size_t count = 0;
  while (err == 0 && (count = source.NextBatch(batch.data(), batch.size())) > 0) {
    for (size_t i = 0; i < std::min(kFetchAhead, count); ++i) FetchAhead(batch[i].Data);
    size_t i = 0;
    while (i < count) {
      i = CopyShort(batch.data(), i, count, pendingEmpty);
      if (i == count) break;
      const char* text = batch[i].Data;
      const size_t length = batch[i].Size;
      ++i;
      if (pendingEmpty && (err = LineEnd()) != 0) break;
      pendingEmpty = length == 0;
      if (pendingEmpty) continue;
      if (length >= DirectLength && !NeedsChange(text, length))
        err = Direct(text, length);
      else
        err = Copy(text, length);
      if (err == 0) err = LineEnd();
      if (err != 0) break;
    }
  }
  if (err == 0) err = Flush(TFlush::flLast);
  err = StopWriter(err);
  written = FWritten;
  return err;
}

// Most paragraphs are short and fit in the block with their line end (and the one an empty
// paragraph before them still needs): copied here in a tight loop, up to the first that is
// empty, long or finds no room.
size_t TTextFileOutput::CopyShort(const TByteSlice* paras, size_t i, size_t count, bool& pendingEmpty) {
  TBlock& block = *FFill;
  char* const start = block.Bytes.data();
  char* const end = start + BufferSize;
  char* p = start + block.Used;
  const bool crLf = FCrLf;
  bool pending = pendingEmpty;  // kept in a register: the copies could write over the flag
  for (; i < count; ++i) {
    const size_t length = paras[i].Size;
    if (length == 0 || length >= DirectLength || length + 4 > static_cast<size_t>(end - p)) break;
    if (i + kFetchAhead < count) FetchAhead(paras[i + kFetchAhead].Data);
    if (pending) {
      if (crLf) *p++ = '\r';
      *p++ = '\n';
      pending = false;
    }
    std::memcpy(p, paras[i].Data, length);
    p += length;
    if (crLf) *p++ = '\r';
    *p++ = '\n';
  }
  block.Used = static_cast<size_t>(p - start);
  pendingEmpty = pending;
  return i;
}

bool TTextFileOutput::NeedsChange(const char* text, size_t length) const {
  return AnyToChange(text, length, FUtf8 ? 0x80 : 0);
}

int TTextFileOutput::Copy(const char* text, size_t length) {
  while (length > 0) {
    if (FFill->Used == BufferSize) {
      if (int err = Flush(TFlush::flMore)) return err;
    }
    TBlock& block = *FFill;
    const size_t n = std::min(length, BufferSize - block.Used);
    std::memcpy(block.Bytes.data() + block.Used, text, n);
    block.Used += n;
    text += n;
    length -= n;
  }
  return 0;
}

int TTextFileOutput::Direct(const char* text, size_t length) {
  CloseRun(*FFill);
  FFill->Pieces.push_back({text, 0, length});
  // Room for the run that follows.
  return FFill->Pieces.size() + 1 >= kMaxPieces ? Flush(TFlush::flMore) : 0;
}

int TTextFileOutput::LineEnd() {
  if (BufferSize - FFill->Used < 2) {
    if (int err = Flush(TFlush::flMore)) return err;
  }
  TBlock& block = *FFill;
  char* p = block.Bytes.data() + block.Used;
  if (FCrLf) *p++ = '\r';
  *p++ = '\n';
  block.Used = static_cast<size_t>(p - block.Bytes.data());
  return 0;
}

void TTextFileOutput::CloseRun(TBlock& block) {
  if (block.Used > block.RunStart)
    block.Pieces.push_back({nullptr, block.RunStart, block.Used - block.RunStart});
  block.RunStart = block.Used;
}

int TTextFileOutput::Flush(TFlush kind) {
  CloseRun(*FFill);
  if (!FWriter.joinable() && (kind == TFlush::flLast || !StartWriter())) {
    const int err = WriteBlock(*FFill);
    FFill->Pieces.clear();
    FFill->Used = FFill->RunStart = 0;
    return err;
  }
  std::unique_lock lock(FMutex);
  // Once the writing thread is idle, the other block is written and free again.
  FChanged.wait(lock, [this] { return FHanded == nullptr && !FWriting; });
  if (FError != 0) return FError;
  FHanded = FFill;
  FChanged.notify_all();
  FFill = FFill == &FBlocks[0] ? &FBlocks[1] : &FBlocks[0];
  FFill->Pieces.clear();
  FFill->Used = FFill->RunStart = 0;
  return 0;
}

// Without a second block or thread the text is simply written by the calling thread.
bool TTextFileOutput::StartWriter() {
  try {
    TBlock& other = FBlocks[1];
    other.Bytes.resize(BufferSize);
    other.Pieces.reserve(kMaxPieces);
    FWriter = std::thread([this] { WriterLoop(); });
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::system_error&) {
    return false;
  }
}

int TTextFileOutput::StopWriter(int err) {
  if (!FWriter.joinable()) return err;
  {
    std::unique_lock lock(FMutex);
    FChanged.wait(lock, [this] { return FHanded == nullptr && !FWriting; });
    FStop = true;
    if (err == 0) err = FError;
  }
  FChanged.notify_all();
  FWriter.join();
  return err;
}

void TTextFileOutput::WriterLoop() {
  std::unique_lock lock(FMutex);
  for (;;) {
    FChanged.wait(lock, [this] { return FHanded != nullptr || FStop; });
    if (FHanded == nullptr) return;
    TBlock& block = *FHanded;
    FHanded = nullptr;
    FWriting = true;
    lock.unlock();
    const int err = WriteBlock(block);
    lock.lock();
    FWriting = false;
    if (FError == 0) FError = err;
    FChanged.notify_all();
  }
}

// The block is changed in one long loop (CR and LF are not among the codes blanked), for a
// UTF-8 file run by run while converting, behind the byte-order mark the first time.
int TTextFileOutput::WriteBlock(TBlock& block) {
  FSlices.clear();
  if (FMarkPending) {
    FSlices.push_back({kBom, kBomSize});
    FMarkPending = false;
  }
  if (!FUtf8) BlankControlCodes(block.Bytes.data(), block.Used);
  char* encoded = FEncoded.data();
  for (const TPiece& piece : block.Pieces) {
    if (piece.Direct != nullptr) {
      FSlices.push_back({piece.Direct, piece.Size});
    } else if (FUtf8) {
      const size_t size =
          Cp1252ToUtf8(block.Bytes.data() + piece.Start, piece.Size, encoded, TControlCodes::ctBlank);
      FSlices.push_back({encoded, size});
      encoded += size;
    } else {
      FSlices.push_back({block.Bytes.data() + piece.Start, piece.Size});
    }
  }
  const int err = WriteSlices(FSlices.data(), FSlices.size());
  if (err == 0 && FWritten - FWritebackFrom >= kWritebackStep) {
    FFileSystem.StartWriteback(FHandle);
    FWritebackFrom = FWritten;
  }
  return err;
}

// Until every byte is written: after a partial write the rest goes in the next call.
int TTextFileOutput::WriteSlices(TByteSlice* slices, size_t count) {
  while (count > 0) {
    size_t done = 0;
    if (int err = FFileSystem.WriteGathered(FHandle, slices, count, done)) return err;
    if (done == 0) return EIO;
    FWritten += done;
    while (count > 0 && done >= slices->Size) {
      done -= slices->Size;
      ++slices;
      --count;
    }
    if (count > 0) {
      slices->Data += done;
      slices->Size -= done;
    }
  }
  return 0;
}

}  // namespace quilmo
