#include <gtest/gtest.h>

#include "FormFixture.h"
#include "editor/TextFileEditor.h"

namespace quilmo::test {
namespace {

class EditFormDrop : public FormFixture {
 protected:
  void Drop(const QStringList& names) { Form->FilesDropped(names); }
};

TEST_F(EditFormDrop, BothModesAndTheQuestionBefore) {
  const struct {
    const char* Label;
    QStringList Args;  // "-i" for multiple openings
    bool Modified;
    std::deque<TAnswer> Answers;
    bool Replaced;
    std::vector<QStringList> Started;  // "$A", "$B" the dropped files
  } rows[] = {
      {"single", {}, false, {}, true, {}},
      {"single, changes kept", {}, true, {TAnswer::No}, true, {}},
      {"single, cancelled", {}, true, {TAnswer::Cancel}, false, {}},
      {"multiple", {"-i"}, false, {}, false, {{"-i", "$A"}, {"-i", "$B"}}},
      {"multiple, cancelled", {"-i"}, true, {TAnswer::Cancel}, false, {}},
  };
  const QString a = MakeFile("a.txt", ".LOG\r\n");
  const QString b = MakeFile("b.txt", "b\r\n");
  for (const auto& row : rows) {
    TEditForm& form = Start(row.Args);
    if (row.Modified) form.Editor1().InsertString("x");
    Prompter.Answers = row.Answers;
    Starter.Started.clear();
    const QString newest = QString::fromStdString(form.History().Entry(0));
    Drop({a, b});
    EXPECT_EQ(form.windowTitle(), row.Replaced ? "Quilmo - " + a : QString("Quilmo - Sans titre"))
        << row.Label;
    EXPECT_EQ(QString::fromStdString(form.History().Entry(0)), row.Replaced ? a : newest) << row.Label;
    // The .LOG stamp of the dropped file leaves it modified.
    EXPECT_EQ(form.Editor1().Modified(), row.Replaced || row.Modified) << row.Label;
    std::vector<QStringList> started = row.Started;
    for (QStringList& args : started) args.replaceInStrings("$A", a).replaceInStrings("$B", b);
    EXPECT_EQ(Starter.Started, started) << row.Label;
    EXPECT_TRUE(Prompter.Answers.empty()) << row.Label;
    form.Editor1().SetModified(false);
    Stop();
  }
}

TEST_F(EditFormDrop, CopiesStartWithTheSwitchAloneOrTheSwitchAndTheName) {
  TEditForm& form = Start({"-i"});
  Prompter.Answers = {};
  form.New1Click();
  form.SpawnInstance({"-i", "a b.txt"});
  const std::vector<QStringList> expected = {{"-i"}, {"-i", "a b.txt"}};
  EXPECT_EQ(Starter.Started, expected);
}

}  // namespace
}  // namespace quilmo::test
