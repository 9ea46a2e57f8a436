#include "app/FileListColumns.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QTreeView>

namespace quilmo {

namespace {

constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

}  // namespace

QString FileColumnText(int column, const QFileInfo& info) {
  const QLocale locale;
  if (column == kSizeColumn && !info.isDir()) return locale.formattedDataSize(info.size());
  if (column == kDateColumn) return locale.toString(info.lastModified(), QLocale::ShortFormat);
  return {};
}

QVariant TFileListColumns::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  const int column = index.column();
  if (role == Qt::DisplayRole && files && (column == kSizeColumn || column == kDateColumn)) {
    const QModelIndex source = mapToSource(index);
    // A folder's size stays as the file model writes it (nothing, or a count of items).
    if (column == kDateColumn || !files->isDir(source))
      return FileColumnText(column, files->fileInfo(source));
  }
  return QIdentityProxyModel::data(index, role);
}

void UseFileListColumns(QFileDialog& dialog) {
  dialog.setProxyModel(new TFileListColumns(&dialog));
  for (auto* list : dialog.findChildren<QTreeView*>()) {
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = kSizeColumn; column <= kDateColumn; ++column)
      header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
}

}  // namespace quilmo
