#pragma once
// The size and date columns of the file dialogs' list, written by the program's own locale.

#include <QIdentityProxyModel>

class QFileDialog;
class QFileInfo;

namespace quilmo {

// The file list writes sizes ("47 bytes") and dates in the system's language whatever the
// program's locale; this model sits between the list and the dialog's file model and writes
// those two columns with the default locale, as the rest of the dialog speaks.
class TFileListColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override;
};

// Puts a TFileListColumns between `dialog`'s list and its file model and lets the list's
// size, type and date columns take the width of their texts, the name column the rest.
void UseFileListColumns(QFileDialog& dialog);

// The text of the size (1) or date (3) column for `info` in the default locale; an empty
// string for any other column and for the size of a folder.
QString FileColumnText(int column, const QFileInfo& info);

}  // namespace quilmo
