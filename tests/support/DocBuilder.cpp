#include "support/DocBuilder.h"

#include <stdexcept>

#include "engine/UndoBuffer.h"

namespace quilmo::test {

std::unique_ptr<TParaList> MakeParaList(std::string_view marked, const TDocOptions& options) {
  const TMarkedText text = ParseMarkedText(marked);
  auto list = std::make_unique<TParaList>(options.WordWrap, options.UndoBufferSize);
  list->SetWrapColumn(options.WrapColumn);
  list->SetTabSize(options.TabSize);
  // AppendPara adds in front of the last paragraph; the last one gets its text directly.
  for (std::size_t i = 0; i + 1 < text.Paras.size(); ++i) {
    if (list->AppendPara(text.Paras[i], false) != 0) throw std::invalid_argument("text too large for a list");
  }
  const std::string& last = text.Paras.back();
  if (!last.empty() &&
      list->InsertText(list->ParaCount(), 1, last.data(), static_cast<std::int32_t>(last.size())) != 0) {
    throw std::invalid_argument("text too large for a list");
  }
  list->UndoBuffer().Clear();
  list->SetModified(false);
  return list;
}

namespace {

TMarkedText ReadBack(TParaList& list) {
  TMarkedText text;
  text.Paras.clear();
  for (TParaNode* node = list.GetPara(1); node != nullptr; node = node->Next()) {
    text.Paras.emplace_back(node->Text(), static_cast<std::size_t>(node->Length()));
  }
  return text;
}

}  // namespace

std::string ParaListText(TParaList& list) {
  return FormatMarkedText(ReadBack(list));
}

std::string ParaListText(TParaList& list, TTextPoint caret, std::optional<TTextPoint> selStart) {
  TMarkedText text = ReadBack(list);
  text.Caret = caret;
  if (selStart) {
    text.SelStart = *selStart;
    text.SelEnd = caret;
  }
  return FormatMarkedText(text);
}

std::string DisplayLines(TParaList& list) {
  std::string out;
  for (std::int32_t line = 1; line <= list.LineCount(); ++line) {
    if (line > 1) out += '/';
    std::int32_t length = 0;
    const char* text = list.GetLine(line, length);
    out.append(text, static_cast<std::size_t>(length));
  }
  return out;
}

std::vector<std::string> NodeLines(const TParaNode& node) {
  std::vector<std::string> lines;
  for (std::int32_t i = 0; i < node.LineCount(); ++i) {
    std::int32_t length = 0;
    const char* text = node.LineText(i, length);
    lines.emplace_back(text, static_cast<std::size_t>(length));
  }
  return lines;
}

}  // namespace quilmo::test
