#include "app/dialogs/MarksManager.h"

#include <QListWidget>

#include "editor/CustomTextFileEditor.h"
#include "editor/qt/Cp1252Text.h"
#include "engine/EditorErrors.h"

namespace quilmo {

QString MarkEntry(int n, std::string_view lineText) {
  std::size_t first = 0;
  while (first < lineText.size() && static_cast<unsigned char>(lineText[first]) <= ' ') ++first;
  return QString::number(n) + QLatin1Char(' ') + BytesToQString(lineText.substr(first));
}

int MarkNumber(const QString& entry) {
  if (entry.isEmpty() || !entry[0].isDigit()) return -1;
  return entry[0].digitValue();
}

TMarkMenuEnabling MarkMenuEnabling(int entries) {
  return {entries >= 1, entries >= 1, entries >= 2, entries < kMarkCount};
}

int AddMark(TCustomEditor& editor, QListWidget& list) {
  std::int32_t line = 0;
  std::int32_t column = 0;
  editor.GetCaretPosition(line, column);
  int n = 0;
  for (; n < kMarkCount; ++n) {
    std::int32_t markColumn = 0;
    const std::int32_t markLine = editor.GetMarkerPosition(static_cast<std::uint8_t>(n), markColumn);
    if (markLine == line) break;
    if (markLine == -1) {
      editor.SetMarker(static_cast<std::uint8_t>(n));
      list.addItem(MarkEntry(n, editor.GetLineText(line)));
      break;
    }
  }
  if (n < list.count())
    list.setCurrentRow(n);
  else
    list.setCurrentRow(-1);
  return n;
}

bool ShowMark(TCustomEditor& editor, QListWidget& list) {
  const QListWidgetItem* item = list.currentItem();
  if (!item || !item->isSelected()) return false;
  const int n = MarkNumber(item->text());
  if (n < 0) return false;
  const auto marker = static_cast<std::uint8_t>(n);
  editor.GotoMarker(marker);
  std::int32_t column = 0;
  const std::int32_t line = editor.GetMarkerPosition(marker, column);
  editor.SetTopLine(line);
  editor.SetCaretPosition(line, 1);
  return true;
}

void RemoveSelectedMark(TCustomEditor& editor, QListWidget& list) {
  const QListWidgetItem* item = list.currentItem();
  const int k = item && item->isSelected() ? list.row(item) : -1;
  if (k >= 0) {
    const int n = MarkNumber(item->text());
    if (n >= 0) editor.ClearMarker(static_cast<std::uint8_t>(n));
    delete list.takeItem(k);
  }
  list.setCurrentRow(k > 0 ? k - 1 : 0);
}

void RemoveAllMarks(TCustomEditor& editor, QListWidget& list, TRemoveAllFrom from) {
  if (from == TRemoveAllFrom::raMainMenu || editor.ByteCount() > 0) {
    for (int n = 0; n < kMarkCount; ++n) editor.ClearMarker(static_cast<std::uint8_t>(n));
  }
  list.clear();
}

void ShowMarkReporting(TDialogHost& host, QListWidget& list) {
  try {
    if (ShowMark(host.Editor(), list)) host.FocusEditor();
  } catch (const EInvalidLineOrPara& e) {
    host.ShowError(QString::fromUtf8(e.what()));
  }
}

}  // namespace quilmo
