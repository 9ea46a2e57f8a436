#pragma once
// Turns paragraphs into the bytes of a text format and writes them to an open file.
//
// Every paragraph is followed by the format's line end (CR LF or LF), except an empty last
// paragraph; characters with codes 1 to 8 are written as a blank. In a UTF-8 file every byte
// from 128 up becomes the UTF-8 sequence of its Windows-1252 character, behind a byte-order
// mark when the format has one.
//
// Short paragraphs are copied into a block of bytes, which is changed there in long runs; a
// long paragraph that needs no change is written straight from its own storage, in the same
// gathered write as the block around it. Copying a short paragraph costs less than one more
// slice of a gathered write.
//
// A text larger than one block is written by a second thread: while it changes and writes one
// block, the calling thread gathers the next one into a second block, so that walking the
// paragraphs and the system's copying of the bytes overlap. The writes, their order and the
// result are those of writing every block in turn on the calling thread. Along the way the
// system is asked to start putting what was written on the disk.

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
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
  // Up to `count` next paragraphs into `paras`, on the same terms as Next; how many were given,
  // 0 after the last. The default asks Next for each; a source walking linked storage gives
  // them in one tight loop.
  virtual size_t NextBatch(TByteSlice* paras, size_t count);
};

class TTextFileOutput {
 public:
  static constexpr size_t BufferSize = 256 * 1024;
  // Paragraphs at least this long are written from their own storage when they need no change.
  static constexpr size_t DirectLength = 4096;

  TTextFileOutput(TFileSystem& fileSystem, TFileHandle handle, const TTextFormat& format);
  ~TTextFileOutput();
  TTextFileOutput(const TTextFileOutput&) = delete;
  TTextFileOutput& operator=(const TTextFileOutput&) = delete;

  // Writes every paragraph of the source; 0 or the errno of the failed write. `written` is the
  // number of bytes written (also after a failure).
  int Write(TParagraphSource& source, uint64_t& written);

 private:
  // A piece of the next gathered write: a run of the block's bytes, or a paragraph's own storage.
  struct TPiece {
    const char* Direct;  // null: the block's bytes from Start
    size_t Start;
    size_t Size;
  };
  // What one gathered write takes.
  struct TBlock {
    std::vector<char> Bytes;  // BufferSize, allocated when first used
    size_t Used = 0;
    size_t RunStart = 0;
    std::vector<TPiece> Pieces;
  };
  enum class TFlush { flMore, flLast };

  // Copies paragraphs from paras[i] on while they are short and fit; returns the index of the
  // first one left.
  size_t CopyShort(const TByteSlice* paras, size_t i, size_t count, bool& pendingEmpty);
  int Copy(const char* text, size_t length);
  int Direct(const char* text, size_t length);
  int LineEnd();
  // Whether the text must be changed on its way to the file.
  bool NeedsChange(const char* text, size_t length) const;
  // Ends the block's current run as a piece.
  static void CloseRun(TBlock& block);
  // Sends the block being gathered to the file (on the writing thread when one runs) and
  // gathers into an empty block from then on.
  int Flush(TFlush kind);
  bool StartWriter();
  // Waits until the writing thread has written what it was given and stops it; the first
  // failure, `err` first.
  int StopWriter(int err);
  void WriterLoop();

  // The writing side: changes the block's bytes as the format wants and writes all of it.
  int WriteBlock(TBlock& block);
  int WriteSlices(TByteSlice* slices, size_t count);

  TFileSystem& FFileSystem;
  TFileHandle FHandle;
  bool FUtf8;
  bool FCrLf;
  std::array<TBlock, 2> FBlocks;
  TBlock* FFill;  // the block being gathered

  // Touched only by the side that writes (the calling thread until a writing thread starts).
  bool FMarkPending;
  std::vector<char> FEncoded;  // a block converted to UTF-8
  std::vector<TByteSlice> FSlices;
  uint64_t FWritten = 0;
  uint64_t FWritebackFrom = 0;  // FWritten when the system was last asked to start writing

  // The hand-over between the two threads.
  std::thread FWriter;
  std::mutex FMutex;
  std::condition_variable FChanged;
  TBlock* FHanded = nullptr;  // given to the writing thread, not yet taken
  bool FWriting = false;      // the writing thread is busy with a block
  bool FStop = false;
  int FError = 0;  // the writing thread's first failure
};

}  // namespace quilmo
