#include "editor/qt/EditorAccessibleOffsets.h"

#include <algorithm>
#include <cstdlib>

#include "engine/ParaList.h"
#include "engine/ParaNode.h"

namespace quilmo {

void TParaOffsetIndex::Reset() {
  FTreeValid = false;
  FAnchorPara = 0;
}

void TParaOffsetIndex::CharsChanged(std::int32_t para, std::int32_t delta) {
  if (FAnchorPara > para) FAnchorStart += delta;
  if (!FTreeValid) return;
  const auto size = static_cast<std::int32_t>(FTree.size()) - 1;
  for (std::int32_t k = para; k >= 1 && k <= size; k += k & -k) FTree[static_cast<std::size_t>(k)] += delta;
}

void TParaOffsetIndex::Restructured(std::int32_t para) {
  FTreeValid = false;
  if (FAnchorPara > para) FAnchorPara = 0;
}

void TParaOffsetIndex::Rebuild(TParaList& list) {
  const std::int32_t count = list.ParaCount();
  FTree.assign(static_cast<std::size_t>(count) + 1, 0);
  FNodes.assign(static_cast<std::size_t>(count) + 1, nullptr);
  std::int32_t i = 1;
  for (TParaNode* node = list.GetPara(1); node != nullptr && i <= count; node = node->Next(), ++i) {
    FTree[static_cast<std::size_t>(i)] = node->Length() + 1;
    FNodes[static_cast<std::size_t>(i)] = node;
  }
  // Linear construction: each node passes its sum on to its parent.
  for (std::int32_t k = 1; k <= count; ++k) {
    const std::int32_t parent = k + (k & -k);
    if (parent <= count) FTree[static_cast<std::size_t>(parent)] += FTree[static_cast<std::size_t>(k)];
  }
  FHighBit = 1;
  while (FHighBit * 2 <= count) FHighBit *= 2;
  FTreeValid = true;
}

std::int64_t TParaOffsetIndex::TreeStart(std::int32_t para) const {
  std::int64_t sum = 0;
  const auto size = static_cast<std::int32_t>(FTree.size()) - 1;
  for (std::int32_t k = std::min(para - 1, size); k > 0; k -= k & -k)
    sum += FTree[static_cast<std::size_t>(k)];
  return sum;
}

TParaNode* TParaOffsetIndex::Node(TParaList& list, std::int32_t para) const {
  if (FTreeValid && para >= 1 && para < static_cast<std::int32_t>(FNodes.size()))
    return FNodes[static_cast<std::size_t>(para)];
  return list.GetPara(para);
}

bool TParaOffsetIndex::AnchorUsable(TParaList& list, std::int32_t para) const {
  return FAnchorPara >= 1 && FAnchorPara <= list.ParaCount() && std::abs(para - FAnchorPara) <= kMaxWalk;
}

std::int64_t TParaOffsetIndex::ParaStart(TParaList& list, std::int32_t para) {
  para = std::clamp(para, 1, list.ParaCount());
  if (FTreeValid) {
    FAnchorPara = para;
    FAnchorStart = TreeStart(para);
    return FAnchorStart;
  }
  if (!AnchorUsable(list, para)) {
    Rebuild(list);
    return ParaStart(list, para);
  }
  for (; FAnchorPara < para; ++FAnchorPara) FAnchorStart += list.ParaLength(FAnchorPara) + 1;
  for (; FAnchorPara > para; --FAnchorPara) FAnchorStart -= list.ParaLength(FAnchorPara - 1) + 1;
  return FAnchorStart;
}

std::int32_t TParaOffsetIndex::ParaAt(TParaList& list, std::int64_t offset, std::int64_t& paraStart) {
  const std::int32_t count = list.ParaCount();
  if (!FTreeValid && FAnchorPara >= 1 && FAnchorPara <= count) {
    // Walks from the anchor while the paragraph stays near it.
    std::int32_t para = FAnchorPara;
    std::int64_t start = FAnchorStart;
    for (std::int32_t step = 0; step <= kMaxWalk; ++step) {
      if (offset < start && para > 1) {
        --para;
        start -= list.ParaLength(para) + 1;
      } else if (offset >= start + list.ParaLength(para) + 1 && para < count) {
        start += list.ParaLength(para) + 1;
        ++para;
      } else {
        FAnchorPara = para;
        FAnchorStart = paraStart = start;
        return para;
      }
    }
  }
  if (!FTreeValid) Rebuild(list);
  // Descends to the last paragraph whose start is at or before `offset`.
  const auto size = static_cast<std::int32_t>(FTree.size()) - 1;
  std::int32_t k = 0;
  std::int64_t sum = 0;
  for (std::int32_t step = FHighBit; step > 0; step /= 2) {
    const std::int32_t next = k + step;
    if (next <= size && sum + FTree[static_cast<std::size_t>(next)] <= offset) {
      k = next;
      sum += FTree[static_cast<std::size_t>(next)];
    }
  }
  if (k >= size) {  // at or past the end: the last paragraph
    k = size - 1;
    sum = TreeStart(size);
  }
  FAnchorPara = k + 1;
  FAnchorStart = paraStart = sum;
  return k + 1;
}

}  // namespace quilmo
