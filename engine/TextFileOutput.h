#pragma once
// Turns paragraphs into the bytes of a text format and writes them to an open file.
//
// Every paragraph is followed by the format's line end (CR LF or LF), except an empty last
// paragraph; characters with codes 1 to 8 are written as a blank. In a UTF-8 file every byte
// from 128 up becomes the UTF-8 sequence of its Windows-1252 character, behind a byte-order
// mark when the format has one.
//
// Short paragraphs are copied into one buffer, which is changed there in long runs; a long
// paragraph that needs no change is written straight from its own storage, in the same
// gathered write as the buffer around it. Copying a short paragraph costs less than one more
// slice of a gathered write.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/FileSystem.h"
#include "engine/TextFormat.h"

namespace quilmo {

class TParagraphSource {
 public:
  virtual ~TParagraphSource() = default;
  // The next paragraph; false after the last. The text stays valid and unchanged until the
  // output is finished (it may be written after later paragraphs were asked for).
  virtual bool Next(const char*& text, size_t& length) = 0;
};

class TTextFileOutput {
 public:
  static constexpr size_t BufferSize = 256 * 1024;
  // Paragraphs at least this long are written from their own storage when they need no change.
  static constexpr size_t DirectLength = 4096;

  TTextFileOutput(TFileSystem& fileSystem, TFileHandle handle, const TTextFormat& format);

  // Writes every paragraph of the source; 0 or the errno of the failed write. `written` is the
  // number of bytes written (also after a failure).
  int Write(TParagraphSource& source, uint64_t& written);

 private:
  // A piece of the next gathered write: a run of the buffer, or a paragraph's own storage.
  struct TPiece {
    const char* Direct;  // null: the buffer from Start
    size_t Start;
    size_t Size;
  };

  int Copy(const char* text, size_t length);
  int Direct(const char* text, size_t length);
  int LineEnd();
  // Whether the text must be changed on its way to the file.
  bool NeedsChange(const char* text, size_t length) const;
  // Ends the buffer's current run as a piece.
  void CloseRun();
  int Flush();
  int WriteSlices(TByteSlice* slices, size_t count);

  TFileSystem& FFileSystem;
  TFileHandle FHandle;
  bool FUtf8;
  bool FCrLf;
  bool FMarkPending;
  std::vector<char> FBuffer;
  std::vector<char> FEncoded;  // the buffer converted to UTF-8
  size_t FUsed = 0;
  size_t FRunStart = 0;
  std::vector<TPiece> FPieces;
  std::vector<TByteSlice> FSlices;
  uint64_t FWritten = 0;
};

}  // namespace quilmo
