// The item "Thème s&ombre" through the main window: the whole application turns dark and back,
// the editor's text follows, and the choice is kept for the next start.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSet>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "app/DarkPalette.h"
#include "app/ThemeChoice.h"
#include "editor/TextFileEditor.h"

namespace quilmo::test {
namespace {

using EditFormTheme = FormFixture;

TEST_F(EditFormTheme, TheItemTurnsTheWindowDarkAndTheChoiceIsKept) {
  TEditForm& form = Start();
  QAction* item = form.ViewMenu().Themesombre1;
  EXPECT_EQ(item->text(), "Thème s&ombre");
  EXPECT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(IsDarkPalette(QApplication::palette()));
  item->trigger();
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(IsDarkPalette(QApplication::palette()));
  EXPECT_EQ(form.Editor1().FixedFont().Color(), clWindowText);
  EXPECT_EQ(OpenStore()->ReadString(TThemeChoice::kSection, TThemeChoice::kValue, "absent"), "1");
  Stop();

  TEditForm& again = Start();
  EXPECT_TRUE(again.ViewMenu().Themesombre1->isChecked());
  EXPECT_TRUE(IsDarkPalette(QApplication::palette()));
  again.ViewMenu().Themesombre1->trigger();
  EXPECT_FALSE(IsDarkPalette(QApplication::palette()));
  EXPECT_EQ(again.Editor1().FixedFont().Color(), clBlack);
  // Light as the desktop (none in tests): the desktop is followed again.
  EXPECT_EQ(OpenStore()->ReadString(TThemeChoice::kSection, TThemeChoice::kValue, "absent"), "");
}

TEST_F(EditFormTheme, TheLetterOfTheItemIsItsOwnInTheViewMenu) {
  TEditForm& form = Start();
  QMultiHash<QChar, QString> letters;
  for (const QAction* item : form.ViewMenu().Voir1->actions()) {
    const QString text = item->text();
    const qsizetype amp = text.indexOf('&');
    if (amp >= 0 && amp + 1 < text.size()) letters.insert(text[amp + 1].toLower(), text);
  }
  EXPECT_EQ(letters.values(QChar('o')), QStringList{"Thème s&ombre"});
}

}  // namespace
}  // namespace quilmo::test
