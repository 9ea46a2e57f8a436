// The control as a component: construction, window and focus, properties and their side
// effects, the views sharing one text, notifications and error reporting.

#include "editor/CustomEditor.h"

#include <algorithm>
#include <utility>

#include "editor/Controller.h"
#include "editor/EditorPainter.h"
#include "engine/EditorErrors.h"

namespace quilmo {

namespace {

// The width the line numbers of the window need, in the editor's font as the host measures it.
std::int32_t LineNumbersWidth(TEditorHost& host, const TFontDesc& font, std::int32_t topLine,
                              std::int32_t visibleLines) {
  return ComputeLineNumberWidth([&](std::string_view text) { return host.TextWidth(font, text); }, topLine,
                                visibleLines);
}

}  // namespace

TCustomEditor::TCustomEditor()
    : FHost(&NullEditorHost()),
      FParaList(std::make_shared<TParaList>(false, 8192)),
      FCarets(&NullEditorHost()) {
  FParaList->AddView(this);
  FFixedFont.SetColor(clWindowText);
  FFixedFont.OnChange = [this](TFixedFont&) { FontChanged(); };
  FHighlightColors.OnChange = [this](TColors&) { InvalidateAll(); };
  FMarginOptions.OnChange = [this](TEditorMargins&, bool layoutChanged) { MarginsChanged(layoutChanged); };
  FBorders.OnChange = [this](TBorders&) { BordersChanged(); };
}

TCustomEditor::~TCustomEditor() {
  FCarets.Unlink();
  if (FMouse.Captured()) FHost->StopAutoScrollTimer();
  DetachList();
}

// ---------------------------------------------------------------- window and host

void TCustomEditor::SetHost(TEditorHost* host) {
  FCarets.Unlink();
  if (FMouse.Captured()) {
    FMouse.Release();
    FHost->StopAutoScrollTimer();
  }
  FHost = host ? host : &NullEditorHost();
  FCarets.SetHost(FHost);
  FWindowCreated = false;
}

void TCustomEditor::CreateWnd() {
  const bool relink = FCarets.Linked();
  FCarets.Unlink();
  FWindowCreated = true;
  FHost->SetScrollBarStyle(HasHorzBar(FProps.ScrollBars), HasVertBar(FProps.ScrollBars));
  FView.SendVRange();
  FView.SendHRange();
  UpdateLayout();
  if (relink) {
    FCarets.Link();
    PlaceCaret();
  }
}

void TCustomEditor::FocusIn() {
  FProps.InsertMode = EffectiveController().InsertMode();
  FCarets.SetInsertMode(FProps.InsertMode);
  FitCaret();
  FCarets.Link();
  PlaceCaret();
  FCarets.Show();
  if (FProps.HideSelection) InvalidateAll();
}

void TCustomEditor::FocusOut() {
  FCarets.Hide();
  FCarets.Unlink();
  if (FProps.HideSelection) InvalidateAll();
  EffectiveController().SetInsertMode(FProps.InsertMode);
}

void TCustomEditor::FitCaret() {
  FCarets.SetCellSize(FView.CharWidth, FView.LineHeight);
}

TController& TCustomEditor::EffectiveController() const {
  return FController ? *FController : DefaultController();
}

// ---------------------------------------------------------------- properties

void TCustomEditor::SetNewStyleIndent(bool value) {
  FProps.SetNewStyleIndent(value);
}

void TCustomEditor::SetByteLimit(std::int32_t value) {
  if (value >= 0) FParaList->SetByteLimit(value);
}

void TCustomEditor::SetParaLimit(std::int32_t value) {
  if (value > 0) FParaList->SetParaLimit(value);
}

void TCustomEditor::SetParaLengthLimit(std::int32_t value) {
  if (value < 1 || value > kMaxParaLength) return;
  FParaList->SetParaLengthLimit(value);
  FView.SendHRange();
}

void TCustomEditor::Apply(TPropertyEffect effect) {
  switch (effect) {
    case TPropertyEffect::peNone: break;
    case TPropertyEffect::peRepaint: InvalidateAll(); break;
    case TPropertyEffect::peRecreate:
      if (FWindowCreated) CreateWnd();
      break;
  }
}

void TCustomEditor::SetBorderStyle(TEditorBorderStyle value) {
  Apply(FProps.SetBorderStyle(value));
}

void TCustomEditor::SetCtl3D(bool value) {
  Apply(FProps.SetCtl3D(value));
}

void TCustomEditor::BordersChanged() {
  if (FBorders.AnyEnabled()) Apply(FProps.OwnBorderEnabled());
  InvalidateAll();
}

void TCustomEditor::SetColor(TColor value) {
  Apply(FProps.SetColor(value));
}

void TCustomEditor::SetHideSelection(bool value) {
  Apply(FProps.SetHideSelection(value));
}

void TCustomEditor::SetInsertMode(bool value) {
  FProps.InsertMode = value;
  FCarets.SetInsertMode(value);
  PlaceCaret();
}

void TCustomEditor::SetMarginColor(TColor value) {
  Apply(FProps.SetMarginColor(value));
}

void TCustomEditor::SetRuleColor(TColor value) {
  Apply(FProps.SetRuleColor(value));
}

void TCustomEditor::SetScrollBars(TScrollStyle value) {
  Apply(FProps.SetScrollBars(value));
}

void TCustomEditor::SetScrollBarsAlways(bool value) {
  Apply(FProps.SetScrollBarsAlways(value));
}

void TCustomEditor::SetScrollPastEnd(bool value) {
  FProps.ScrollPastEnd = value;
  if (value) {
    SetWordWrap(false);
    return;
  }
  // Without it the caret may not stand behind the end of its line.
  const std::int32_t end = FParaList->LineLength(FPlaces.CaretLine()) + 1;
  if (FPlaces.CaretCol() > end) MoveCaretTo(FPlaces.CaretLine(), end);
}

void TCustomEditor::SetShowBookmarks(bool value) {
  if (value == FProps.ShowBookmarks) return;
  FProps.ShowBookmarks = value;
  if (value)
    RefreshLayout(true);
  else
    InvalidateAll();
}

void TCustomEditor::SetShowLineNumbers(bool value) {
  if (value == FProps.ShowLineNumbers) return;
  if (value) {
    FProps.ShowLineNumbers = true;
    FLineNumberWidth = LineNumbersWidth(*FHost, FFixedFont.Desc(), FView.TopLine, FView.VisibleLines);
    SetLeftMargin(LeftMargin() + FLineNumberWidth + 5);
  } else {
    FProps.ShowLineNumbers = false;
    SetLeftMargin(LeftMargin() - FLineNumberWidth - 5);
  }
  InvalidateAll();
}

void TCustomEditor::UpdateLineNumberWidth() {
  if (!FProps.ShowLineNumbers) return;
  const std::int32_t width = LineNumbersWidth(*FHost, FFixedFont.Desc(), FView.TopLine, FView.VisibleLines);
  if (width == FLineNumberWidth) return;
  const std::int32_t old = FLineNumberWidth;
  FLineNumberWidth = width;
  SetLeftMargin(LeftMargin() + width - old);
}

void TCustomEditor::SetShowRules(bool value) {
  if (value == FProps.ShowRules) return;
  FProps.ShowRules = value;
  UpdateLayout();
  InvalidateAll();
}

void TCustomEditor::SetTabSize(std::uint8_t value) {
  if (value == 0) return;
  FParaList->SetTabSize(value);
  InvalidateAll();
}

void TCustomEditor::SetTabType(TTabType value) {
  Apply(FProps.SetTabType(value));
}

void TCustomEditor::SetUndoBufferSize(std::uint16_t value) {
  FParaList->SetUndoBufferSize(value);
}

void TCustomEditor::SetWordWrap(bool value) {
  if (value) {
    FProps.WrapAtLeft = true;
    FProps.ScrollPastEnd = false;
    // Take the window's width first, so that the text is wrapped once.
    if (FProps.WrapToWindow && FWindowCreated && FView.VisibleColumns > 2)
      FParaList->SetWrapColumn(FView.VisibleColumns - 2);
  }
  FParaList->SetWordWrap(value);
}

void TCustomEditor::SetWrapAtLeft(bool value) {
  if (!value && WordWrap()) return;
  FProps.WrapAtLeft = value;
}

void TCustomEditor::SetWrapColumn(std::int32_t value) {
  if (value > 0) FParaList->SetWrapColumn(value);
}

void TCustomEditor::SetWrapToWindow(bool value) {
  FProps.WrapToWindow = value;
  if (value && FWindowCreated && WordWrap()) SetWrapColumn(FView.VisibleColumns - 2);
}

void TCustomEditor::FontChanged() {
  if (FWindowCreated) UpdateLayout();
  if (FCarets.Linked()) {
    FitCaret();
    PlaceCaret();
  }
}

void TCustomEditor::MarginsChanged(bool layoutChanged) {
  if (layoutChanged && FWindowCreated)
    RefreshLayout(false);
  else
    InvalidateAll();
}

std::int32_t TCustomEditor::TextLeft() const {
  return LeftMargin() + (FMarginOptions.Left().Enabled() ? 5 : 0);
}

// ---------------------------------------------------------------- the text and its views

void TCustomEditor::DetachList() {
  if (!FParaList) return;
  FParaList->RemoveView(this);
  FParaList.reset();  // the last view frees the list
}

void TCustomEditor::AttachList(std::shared_ptr<TParaList> list) {
  FParaList = std::move(list);
  FParaList->AddView(this);
}

void TCustomEditor::ResetViewState() {
  const std::int32_t oldTop = FView.TopLine;
  FPlaces.Reset();
  FView.TopLine = 1;
  FView.TopPara = {1, 0};
  FView.LeftColumn = 0;
  FView.ClearMarks();
  if (oldTop != 1) DoTopLineChanged(1);
}

std::shared_ptr<TParaList> TCustomEditor::NewEmptyList() const {
  const TParaList& old = *FParaList;
  auto list = std::make_shared<TParaList>(old.WordWrap(), old.UndoBufferSize());
  list->SetByteLimit(old.ByteLimit());
  list->SetParaLimit(old.ParaLimit());
  list->SetParaLengthLimit(old.ParaLengthLimit());
  list->SetWrapColumn(old.WrapColumn());
  list->SetTabSize(old.TabSize());
  return list;
}

void TCustomEditor::ReplaceText(std::shared_ptr<TParaList> list, bool repaint) {
  DetachList();
  AttachList(std::move(list));
  ResetViewState();
  if (repaint && FWindowCreated) RefreshLayout(true);
}

void TCustomEditor::ClearText(bool repaint) {
  ReplaceText(NewEmptyList(), repaint);
}

void TCustomEditor::Attach(TCustomEditor& other) {
  if (&other == this || other.FParaList == FParaList) return;
  std::shared_ptr<TParaList> list = other.FParaList;
  DetachList();
  AttachList(std::move(list));
  ResetViewState();
  if (FWindowCreated) RefreshLayout(false);
}

TCustomEditor& TCustomEditor::NextView() const {
  const auto& views = FParaList->Views();
  const auto it = std::find(views.begin(), views.end(), static_cast<const TParaListView*>(this));
  if (it == views.end() || views.size() < 2) return const_cast<TCustomEditor&>(*this);
  const auto next = std::next(it) == views.end() ? views.begin() : std::next(it);
  auto* editor = dynamic_cast<TCustomEditor*>(*next);
  return editor ? *editor : const_cast<TCustomEditor&>(*this);
}

// ---------------------------------------------------------------- notifications

void TCustomEditor::DoChange() {
  if (OnChange) OnChange(*this);
}

void TCustomEditor::ReportError(std::uint16_t code) {
  if (code == 0) return;
  if (OnError) {
    std::uint16_t value = code;
    OnError(*this, value);
    return;
  }
  throw EEditorError::FromCode(code);
}

void TCustomEditor::DoShowStatus(int lineNum, int colNum) {
  if (OnShowStatus) OnShowStatus(*this, lineNum, colNum);
}

void TCustomEditor::DoTopLineChanged(int line) {
  if (OnTopLineChanged) OnTopLineChanged(*this, line);
}

void TCustomEditor::DoUserCommand(TEditorCommand command) {
  if (OnUserCommand) OnUserCommand(*this, command);
}

void TCustomEditor::StatusMessage(int column, int line) {
  DoShowStatus(line, static_cast<std::uint16_t>(column));
}

bool TCustomEditor::DrawLine(TEditorCanvas& canvas, const TRect& rect, const char* s, int len, int line,
                             int pos, int count, int hbLine, int hbCol, int heLine, int heCol) {
  bool wasDrawn = false;
  if (OnDrawLine)
    OnDrawLine(*this, canvas, rect, s, len, line, pos, count, hbLine, hbCol, heLine, heCol, wasDrawn);
  return wasDrawn;
}

}  // namespace quilmo
