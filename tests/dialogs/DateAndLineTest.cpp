// The date formats against a fixed clock, the date dialog's insertion, and go to line.

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "FakeDialogHost.h"
#include "app/dialogs/DateForm.h"
#include "app/dialogs/GoToLine.h"

namespace quilmo::test {
namespace {

const QDateTime kSunday(QDate(2026, 12, 6), QTime(14, 5, 9));
const QDateTime kMonday(QDate(2027, 2, 1), QTime(9, 7, 3));

TEST(DateFormat, EachElementAgainstAFixedClock) {
  struct Case {
    const char* format;
    const QDateTime& when;
    const char* expected;
  };
  const Case cases[] = {
      {"dd/mm/yy hh:mm", kSunday, "06/12/26 14:05"},
      {"dd.mm.yy ", kSunday, "06.12.26 "},
      {"dddd d mmmm yyyy", kSunday, "dimanche 6 décembre 2026"},
      {"ddd d mmm yy", kMonday, "lun. 1 févr. 27"},
      {"dd mmmm yyyy", kMonday, "01 février 2027"},
      {"hh:mm:ss", kMonday, "09:07:03"},
      {"hh\" h \"mm", kSunday, "14 h 05"},  // minutes: the quoted text does not count
      {"hh dd mm", kSunday, "14 06 12"},    // a day in between: the month
      {"mm hh", kSunday, "12 14"},
      {"h:m d/m s", kMonday, "9:7 1/2 3"},
      {"'dd' yyyy", kSunday, "dd 2026"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.format), c.when, FrenchDateNames()),
              QString::fromUtf8(c.expected))
        << c.format;
  }
}

TEST(DateForm, ListsTheTwelveFormatsAndInsertsTheChosenOneExactly) {
  TFakeDialogHost host;
  host.Load("x|y");
  int reads = 0;
  TDateForm dialog(host, nullptr, [&] {
    ++reads;
    return kSunday;
  });
  ASSERT_EQ(dialog.DateList->count(), 12);
  EXPECT_EQ(reads, 12);
  EXPECT_EQ(dialog.DateList->item(0)->text(), "06/12/26 14:05");
  dialog.DateList->setCurrentRow(4);
  QTest::keyClick(dialog.DateList, Qt::Key_Return);
  EXPECT_EQ(host.Marked(), "x06.12.26 |y");  // the trailing blank too
  EXPECT_EQ(host.UpdateButtonsCalls, QList<bool>{true});
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  TDateForm nothingChosen(host, nullptr, [] { return kSunday; });
  nothingChosen.DateList->clearSelection();
  nothingChosen.Button1->click();
  EXPECT_EQ(host.Marked(), "x06.12.26 |y");
  EXPECT_EQ(host.UpdateButtonsCalls, (QList<bool>{true, true}));
}

TEST(GoToLine, DisplayLinesOnlyAndTheTopmostModeGivenBack) {
  TFakeDialogHost host;
  // Three paragraphs of 30 characters wrapped at 10 columns: seven display lines.
  host.Load("|aaaaaaaaa bbbbbbbbb ccccccccc\nddddddddd eeeeeeeee fffffffff\nggg");
  host.Editor().SetWrapColumn(10);
  host.Editor().SetWordWrap(true);
  ASSERT_EQ(host.Editor().LineCount(), 7);
  struct Case {
    bool ok;
    const char* value;
    int line;  // caret line afterwards
  };
  const Case cases[] = {
      {true, "5", 5},  {true, "0", 5},   {true, "8", 5}, {true, "abc", 5},
      {false, "2", 5}, {true, " 7 ", 7}, {true, "1", 1},
  };
  for (const Case& c : cases) {
    host.OnTop = true;
    host.Calls.clear();
    QString prompt;
    Ligne1Click(host, [&](const QString& caption, const QString& text, QString& value) {
      EXPECT_EQ(caption, "Aller à la ligne...");
      EXPECT_EQ(value, "1");
      prompt = text;
      value = QString::fromUtf8(c.value);
      return c.ok;
    });
    EXPECT_EQ(prompt, "Entrez un numéro de ligne entre (1 et 7)");
    EXPECT_EQ(host.Editor().CaretLine(), c.line) << c.value;
    EXPECT_EQ(host.Editor().CaretCol(), 1) << c.value;
    EXPECT_EQ(host.Calls, (QStringList{"ontop:0", "ontop:1"})) << c.value;
  }
}

}  // namespace
}  // namespace quilmo::test
