#pragma once
// An undo group of a paragraph list held open for the lifetime of the object, so that every
// record written meanwhile is undone and redone as one step. Groups nest: an inner one adds
// its records to the outer one.

#include "engine/ParaList.h"

namespace quilmo {

class TUndoGroup {
 public:
  explicit TUndoGroup(TParaList& list) : list_(list), wasInGroup_(list.BeginGroup()) {}
  ~TUndoGroup() { list_.EndGroup(wasInGroup_); }
  TUndoGroup(const TUndoGroup&) = delete;
  TUndoGroup& operator=(const TUndoGroup&) = delete;

 private:
  TParaList& list_;
  bool wasInGroup_;
};

}  // namespace quilmo
