#include "engine/TextFileOutput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/Cp1252Utf8.h"

namespace quilmo {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr size_t kBomSize = 3;
// Pieces of one gathered write: few enough for any system's limit on slices.
constexpr size_t kMaxPieces = 64;

// Turns the characters with codes 1 to 8 into blanks. Written without branches on plain
// bytes so that the compiler can process many bytes per step.
void BlankControlCodes(char* data, size_t size) {
  auto* bytes = reinterpret_cast<unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) {
    const unsigned char c = bytes[i];
    bytes[i] = static_cast<unsigned char>(c - 1u) < 8u ? static_cast<unsigned char>(' ') : c;
  }
}

}  // namespace

TTextFileOutput::TTextFileOutput(TFileSystem& fileSystem, TFileHandle handle, const TTextFormat& format)
    : FFileSystem(fileSystem),
      FHandle(handle),
      FUtf8(format.Encoding == TEncoding::enUtf8),
      FCrLf(format.LineEnd == TLineEnd::leCrLf),
      FMarkPending(FUtf8 && format.ByteOrderMark == TByteOrderMark::bomPresent),
      FBuffer(BufferSize),
      FEncoded(FUtf8 ? BufferSize * kMaxUtf8PerByte : 0) {
  FPieces.reserve(kMaxPieces);
  FSlices.reserve(kMaxPieces + 1);
}

int TTextFileOutput::Write(TParagraphSource& source, uint64_t& written) {
  const char* text = nullptr;
  size_t length = 0;
  bool pendingEmpty = false;  // an empty paragraph gets its line end only if one follows
  int err = 0;
  while (err == 0 && source.Next(text, length)) {
    if (pendingEmpty) err = LineEnd();
    pendingEmpty = length == 0;
    if (err != 0 || pendingEmpty) continue;
    if (length >= DirectLength && !NeedsChange(text, length))
      err = Direct(text, length);
    else
      err = Copy(text, length);
    if (err == 0) err = LineEnd();
  }
  if (err == 0) err = Flush();
  written = FWritten;
  return err;
}

bool TTextFileOutput::NeedsChange(const char* text, size_t length) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  const unsigned char high = FUtf8 ? 0x80 : 0;
  unsigned char found = 0;
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = bytes[i];
    found = static_cast<unsigned char>(found | (static_cast<unsigned char>(c - 1u) < 8u) | (c & high));
  }
  return found != 0;
}

int TTextFileOutput::Copy(const char* text, size_t length) {
  if (length <= BufferSize - FUsed) {
    std::memcpy(FBuffer.data() + FUsed, text, length);
    FUsed += length;
    return 0;
  }
  while (length > 0) {
    if (FUsed == BufferSize) {
      if (int err = Flush()) return err;
    }
    const size_t n = std::min(length, BufferSize - FUsed);
    std::memcpy(FBuffer.data() + FUsed, text, n);
    FUsed += n;
    text += n;
    length -= n;
  }
  return 0;
}

int TTextFileOutput::Direct(const char* text, size_t length) {
  CloseRun();
  FPieces.push_back({text, 0, length});
  // Room for the run that follows.
  return FPieces.size() + 1 >= kMaxPieces ? Flush() : 0;
}

int TTextFileOutput::LineEnd() {
  if (BufferSize - FUsed < 2) {
    if (int err = Flush()) return err;
  }
  char* p = FBuffer.data() + FUsed;
  if (FCrLf) {
    p[0] = '\r';
    p[1] = '\n';
    FUsed += 2;
  } else {
    p[0] = '\n';
    FUsed += 1;
  }
  return 0;
}

void TTextFileOutput::CloseRun() {
  if (FUsed > FRunStart) FPieces.push_back({nullptr, FRunStart, FUsed - FRunStart});
  FRunStart = FUsed;
}

// The buffer is changed in one long loop (CR and LF are not among the codes blanked), for a
// UTF-8 file run by run while converting, behind the byte-order mark the first time.
int TTextFileOutput::Flush() {
  CloseRun();
  FSlices.clear();
  if (FMarkPending) {
    FSlices.push_back({kBom, kBomSize});
    FMarkPending = false;
  }
  if (!FUtf8) BlankControlCodes(FBuffer.data(), FUsed);
  char* encoded = FEncoded.data();
  for (const TPiece& piece : FPieces) {
    if (piece.Direct != nullptr) {
      FSlices.push_back({piece.Direct, piece.Size});
    } else if (FUtf8) {
      const size_t size =
          Cp1252ToUtf8(FBuffer.data() + piece.Start, piece.Size, encoded, TControlCodes::ctBlank);
      FSlices.push_back({encoded, size});
      encoded += size;
    } else {
      FSlices.push_back({FBuffer.data() + piece.Start, piece.Size});
    }
  }
  FPieces.clear();
  FUsed = FRunStart = 0;
  return WriteSlices(FSlices.data(), FSlices.size());
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
