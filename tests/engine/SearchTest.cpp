#include "engine/Search.h"

#include <gtest/gtest.h>

#include <string>

#include "SearchTestDoc.h"
#include "engine/EditorErrors.h"
#include "engine/ParaListView.h"

namespace quilmo {
namespace {

using test::TSearchDoc;

TEST(Search, ForwardFromTheCaretOnlyFindsTextBehindIt) {
  TSearchDoc doc("cat dog| bird");
  TSearchResult r = doc.Run("cat", 0);
  EXPECT_EQ(r.Value, -1);
  EXPECT_FALSE(r.Found);
  EXPECT_EQ(r.Select, TSearchSelect::ssKeep);

  r = doc.Run("cat", soEntireScope);
  EXPECT_EQ(r.Value, 0);
  EXPECT_TRUE(r.Found);
  EXPECT_EQ(doc.Marked(), "[cat] dog bird");

  // Backward from the caret only sees text before it; the entire scope starts at the end.
  EXPECT_EQ(doc.Run("bird", soBackward).Value, -1);
  EXPECT_EQ(doc.Run("bird", soBackward | soEntireScope).Value, 0);
  EXPECT_EQ(doc.Marked(), "cat dog [|bird]");
}

TEST(Search, AnOccurrenceStartingAtTheCaretIsFound) {
  TSearchDoc doc("a |cat");
  doc.Run("cat", 0);
  EXPECT_EQ(doc.Marked(), "a [cat]");
  TSearchDoc back("a cat|");
  back.Run("cat", soBackward);
  EXPECT_EQ(back.Marked(), "a [|cat]");
  // An occurrence the caret stands inside is not found backward: it must end before the caret.
  TSearchDoc inside("a ca|t");
  EXPECT_EQ(inside.Run("cat", soBackward).Value, -1);
}

TEST(Search, WholeWordSkipsWordsThatContainThePattern) {
  TSearchDoc doc("|concatenate, cat");
  doc.Run("cat", soWholeWord);
  EXPECT_EQ(doc.Marked(), "concatenate, [cat]");
  doc.Run("cat", 0);
  EXPECT_EQ(doc.Marked(), "con[cat]enate, cat");

  TSearchDoc back("concatenate, cat|");
  back.Run("cat", soWholeWord | soBackward);
  EXPECT_EQ(back.Marked(), "concatenate, [|cat]");
  TSearchDoc before("concatenate,| cat");
  EXPECT_EQ(before.Run("cat", soWholeWord | soBackward).Value, -1);

  // At both paragraph ends the paragraph break bounds the word.
  TSearchDoc ends("xcat\ncat\ncatx");
  ends.Run("cat", soWholeWord | soEntireScope);
  EXPECT_EQ(ends.Marked(), "xcat\n[cat]\ncatx");
  ends.Run("cat", soWholeWord | soEntireScope | soBackward);
  EXPECT_EQ(ends.Marked(), "xcat\n[|cat]\ncatx");
  // Digits and the underscore are word characters; delimiters such as '(' are not.
  TSearchDoc marks("|cat_ 1cat (cat)");
  marks.Run("cat", soWholeWord);
  EXPECT_EQ(marks.Marked(), "cat_ 1cat ([cat])");
}

TEST(Search, WholeWordBackwardFindsAnOccurrenceOverlappingARejectedOne) {
  // "a,a" occurs at 1 and at 3; the one at 3 touches 'b', the one at 1 is a whole word.
  TSearchDoc forward("|a,a,ab");
  forward.Run("a,a", soWholeWord);
  EXPECT_EQ(forward.Marked(), "[a,a],ab");
  TSearchDoc backward("a,a,ab|");
  backward.Run("a,a", soWholeWord | soBackward);
  EXPECT_EQ(backward.Marked(), "[|a,a],ab");
}

TEST(Search, BackwardFromPositionOneContinuesInThePreviousParagraph) {
  TSearchDoc doc("cat one cat\n|cat");
  doc.Run("cat", soBackward);
  EXPECT_EQ(doc.Marked(), "cat one [|cat]\ncat");
  // Paragraphs shorter than the pattern are passed over.
  TSearchDoc gaps("cat\n\nca\n|x");
  gaps.Run("cat", soBackward);
  EXPECT_EQ(gaps.Marked(), "[|cat]\n\nca\nx");
  // Forward, a caret beyond the paragraph's end goes on with the next paragraph.
  TSearchDoc forward("cat\ncat");
  TSearchRequest r = forward.Request("cat", 0);
  r.Caret = {1, 9};
  TSearchResult result = FindOrReplaceAll(forward.list, r);
  EXPECT_EQ(result.Start, (TSearchPoint{2, 1}));
}

TEST(Search, AnOccurrenceNeverSpansAParagraphBreak) {
  for (std::uint8_t options : {std::uint8_t{soEntireScope}, std::uint8_t{soEntireScope | soBackward}}) {
    TSearchDoc doc("xca\ntz\nc\nat");
    EXPECT_EQ(doc.Run("cat", options).Value, -1) << int(options);
    EXPECT_EQ(doc.Run("ca\nt", options).Value, -1) << int(options);
  }
}

TEST(Search, SelectedOnlyScopeForwardAndBackward) {
  TSearchDoc doc("cat [cat cat] cat");
  doc.Run("cat", soSelectedOnly);
  EXPECT_EQ(doc.Marked(), "cat [cat] cat cat");
  doc.Run("cat", soSelectedOnly | soBackward);
  EXPECT_EQ(doc.Marked(), "cat cat [|cat] cat");

  // Occurrences reaching out of the selection on either side do not count.
  TSearchDoc partial("ca[t ca]t");
  EXPECT_EQ(partial.Run("cat", soSelectedOnly).Value, -1);
  EXPECT_EQ(partial.Run("cat", soSelectedOnly | soBackward).Value, -1);

  // A selection over several paragraphs: the limits apply in its first and last paragraphs.
  TSearchDoc multi("cat c[at\nxx\ncat c]at");
  multi.Run("cat", soSelectedOnly);
  EXPECT_EQ(multi.Marked(), "cat cat\nxx\n[cat] cat");
  multi.Run("cat", soSelectedOnly | soBackward);
  EXPECT_EQ(multi.Marked(), "cat cat\nxx\n[|cat] cat");

  // Without a selection the scope is empty.
  TSearchDoc none("cat |cat");
  EXPECT_EQ(none.Run("cat", soSelectedOnly).Value, -1);
}

TEST(Search, CaseInsensitiveAccentedLetters) {
  TSearchDoc doc(
      "|L'\xC9T\xC9 \x8C"
      "UVRE \x9F"
      "ES");                // L'ÉTÉ ŒUVRE ŸES
  doc.Run("\xE9t\xE9", 0);  // été
  EXPECT_EQ(doc.Marked(),
            "L'[\xC9T\xC9] \x8CUVRE \x9F"
            "ES");
  doc.Run("\x9Cuvre", soEntireScope);  // œuvre
  EXPECT_EQ(doc.Marked(),
            "L'\xC9T\xC9 [\x8CUVRE] \x9F"
            "ES");
  doc.Run(
      "\xFF"
      "es",
      soEntireScope | soBackward);  // ÿes
  EXPECT_EQ(doc.Marked(),
            "L'\xC9T\xC9 \x8CUVRE [|\x9F"
            "ES]");
  EXPECT_EQ(doc.Run("\xE9t\xE9", soEntireScope | soMatchCase).Value, -1);
}

TEST(Search, EmptyPatternAndMissingReplacementDoNothing) {
  TSearchDoc doc("|abc");
  TSearchResult r = doc.Run("", 0);
  EXPECT_EQ(r.Value, 0);
  EXPECT_EQ(r.Select, TSearchSelect::ssKeep);
  r = doc.Run("b", soReplaceAll);  // no replacement given
  EXPECT_EQ(r.Value, 0);
  EXPECT_EQ(doc.Text(), "abc");
}

TEST(Search, PatternAndReplacementAreCutTo255Characters) {
  const std::string pattern = std::string(255, 'p') + "q";
  TSearchDoc doc(std::string(255, 'p') + "x");
  doc.Run(pattern, soEntireScope);
  EXPECT_EQ(doc.Marked(), "[" + std::string(255, 'p') + "]x");
  doc.Run(pattern, soEntireScope | soReplaceAll, std::string(255, 'r') + "s");
  EXPECT_EQ(doc.Text(), std::string(255, 'r') + "x");
}

// Records the busy-cursor calls and the edits it is told about.
class TRecordingView : public TParaListView {
 public:
  void ParaDeleted(int, bool) override {}
  void CharsDeleted(int, int, int, bool) override { log += "d"; }
  void ParaInserted(int, int, int, bool) override {}
  void CharsInserted(int, int, int, bool) override { log += "i"; }
  void ParasJoined(int, int, bool) override {}
  void TextRewrapped() override {}
  void ModifiedChanged() override {}
  void BusyCursor(bool on) override { log += on ? "[" : "]"; }
  std::string log;
};

TEST(Search, TheFirstViewShowsTheBusyCursorDuringTheScan) {
  TSearchDoc doc("|cat\ncat");
  TRecordingView first, second;
  doc.list.AddView(&first);
  doc.list.AddView(&second);
  doc.Run("cat", 0);
  EXPECT_EQ(first.log, "[]");
  doc.Run("", 0);  // nothing to scan
  EXPECT_EQ(first.log, "[]");
  // A failing replacement still restores the cursor.
  doc.list.SetParaLengthLimit(3);
  EXPECT_EQ(doc.Run("cat", soReplaceAll, "cats").Value, ErrParaTooLong);
  EXPECT_EQ(first.log, "[][]");
  EXPECT_EQ(second.log.find('['), std::string::npos);
  doc.list.RemoveView(&second);
  doc.list.RemoveView(&first);
}

}  // namespace
}  // namespace quilmo
