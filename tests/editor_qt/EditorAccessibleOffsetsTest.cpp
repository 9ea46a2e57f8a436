// The index of paragraph starts behind the accessible text, kept up to date as a view of a
// paragraph list through every kind of edit: each start and each offset's paragraph must match
// a count over the paragraphs, near the last edit (where the anchor serves) and far from it.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/qt/EditorAccessibleOffsets.h"
#include "engine/ParaList.h"
#include "engine/ParaListView.h"
#include "support/DocBuilder.h"

namespace quilmo::test {
namespace {

// Follows the list as the accessible text does: the index first, then (while events are sent)
// a lookup at the edited paragraph, as building the event does.
class TIndexedView : public TParaListView {
 public:
  explicit TIndexedView(TParaList& list) : List(list) {}
  void ParaDeleted(int para, bool) override { Restructured(para); }
  void CharsDeleted(int para, int, int count, bool) override { Changed(para, -count); }
  void ParaInserted(int para, int, int, bool) override { Restructured(para); }
  void CharsInserted(int para, int, int count, bool) override { Changed(para, count); }
  void ParasJoined(int para, int, bool) override { Restructured(para); }
  void TextRewrapped() override {}
  void ModifiedChanged() override {}

  void Restructured(int para) {
    Index.Restructured(para);
    if (Events) Index.ParaStart(List, para);
  }
  void Changed(int para, int delta) {
    Index.CharsChanged(para, delta);
    if (Events) Index.ParaStart(List, para);
  }

  TParaList& List;
  TParaOffsetIndex Index;
  bool Events = true;
};

std::vector<std::int64_t> CountedStarts(TParaList& list) {
  std::vector<std::int64_t> starts(1, 0);  // starts[p - 1]
  for (std::int32_t p = 1; p < list.ParaCount(); ++p)
    starts.push_back(starts.back() + list.ParaLength(p) + 1);
  return starts;
}

TEST(EditorAccessibleOffsets, StartsFollowEveryKindOfEdit) {
  std::string text;
  for (int p = 0; p < 400; ++p) text += std::string(static_cast<std::size_t>(p % 9), 'a' + p % 26) + '\n';
  using Edit = std::function<void(TParaList&)>;
  struct Case {
    const char* Name;
    std::int32_t Near;  // a paragraph next to the edit
    Edit Apply;
  } cases[] = {
      {"characters typed", 200, [](TParaList& l) { (void)l.InsertText(200, 2, "xyz", 3); }},
      {"characters deleted", 201, [](TParaList& l) { (void)l.DeleteText(201, 1, 3); }},
      {"a split", 150, [](TParaList& l) { (void)l.SplitPara(150, 3, false, 0, 8); }},
      {"a split with indent", 152, [](TParaList& l) { (void)l.SplitPara(152, 2, false, 4, 8); }},
      {"a paragraph in front", 100, [](TParaList& l) { (void)l.InsertParaBefore(100, "new one", 7); }},
      {"a paragraph deleted", 300, [](TParaList& l) { l.DeletePara(300); }},
      {"the last paragraph deleted", 400, [](TParaList& l) { l.DeletePara(l.ParaCount()); }},
      {"two joined", 50, [](TParaList& l) { (void)l.MergeParas(50, l.ParaLength(50) + 1); }},
      {"lines pasted", 250,
       [](TParaList& l) {
         std::int32_t para = 250;
         std::int32_t pos = 2;
         (void)l.InsertMultiLine(para, pos, "one\ntwo\n\nthree\nfour");
       }},
      {"a region deleted", 120, [](TParaList& l) { (void)l.DeleteRegion(120, 2, 140, 3); }},
      {"paragraphs from the start", 1, [](TParaList& l) { (void)l.DeleteRegion(1, 1, 30, 1); }},
  };
  for (const Case& c : cases) {
    for (const int anchor : {0, 5}) {
      for (const bool events : {true, false}) {
        SCOPED_TRACE(c.Name + std::string(events ? ", events" : ", no events") + ", anchor +" +
                     std::to_string(anchor));
        auto list = MakeParaList(text);
        list->SetTrackMarkers(true);
        TIndexedView view(*list);
        view.Events = events;
        list->AddView(&view);
        // Before the edit: a tree, then an anchor at or behind the edit, the tree to be rebuilt.
        view.Index.ParaStart(*list, c.Near + anchor);
        view.Index.Restructured(list->ParaCount());
        c.Apply(*list);
        const std::vector<std::int64_t> starts = CountedStarts(*list);
        const std::int32_t count = list->ParaCount();
        const auto startOf = [&](std::int32_t p) { return starts[static_cast<std::size_t>(p - 1)]; };
        // By offset (its paragraph's break, or the end of the text) or by paragraph.
        const auto check = [&](std::int32_t p, bool byOffset) {
          std::int64_t found = startOf(p);
          const std::int64_t last = startOf(p) + list->ParaLength(p);
          if (byOffset) {
            ASSERT_EQ(view.Index.ParaAt(*list, last, found), p) << "offset " << last;
          }
          ASSERT_EQ(byOffset ? found : view.Index.ParaStart(*list, p), startOf(p)) << "paragraph " << p;
          ASSERT_EQ(view.Index.Node(*list, p), list->GetPara(p)) << "paragraph " << p;
        };
        // Near the edit the anchor serves, one paragraph at a time down and up; then everywhere.
        const std::int32_t low = std::max(1, c.Near - 40);
        for (std::int32_t p = std::min(c.Near, count); p >= low; --p) check(p, p % 2 != 0);
        for (std::int32_t p = low; p <= std::min(count, c.Near + 40); ++p) check(p, p % 2 != 0);
        for (std::int32_t p = 1; p <= count; ++p) check(p, true), check(p, false);
        list->RemoveView(&view);
      }
    }
  }
}

}  // namespace
}  // namespace quilmo::test
