#pragma once
// What the paragraph list tells the views (editor controls) that show it.

namespace quilmo {

// An editor view of a paragraph list. The list calls these after each edit (while
// `TrackMarkers` is on, after moving the markers), on every view; `sender` is the view
// that made the edit, whose caret the edit itself places.
class TParaListView {
 public:
  virtual ~TParaListView() = default;

  virtual void ParaDeleted(int para, bool isSender) = 0;
  virtual void CharsDeleted(int para, int pos, int count, bool isSender) = 0;
  // Just before the matching ParaDeleted and CharsDeleted, while the text is still there
  // (a view that reports what goes reads it here).
  virtual void ParaDeleting(int /*para*/) {}
  virtual void CharsDeleting(int /*para*/, int /*pos*/, int /*count*/) {}
  // Just before `oldCount` characters of `para` from `pos` on are replaced by others, or
  // before an insertion behind the end (blanks fill the gap), which replaces the empty run at
  // the end (`oldCount` 0). The change in length then follows as CharsDeleting and
  // CharsDeleted or as CharsInserted, where the replaced run ends; the paragraph's new length
  // tells how many characters replaced the run.
  virtual void CharsReplacing(int /*para*/, int /*pos*/, int /*oldCount*/) {}
  // Just before paragraph `para` + 1 is appended to `para` at `pos` (blanks fill any gap
  // behind the end; ParasJoined follows).
  virtual void ParasJoining(int /*para*/, int /*pos*/) {}
  // Paragraph `para` was split at `pos`, the new paragraph indented by `indent` characters
  // (an insertion before `para` is a split at position 1 with no indent).
  virtual void ParaInserted(int para, int pos, int indent, bool isSender) = 0;
  // `count` may be 0: characters of `para` were replaced by as many others, which moves no
  // place but may break the paragraph into other display lines.
  virtual void CharsInserted(int para, int pos, int count, bool isSender) = 0;
  // Paragraph `para` + 1 was appended to `para` at position `pos`.
  virtual void ParasJoined(int para, int pos, bool isSender) = 0;

  // After `RewrapAll`: re-derive caret line, top line and selection from paragraph coordinates.
  virtual void TextRewrapped() = 0;
  // The list's `Modified` flag changed.
  virtual void ModifiedChanged() = 0;
  // Hourglass cursor on (true) and off (false) around long operations.
  virtual void BusyCursor(bool /*on*/) {}
};

}  // namespace quilmo
