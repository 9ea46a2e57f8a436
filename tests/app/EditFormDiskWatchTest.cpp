// The main window with a file changed by another program while it is open: the notice above
// the text, a reload that keeps the caret's line and goes through the load path, the window's
// own save, a deleted file.

#include <QFile>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "app/DiskWatch.h"
#include "app/NoticeBar.h"
#include "editor/TextFileEditor.h"
#include "support/EditorDoc.h"

namespace quilmo::test {
namespace {

using EditFormDiskWatch = FormFixture;

constexpr int kWaitMs = 5000;

TEST_F(EditFormDiskWatch, AnUnmodifiedDocumentIsReloadedWithItsCaretLine) {
  const QString a = MakeFile("a.txt", "1\r\n2\r\n3\r\n4\r\n");
  TEditForm& form = Start({a});
  TTextFileEditor& editor = form.Editor1();
  editor.SetCaretPosition(3, 2);
  // Another program writes the file in another format: the load path finds it out.
  WriteFileBytes(a.toStdString(), "un\ndeux\ntrois\nquatre\ncinq\n");
  ASSERT_TRUE(QTest::qWaitFor([&] { return editor.LineCount() == 6; }, kWaitMs));
  EXPECT_EQ(PlainEditorText(editor), "un\ndeux\ntrois\nquatre\ncinq\n");
  std::int32_t line = 0, column = 0;
  editor.GetCaretPosition(line, column);
  EXPECT_EQ(line, 3);
  EXPECT_EQ(column, 2);
  EXPECT_FALSE(editor.Modified());
  EXPECT_FALSE(editor.CanUndo());
  EXPECT_TRUE(form.NoticeBar()->isVisibleTo(&form));
  EXPECT_FALSE(form.NoticeBar()->ActionButton()->isVisibleTo(&form));
  EXPECT_TRUE(Prompter.Asked.empty() && Prompter.Shown.empty()) << "no box pops up";
  // Saved again as the other program wrote it: the format came from the reload.
  editor.InsertString("x");
  form.Save1Click();
  EXPECT_EQ(ReadFileBytes(a.toStdString()), "un\ndeux\ntxrois\nquatre\ncinq\n");
  EXPECT_TRUE(Prompter.Asked.empty()) << "the reloaded file is the document's own";
}

TEST_F(EditFormDiskWatch, AModifiedDocumentIsReloadedOnlyWhenTheUserSaysSo) {
  const QString a = MakeFile("a.txt", "un\n");
  TEditForm& form = Start({a});
  TTextFileEditor& editor = form.Editor1();
  editor.InsertString("mien ");
  WriteFileBytes(a.toStdString(), "autre version\n");
  TNoticeBar& bar = *form.NoticeBar();
  ASSERT_TRUE(QTest::qWaitFor([&] { return bar.isVisibleTo(&form); }, kWaitMs));
  EXPECT_EQ(PlainEditorText(editor), "mien un\n");
  EXPECT_TRUE(editor.Modified());
  EXPECT_TRUE(bar.ActionButton()->isVisibleTo(&form));
  EXPECT_EQ(bar.ActionButton()->text(), "Rec&harger");
  EXPECT_EQ(bar.focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(bar.ActionButton()->focusPolicy(), Qt::NoFocus);
  bar.ActionButton()->click();
  EXPECT_EQ(PlainEditorText(editor), "autre version\n");
  EXPECT_FALSE(editor.Modified());
}

TEST_F(EditFormDiskWatch, TheWindowsOwnSavesSayNothing) {
  const QString a = MakeFile("a.txt", "un\n");
  TEditForm& form = Start({a});
  for (int i = 0; i < 3; ++i) {
    form.Editor1().InsertString("x");
    form.Save1Click();
    QTest::qWait(TDiskWatch::kSettleMs * 2);
  }
  EXPECT_FALSE(form.NoticeBar()->isVisibleTo(&form));
  EXPECT_EQ(ReadFileBytes(a.toStdString()), "xxxun\n");
  // Save As under another name: that file is followed from then on.
  Prompter.SaveNames = {TempFile("b.txt")};
  form.SaveAs1Click();
  QTest::qWait(TDiskWatch::kSettleMs * 2);
  WriteFileBytes(TempFile("b.txt").toStdString(), "autre texte\n");
  ASSERT_TRUE(QTest::qWaitFor([&] { return PlainEditorText(form.Editor1()) == "autre texte\n"; }, kWaitMs));
}

TEST_F(EditFormDiskWatch, ADeletedFileIsSaidAndClosingAsks) {
  const QString a = MakeFile("a.txt", "un\n");
  TEditForm& form = Start({a});
  QFile::remove(a);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.NoticeBar()->isVisibleTo(&form); }, kWaitMs));
  EXPECT_TRUE(form.NoticeBar()->Text().contains("le texte n'existe plus que dans cette fenêtre"));
  EXPECT_TRUE(form.Editor1().Modified());
  EXPECT_EQ(PlainEditorText(form.Editor1()), "un\n");
  // Saving puts the file back and the notice away.
  form.Save1Click();
  EXPECT_EQ(ReadFileBytes(a.toStdString()), "un\n");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.NoticeBar()->isVisibleTo(&form); }, kWaitMs));
}

}  // namespace
}  // namespace quilmo::test
