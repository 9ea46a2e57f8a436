#include "app/dialogs/FilterGrid.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace quilmo {

namespace {

// The cell editor: its limit keeps all cells within the budget, and each keystroke reaches
// the cell at once so that the budget and the built string always see the typed text.
class TFilterCellDelegate : public QStyledItemDelegate {
 public:
  explicit TFilterCellDelegate(TFilterGrid* grid) : QStyledItemDelegate(grid), FGrid(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    auto* edit = qobject_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
    if (!edit) return nullptr;
    const auto cellLength = static_cast<int>(index.data(Qt::EditRole).toString().size());
    edit->setMaxLength(CellMaxLength(cellLength, FGrid->TotalLength()));
    connect(edit, &QLineEdit::textEdited, this,
            [this, edit] { emit const_cast<TFilterCellDelegate*>(this)->commitData(edit); });
    return edit;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    // The cell was changed from this editor: moving its cursor would disturb the typing.
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (edit && edit->text() == index.data(Qt::EditRole).toString()) return;
    QStyledItemDelegate::setEditorData(editor, index);
  }

 private:
  TFilterGrid* FGrid;
};

}  // namespace

TFilterGrid::TFilterGrid(QWidget* parent) : QTableWidget(kInitialRows, 2, parent) {
  setObjectName(QStringLiteral("FilterGrid"));
  setHorizontalHeaderLabels({QStringLiteral("Description"), QString()});
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setFixedHeight(kRowHeight);
  QHeaderView* rowHeader = verticalHeader();
  rowHeader->setFixedWidth(10);
  rowHeader->setSectionResizeMode(QHeaderView::Fixed);
  rowHeader->setDefaultSectionSize(kRowHeight);
  rowHeader->setMinimumSectionSize(kRowHeight);
  rowHeader->setSectionsMovable(true);
  rowHeader->setHighlightSections(false);
  for (int row = 0; row < rowCount(); ++row) setVerticalHeaderItem(row, new QTableWidgetItem(QString()));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setShowGrid(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::AllEditTriggers);
  setTabKeyNavigation(true);
  setItemDelegate(new TFilterCellDelegate(this));
  connect(this, &QTableWidget::cellChanged, this, [this] { EnsureEmptyLastRow(); });
}

QString TFilterGrid::CellText(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell ? cell->text() : QString();
}

void TFilterGrid::SetCellText(int row, int column, const QString& text) {
  if (QTableWidgetItem* cell = item(row, column))
    cell->setText(text);
  else
    setItem(row, column, new QTableWidgetItem(text));
}

int TFilterGrid::LogicalRow(int visualRow) const {
  return verticalHeader()->logicalIndex(visualRow);
}

void TFilterGrid::SetFilter(const QString& filter) {
  const QList<TFilterRow> rows = SplitFilter(filter);
  const QSignalBlocker blocker(this);
  clearContents();
  setRowCount(std::max<int>(kInitialRows, static_cast<int>(rows.size()) + 1));
  for (int row = 0; row < rowCount(); ++row) {
    verticalHeader()->moveSection(verticalHeader()->visualIndex(row), row);
    setVerticalHeaderItem(row, new QTableWidgetItem(QString()));
  }
  for (int row = 0; row < rows.size(); ++row) {
    SetCellText(row, 0, rows[row].Description);
    SetCellText(row, 1, rows[row].Patterns);
  }
}

QList<TFilterRow> TFilterGrid::Rows() const {
  QList<TFilterRow> rows;
  for (int visual = 0; visual < rowCount(); ++visual) {
    const int row = LogicalRow(visual);
    rows.append({CellText(row, 0), CellText(row, 1)});
  }
  return rows;
}

int TFilterGrid::TotalLength() const {
  int total = 0;
  for (int row = 0; row < rowCount(); ++row)
    total += static_cast<int>(CellText(row, 0).size() + CellText(row, 1).size());
  return total;
}

void TFilterGrid::EnsureEmptyLastRow() {
  const int last = LogicalRow(rowCount() - 1);
  if (CellText(last, 1).isEmpty()) return;
  const int row = rowCount();
  insertRow(row);
  setVerticalHeaderItem(row, new QTableWidgetItem(QString()));
}

void TFilterGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableWidget::currentChanged(current, previous);
  // The cell editor is always shown on the current cell.
  if (current.isValid() && state() != QAbstractItemView::EditingState) edit(current);
}

bool TFilterGrid::AtEdge(bool next) const {
  const QModelIndex cell = currentIndex();
  if (!cell.isValid()) return false;
  const int row = verticalHeader()->visualIndex(cell.row());
  const int column = horizontalHeader()->visualIndex(cell.column());
  return next ? row == rowCount() - 1 && column == columnCount() - 1 : row == 0 && column == 0;
}

void TFilterGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const bool next = hint == QAbstractItemDelegate::EditNextItem;
  if ((!next && hint != QAbstractItemDelegate::EditPreviousItem) || !AtEdge(next))
    return QTableWidget::closeEditor(editor, hint);
  QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
  focusNextPrevChild(next);
}

bool TFilterGrid::focusNextPrevChild(bool next) {
  // The window's own Tab order from the grid, past the cells.
  // The item view's own rule would keep Tab inside the grid; the widget's moves on.
  if (AtEdge(next)) return QWidget::focusNextPrevChild(next);  // NOLINT(bugprone-parent-virtual-call)
  return QTableWidget::focusNextPrevChild(next);
}

void TFilterGrid::focusInEvent(QFocusEvent* event) {
  QTableWidget::focusInEvent(event);
  // Reached by the keyboard; the grid takes the focus back from a closing editor too.
  const Qt::FocusReason reason = event->reason();
  if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::ShortcutFocusReason)
    return;
  const QModelIndex cell = currentIndex();
  if (cell.isValid() && state() != QAbstractItemView::EditingState) edit(cell);
}

void TFilterGrid::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  const int width = viewport()->width() + verticalHeader()->width();
  setColumnWidth(0, width / 2 - 7);
  setColumnWidth(1, width / 2 - 7);
}

}  // namespace quilmo
