#pragma once
// Pieces of the edit fuzz target: its failure check, the input as a stream of bytes, and a
// view that checks what the paragraph list tells it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/ParaList.h"
#include "engine/ParaListView.h"

namespace quilmo::fuzz {

// The step being made, for the failure message.
inline const char* g_op = "start";
inline int g_step = 0;

inline void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "EditFuzz: step %d, %s: %s\n", g_step, g_op, what);
    std::abort();
  }
}

// The input as a stream of bytes; 0 once it is used up.
class TInput {
 public:
  TInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A view that checks the coordinates it is told about against the list at that moment.
class TCheckingView : public TParaListView {
 public:
  explicit TCheckingView(TParaList& list) : list_(list) {}
  bool SeenModified = false;
  int Busy = 0;

  void ParaDeleted(int para, bool) override {
    Check(para >= 1 && para <= list_.ParaCount() + 1, "ParaDeleted para");
  }
  void CharsDeleted(int para, int pos, int count, bool) override {
    Check(para >= 1 && para <= list_.ParaCount() && pos >= 1 && count >= 1, "CharsDeleted coordinates");
    Check(pos - 1 <= list_.ParaLength(para), "CharsDeleted behind the end");
  }
  void ParaInserted(int para, int pos, int indent, bool) override {
    Check(para >= 1 && para <= list_.ParaCount() && pos >= 1 && indent >= 0, "ParaInserted coordinates");
  }
  // A replacement of the same length is told as an insertion of no characters, so that views
  // wrap the paragraph anew.
  void CharsInserted(int para, int pos, int count, bool) override {
    Check(para >= 1 && para <= list_.ParaCount() && pos >= 1 && count >= 0, "CharsInserted coordinates");
    Check(std::int64_t{pos} + count - 1 <= list_.ParaLength(para), "CharsInserted behind the end");
  }
  void ParasJoined(int para, int pos, bool) override {
    Check(para >= 1 && para <= list_.ParaCount() && pos >= 1, "ParasJoined coordinates");
  }
  void TextRewrapped() override {}
  void ModifiedChanged() override {
    Check(list_.Modified() != SeenModified, "ModifiedChanged without a change");
    SeenModified = list_.Modified();
  }
  void BusyCursor(bool on) override {
    Busy += on ? 1 : -1;
    Check(Busy == 0 || Busy == 1, "BusyCursor calls unbalanced");
  }

 private:
  TParaList& list_;
};

}  // namespace quilmo::fuzz
