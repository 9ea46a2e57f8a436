// Every dialog at its fixed size shows its texts whole: no button, box or label is narrower
// or lower than its text needs, and none reaches outside the dialog; in the find, replace,
// date and about dialogs no two controls share an Alt letter. With QUILMO_DIALOG_SHOTS
// set to a folder, each dialog is also saved there as a PNG to be looked at.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "FakeDialogHost.h"
#include "app/dialogs/AboutBox.h"
#include "app/dialogs/DateForm.h"
#include "app/dialogs/FindDlg.h"
#include "app/dialogs/OptionsForm.h"
#include "app/dialogs/ReplaceDlg.h"

namespace quilmo::test {
namespace {

// The width a text needs: a push button's own hint has a minimum width beyond its text.
int NeededWidth(QWidget* child, const QString& caption) {
  if (qobject_cast<QPushButton*>(child))
    return child->fontMetrics().size(Qt::TextShowMnemonic, caption).width() + 8;
  return child->sizeHint().width();
}

// The Alt letters of the controls shown: each reaches one control only.
void CheckAltLettersUnique(QWidget& dialog, const QString& name) {
  QString letters;
  for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
    const QString text = button->text();
    const qsizetype mark = text.indexOf('&');
    if (!button->isVisible() || mark < 0 || mark + 1 >= text.size()) continue;
    const QChar letter = text.at(mark + 1).toLower();
    EXPECT_FALSE(letters.contains(letter)) << name.toStdString() << ": " << text.toStdString();
    letters += letter;
  }
}

void CheckNothingClipped(QWidget& dialog, const QString& name, const QSize& designed) {
  dialog.show();
  QApplication::processEvents();
  EXPECT_EQ(dialog.size(), designed) << name.toStdString();
  const QRect inside = dialog.rect();
  for (QWidget* child : dialog.findChildren<QWidget*>()) {
    if (!child->isVisible()) continue;
    const QRect place(child->mapTo(&dialog, QPoint(0, 0)), child->size());
    EXPECT_TRUE(inside.contains(place)) << name.toStdString() << ": " << child->metaObject()->className();
    const bool text = qobject_cast<QAbstractButton*>(child) || qobject_cast<QLabel*>(child);
    if (!text) continue;
    const QString caption = qobject_cast<QAbstractButton*>(child)
                                ? qobject_cast<QAbstractButton*>(child)->text()
                                : qobject_cast<QLabel*>(child)->text();
    EXPECT_GE(child->width(), NeededWidth(child, caption))
        << name.toStdString() << ": " << caption.toStdString();
    EXPECT_GE(child->height(), child->minimumSizeHint().height())
        << name.toStdString() << ": " << caption.toStdString();
  }
  const QString folder = qEnvironmentVariable("QUILMO_DIALOG_SHOTS");
  if (!folder.isEmpty()) dialog.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

TEST(DialogLook, EveryDialogShowsItsTextsWhole) {
  TFakeDialogHost host;
  host.Load("un m|ot");
  host.Filter = QStringLiteral("Tous les fichiers (*.*)|*.*|Fichiers texte (*.txt)|*.txt;*.ini");
  host.User.Owner = QStringLiteral("Jeanne Martin");
  const QDateTime fixed(QDate(2026, 12, 6), QTime(14, 5, 9));
  const std::function<std::unique_ptr<QWidget>()> makers[] = {
      [&] { return std::make_unique<TFindDlg>(host, nullptr); },
      [&] { return std::make_unique<TReplaceDlg>(host, nullptr); },
      [&] { return std::make_unique<TDateForm>(host, nullptr, [&] { return fixed; }); },
      [&] { return std::make_unique<TAboutBox>(host, nullptr); },
  };
  const char* const names[] = {"find", "replace", "date", "about"};
  const QSize sizes[] = {{TFindDlg::kClientWidth, TFindDlg::kClientHeight},
                         {TReplaceDlg::kClientWidth, TReplaceDlg::kClientHeight},
                         {TDateForm::kClientWidth, TDateForm::kClientHeight},
                         {TAboutBox::kClientWidth, TAboutBox::kClientHeight}};
  for (std::size_t i = 0; i < std::size(makers); ++i) {
    std::unique_ptr<QWidget> dialog = makers[i]();
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    CheckNothingClipped(*dialog, QString::fromLatin1(names[i]), sizes[i]);
    // The options dialog's captions share letters ("&OK", "Dialogue &Ouvrir …") as designed.
    CheckAltLettersUnique(*dialog, QString::fromLatin1(names[i]));
  }
  TOptionsForm options(host, nullptr);
  const char* const pages[] = {"options-1", "options-2", "options-3"};
  for (int page = 0; page < 3; ++page) {
    options.PageControl1->setCurrentIndex(page);
    CheckNothingClipped(options, QString::fromLatin1(pages[page]),
                        {TOptionsForm::kClientWidth, TOptionsForm::kClientHeight});
  }
}

}  // namespace
}  // namespace quilmo::test
