#pragma once
// The grid of the options dialog that edits the Open dialog's filters: one filter per row,
// its description in the first column and its patterns in the second. The cell editor is
// always shown, Tab moves between cells and out at the first and last ones, rows are dragged by their header
// to reorder them, and all cells together hold at most 240 characters.

#include <QTableWidget>

#include "app/dialogs/FilterString.h"

namespace quilmo {

class TFilterGrid : public QTableWidget {
  Q_OBJECT

 public:
  static constexpr int kInitialRows = 24;  // below the header row
  static constexpr int kRowHeight = 20;

  explicit TFilterGrid(QWidget* parent = nullptr);

  // Fills the cells from a filter string (cut to 255 characters), one empty row always left.
  void SetFilter(const QString& filter);
  // The rows in the order shown, and the filter string built from them.
  QList<TFilterRow> Rows() const;
  QString Filter() const { return BuildFilter(Rows()); }
  // Characters in all cells.
  int TotalLength() const;
  // The row shown at a place (rows can be dragged).
  int LogicalRow(int visualRow) const;

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  // Tab from the last cell and Shift+Tab from the first leave the grid instead of wrapping,
  // from the cell editor or from the grid itself; coming back opens the editor again.
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  bool focusNextPrevChild(bool next) override;
  void focusInEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString CellText(int row, int column) const;
  void SetCellText(int row, int column, const QString& text);
  void EnsureEmptyLastRow();
  // Whether the current cell is the last one (`next`) or the first one (visual row 0, column 0).
  bool AtEdge(bool next) const;
};

}  // namespace quilmo
