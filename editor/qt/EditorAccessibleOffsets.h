#pragma once
// Character offsets of paragraph starts over a paragraph list, where each paragraph counts its
// length + 1 for its break: what the accessible text needs to turn offsets into (paragraph,
// position) and back on a document of millions of paragraphs.

#include <cstdint>
#include <vector>

namespace quilmo {

class TParaList;
class TParaNode;

// A Fenwick tree of paragraph lengths, updated in place by character edits, plus one anchor:
// a paragraph whose start is known. Adding or removing paragraphs leaves the tree to be
// rebuilt (linear) but keeps the anchor, so that the next edits and lookups near it, as a
// multi-line paste or a deletion of many paragraphs make them, walk from it instead.
class TParaOffsetIndex {
 public:
  // Forgets everything; the next lookup rebuilds from the list.
  void Reset();
  // Paragraph `para` (1-based) grew (delta > 0) or shrank by `delta` characters.
  void CharsChanged(std::int32_t para, std::int32_t delta);
  // Paragraphs were added, removed or joined at `para`: the starts of paragraphs 1 to `para`
  // are unchanged, those behind it unknown.
  void Restructured(std::int32_t para);
  // Offset of the first character of paragraph `para`.
  std::int64_t ParaStart(TParaList& list, std::int32_t para);
  // The paragraph holding `offset` (its break included; the last one for any offset behind
  // the text) and the offset of its start.
  std::int32_t ParaAt(TParaList& list, std::int64_t offset, std::int64_t& paraStart);

  // The node of paragraph `para`: kept by the tree (the list itself walks from the paragraph
  // it visited last, a long way on a large text), else from the list.
  TParaNode* Node(TParaList& list, std::int32_t para) const;

  bool TreeValid() const { return FTreeValid; }

 private:
  // Farther from the anchor than this many paragraphs, the tree is rebuilt instead.
  static constexpr std::int32_t kMaxWalk = 64;

  void Rebuild(TParaList& list);
  std::int64_t TreeStart(std::int32_t para) const;
  bool AnchorUsable(TParaList& list, std::int32_t para) const;

  std::vector<std::int64_t> FTree;  // 1-based Fenwick tree of paragraph lengths + 1
  std::vector<TParaNode*> FNodes;   // 1-based, valid with the tree: no paragraph added or removed
  std::int32_t FHighBit = 1;
  bool FTreeValid = false;
  std::int32_t FAnchorPara = 0;  // 0: no anchor
  std::int64_t FAnchorStart = 0;
};

}  // namespace quilmo
