#include "app/Prompter.h"

#include "app/FileListColumns.h"

#include <QDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace quilmo {

namespace {

QMessageBox::Icon IconOf(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Information: return QMessageBox::Information;
    case TMessageKind::Warning: return QMessageBox::Warning;
    case TMessageKind::Error: return QMessageBox::Critical;
    case TMessageKind::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// (description, patterns) pairs of a stored filter; a trailing "(*.x)" of a description is
// dropped since the dialog shows the patterns itself.
QList<QPair<QString, QString>> FilterPairs(const QString& stored) {
  static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\*[^()]*\\)\\s*$"));
  QList<QPair<QString, QString>> pairs;
  const QStringList parts = stored.split('|');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    description.remove(trailingPatterns);
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns) pattern = pattern.trimmed();
    pairs.append({description, patterns.join(' ')});
  }
  return pairs;
}

QString QtEntry(const QPair<QString, QString>& pair) {
  return pair.first + QStringLiteral(" (") + pair.second + ')';
}

}  // namespace

QString QtFilterFromStored(const QString& stored) {
  QStringList entries;
  for (const auto& pair : FilterPairs(stored)) entries << QtEntry(pair);
  return entries.join(QStringLiteral(";;"));
}

QString QtFilterEntry(const QString& stored, int index) {
  const auto pairs = FilterPairs(stored);
  if (index < 1 || index > pairs.size()) return {};
  return QtEntry(pairs[index - 1]);
}

int StoredFilterIndex(const QString& stored, const QString& qtEntry) {
  const auto pairs = FilterPairs(stored);
  for (qsizetype i = 0; i < pairs.size(); ++i)
    if (QtEntry(pairs[i]) == qtEntry) return static_cast<int>(i) + 1;
  return 1;
}

TAnswer TQtPrompter::Ask(QWidget* parent, TMessageKind kind, const QString& caption, const QString& text,
                         TButtons buttons) {
  QMessageBox box(IconOf(kind), caption, text, QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
  QPushButton* cancel = nullptr;
  if (buttons == TButtons::YesNoCancel) {
    cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
    box.setEscapeButton(cancel);
  } else {
    box.setEscapeButton(no);
  }
  box.setDefaultButton(buttons == TButtons::YesNoDefaultNo ? no : yes);
  box.exec();
  if (box.clickedButton() == yes) return TAnswer::Yes;
  if (box.clickedButton() == no) return TAnswer::No;
  return buttons == TButtons::YesNoCancel ? TAnswer::Cancel : TAnswer::No;
}

void TQtPrompter::Show(QWidget* parent, TMessageKind kind, const QString& caption, const QString& text) {
  QMessageBox box(IconOf(kind), caption, text, QMessageBox::Ok, parent);
  box.exec();
}

int TQtPrompter::Choose(QWidget* parent, TMessageKind kind, const QString& caption, const QString& text,
                        const QStringList& buttons, int escape) {
  QMessageBox box(IconOf(kind), caption, text, QMessageBox::NoButton, parent);
  QList<QPushButton*> pushButtons;
  for (const QString& button : buttons) pushButtons.append(box.addButton(button, QMessageBox::ActionRole));
  if (pushButtons.isEmpty()) return escape;
  box.setDefaultButton(pushButtons.front());
  if (escape >= 0 && escape < pushButtons.size()) box.setEscapeButton(pushButtons[escape]);
  box.exec();
  const qsizetype chosen = pushButtons.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
  return chosen >= 0 ? static_cast<int>(chosen) : escape;
}

QStringList TQtPrompter::OpenFileNames(QWidget* parent, TFileDialogRequest& request) {
  QFileDialog dialog(parent, request.Title, request.FileName, request.Filter);
  UseFileListColumns(dialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.MultipleFiles  ? QFileDialog::ExistingFiles
                     : request.CreatePrompt ? QFileDialog::AnyFile
                                            : QFileDialog::ExistingFile);
  if (!request.SelectedFilter.isEmpty()) dialog.selectNameFilter(request.SelectedFilter);
  if (dialog.exec() != QDialog::Accepted) return {};
  request.SelectedFilter = dialog.selectedNameFilter();
  QStringList names = dialog.selectedFiles();
  // The dialog's own question before a missing file is created.
  if (request.CreatePrompt && names.size() == 1 && !QFileInfo::exists(names.front())) {
    const QString text =
        QStringLiteral("%1\nCe fichier n'existe pas.\nVoulez-vous le créer ?").arg(names.front());
    if (Ask(parent, TMessageKind::Question, dialog.windowTitle(), text, TButtons::YesNo) != TAnswer::Yes)
      return {};
  }
  return names;
}

QString TQtPrompter::SaveFileName(QWidget* parent, TFileDialogRequest& request) {
  QFileDialog dialog(parent, request.Title, request.FileName, request.Filter);
  UseFileListColumns(dialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(request.DefaultSuffix);
  if (!request.SelectedFilter.isEmpty()) dialog.selectNameFilter(request.SelectedFilter);
  // Selecting a filter rewrites the name's extension ("*.*" turns "a.txt" into "a.*"): the name
  // is given again behind it.
  if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  request.SelectedFilter = dialog.selectedNameFilter();
  return dialog.selectedFiles().front();
}

QString MatchingStyleName(const QFont& font) {
  const QFontInfo real(font);
  const QString family = real.family();
  const bool bold = real.bold();
  for (const QString& style : QFontDatabase::styles(family)) {
    // An oblique style counts as italic, as the font's own slant does.
    const QFont listed = QFontDatabase::font(family, style, 10);
    if (listed.italic() == real.italic() && listed.bold() == bold) return style;
  }
  return {};
}

bool TQtPrompter::ChooseFont(QWidget* parent, QFont& font) {
  bool ok = false;
  QFont shown = font;
  if (const QString style = MatchingStyleName(font); !style.isEmpty()) shown.setStyleName(style);
  const QFont chosen = QFontDialog::getFont(&ok, shown, parent, QString(), QFontDialog::MonospacedFonts);
  if (ok) font = chosen;
  return ok;
}

int TQtPrompter::Exec(QDialog& dialog) {
  return dialog.exec();
}

}  // namespace quilmo
