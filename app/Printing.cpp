#include "app/Printing.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <string_view>

#include "editor/CustomEditor.h"
#include "editor/qt/Cp1252Text.h"
#include "editor/qt/FontList.h"
#include "engine/EditorErrors.h"

namespace quilmo {

namespace {

// The display line as the editor expands it, at most kPrintLineLimit characters.
std::string ExpandedLine(TCustomEditor& editor, std::int32_t line) {
  std::string text(kPrintLineLimit, '\0');
  text.resize(static_cast<size_t>(editor.GetExpandedLine(line, text.data(), kPrintLineLimit)));
  return text;
}

// Screen column (1-based) of a column of a display line.
std::int32_t ScreenColumnOf(TCustomEditor& editor, std::int32_t line, std::int32_t column) {
  std::int32_t length = 0;
  const char* text = editor.ParaList().GetLine(line, length);
  return PosToColumn(text, length, column, editor.TabSize());
}

}  // namespace

std::vector<std::string> PrintLines(TCustomEditor& editor, TPrintRange range) {
  std::int32_t firstLine = 1;
  std::int32_t firstCol = 1;
  std::int32_t lastLine = editor.LineCount();
  std::int32_t lastCol = 0;
  const bool selection =
      range == TPrintRange::Selection && editor.GetSelection(firstLine, firstCol, lastLine, lastCol);
  if (!selection) {
    firstLine = 1;
    lastLine = editor.LineCount();
  }
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(std::max(0, lastLine - firstLine + 1)));
  for (std::int32_t line = firstLine; line <= lastLine; ++line) {
    std::string text = ExpandedLine(editor, line);
    if (selection && line == lastLine) {
      const auto end = static_cast<size_t>(ScreenColumnOf(editor, line, lastCol) - 1);
      if (end < text.size()) text.resize(end);
    }
    if (selection && line == firstLine) {
      const auto start = static_cast<size_t>(ScreenColumnOf(editor, line, firstCol) - 1);
      std::fill_n(text.begin(), std::min(start, text.size()), ' ');
    }
    lines.push_back(std::move(text));
  }
  return lines;
}

void ConfigurePrintDialog(QPrintDialog& dialog, bool hasSelection) {
  dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);
  // Qt's own dialog leaves its "from page … to page" row usable whatever the options say.
  for (const char* name : {"printRange", "from", "to"})
    if (auto* widget = dialog.findChild<QWidget*>(QLatin1String(name))) widget->hide();
  if (auto* to = dialog.findChild<QWidget*>(QStringLiteral("to")))
    for (auto* label : dialog.findChildren<QLabel*>())
      if (label->buddy() == to || label->parentWidget() == to->parentWidget()) label->hide();
}

TPrintRange ChosenRange(const QPrinter& printer) {
  return printer.printRange() == QPrinter::Selection ? TPrintRange::Selection : TPrintRange::All;
}

void PrintTextLines(QPrinter& printer, const std::vector<std::string>& lines, const TFontDesc& font,
                    const std::string& jobName) {
  printer.setDocName(QString::fromStdString(jobName));
  QPainter painter;
  if (!painter.begin(&printer))
    throw EQuilmoException("Impossible d'imprimer « " + jobName + " » : l'imprimante n'est pas disponible.");
  painter.setFont(TQtEditorFont(font).Font());
  const QFontMetricsF metrics(painter.font(), &printer);
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const qreal rowHeight = metrics.lineSpacing();
  const qreal cellWidth = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char('x')));
  const auto columns = static_cast<size_t>(std::max<qreal>(1, page.width() / cellWidth));

  qreal y = 0;
  auto writeRow = [&](std::string_view row) {
    if (y > 0 && y + rowHeight > page.height()) {
      if (!printer.newPage())
        throw EQuilmoException("Impossible d'imprimer « " + jobName + " » : page refusée.");
      y = 0;
    }
    if (!row.empty()) painter.drawText(QPointF(0, y + metrics.ascent()), BytesToQString(row));
    y += rowHeight;
  };
  for (const std::string& line : lines) {
    const std::string_view text(line);
    size_t start = 0;
    do {
      writeRow(text.substr(start, columns));
      start += columns;
    } while (start < text.size());
  }
  if (!painter.end())
    throw EQuilmoException("Impossible d'imprimer « " + jobName + " » : le travail a échoué.");
}

void PrintDocument(TCustomEditor& editor, QPrinter& printer, const std::string& jobName) {
  PrintTextLines(printer, PrintLines(editor, ChosenRange(printer)), editor.FixedFont().Desc(), jobName);
}

}  // namespace quilmo
