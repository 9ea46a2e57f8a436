#pragma once
// An undo group of a paragraph list held open for the lifetime of the object, so that every
// record written meanwhile is undone and redone as one step. Groups nest: an inner one adds
// its records to the outer one.

#include "engine/ParaList.h"

namespace quilmo {

class TUndoGroup {
 public:
  explicit TUndoGroup(TParaList& list) : FList(list), FWasInGroup(list.BeginGroup()) {}
  ~TUndoGroup() { FList.EndGroup(FWasInGroup); }
  TUndoGroup(const TUndoGroup&) = delete;
  TUndoGroup& operator=(const TUndoGroup&) = delete;

 private:
  TParaList& FList;
  bool FWasInGroup;
};

}  // namespace quilmo
