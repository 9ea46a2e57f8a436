// Text exchange with the clipboard: plain 8-bit text, CR LF between paragraphs.

#include <new>
#include <string>

#include "editor/CustomEditor.h"
#include "engine/EditorErrors.h"

namespace quilmo {

namespace {

// The selected text, paragraphs joined by CR LF; codes 1 to 9 (the tab included) become blanks.
std::string SelectedText(TParaList& list, TParaPos start, TParaPos end) {
  std::string out;
  for (std::int32_t p = start.Para; p <= end.Para; ++p) {
    const TParaNode* node = list.GetPara(p);
    const char* text = node ? node->Text() : "";
    const std::int32_t length = node ? node->Length() : 0;
    const std::int32_t from = p == start.Para ? start.Pos : 1;
    const std::int32_t to = p == end.Para ? end.Pos - 1 : length;  // last position taken
    for (std::int32_t i = from; i <= to && i <= length; ++i) {
      const unsigned char c = static_cast<unsigned char>(text[i - 1]);
      out.push_back(c >= 1 && c <= 9 ? ' ' : static_cast<char>(c));
    }
    if (p != end.Para) out.append("\r\n");
  }
  return out;
}

}  // namespace

void TCustomEditor::CopyToClipboard() {
  if (!HasSelection()) return;
  std::string text;
  try {
    text = SelectedText(*FParaList, FPlaces.SelStart(), FPlaces.SelEnd());
  } catch (const std::bad_alloc&) {
    ReportError(ErrOutOfMemory);  // the clipboard is not touched
    return;
  }
  FHost->SetClipboardText(text);
}

void TCustomEditor::CutToClipboard() {
  if (!HasSelection() || ReadOnly()) return;
  CopyToClipboard();
  const std::uint16_t code = DeleteSelection();
  // The view is brought up to date before a failure is reported (which may raise).
  FView.SendVRange();
  ScrollView(0, 0);
  ReportError(code);
}

void TCustomEditor::PasteFromClipboard() {
  if (ReadOnly()) return;
  std::string text;
  std::uint16_t code = 0;
  if (FHost->GetClipboardText(text)) {
    // Plain text ends at its first NUL.
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    code = InsertString(text);
  }
  FView.SendVRange();
  ScrollView(0, 0);
  ReportError(code);
}

}  // namespace quilmo
