#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QToolBar>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "editor/TextFileEditor.h"

namespace quilmo::test {
namespace {

class EditFormStart : public FormFixture {};

// "$F" stands for an existing file, "$M" for a missing one.
TEST_F(EditFormStart, CommandLineRowByRow) {
  enum TDialog { NoDialog, DialogCancelled, DialogPicksF };
  const struct {
    QStringList Args;
    TDialog Dialog;
    std::deque<TAnswer> Answers;
    const char* Caption;  // "$F"/"$M" replaced
    bool Multiple;
    TStartOutcome Outcome;
    bool MissingCreated;
  } rows[] = {
      {{}, NoDialog, {}, "Quilmo - Sans titre", false, TStartOutcome::Completed, false},
      {{"-d"}, DialogCancelled, {}, "Quilmo - Sans titre", false, TStartOutcome::StoppedEarly, false},
      {{"-D"}, DialogPicksF, {}, "Quilmo - $F", false, TStartOutcome::Completed, false},
      {{"-i"}, NoDialog, {}, "Quilmo - Sans titre", true, TStartOutcome::Completed, false},
      {{"-I"}, NoDialog, {}, "Quilmo - Sans titre", true, TStartOutcome::Completed, false},
      {{"$F"}, NoDialog, {}, "Quilmo - $F", false, TStartOutcome::Completed, false},
      {{"$M"}, NoDialog, {TAnswer::Yes}, "Quilmo - $M", false, TStartOutcome::Completed, true},
      {{"$M"}, NoDialog, {TAnswer::No}, "Quilmo - Sans titre", false, TStartOutcome::StoppedEarly, false},
      {{"-i", "$F"}, NoDialog, {}, "Quilmo - $F", true, TStartOutcome::Completed, false},
      {{"x", "$F"}, NoDialog, {}, "Quilmo - $F", true, TStartOutcome::Completed, false},
      {{"-d", "-i"}, DialogPicksF, {}, "Quilmo - $F", true, TStartOutcome::Completed, false},
      {{"-I", "-D"}, DialogCancelled, {}, "Quilmo - Sans titre", true, TStartOutcome::StoppedEarly, false},
      {{"-d", "-i", "$F"}, NoDialog, {}, "Quilmo - $F", true, TStartOutcome::Completed, false},
      {{"-i", "-D", "$M"}, NoDialog, {TAnswer::Yes}, "Quilmo - $M", true, TStartOutcome::Completed, true},
      {{"-x", "-i", "$F"}, NoDialog, {}, "Quilmo", false, TStartOutcome::Completed, false},
      {{"a", "b", "c"}, NoDialog, {}, "Quilmo", false, TStartOutcome::Completed, false},
      {{"-i", "-d", "$F", "x"}, NoDialog, {}, "Quilmo", false, TStartOutcome::Completed, false},
  };
  const QString existing = MakeFile("f.txt", "abc\r\n");
  const QString missing = TempFile("m.txt");
  for (const auto& row : rows) {
    QFile::remove(missing);
    QStringList args = row.Args;
    args.replaceInStrings("$F", existing).replaceInStrings("$M", missing);
    const std::string label = args.join(' ').toStdString();
    Prompter.Answers = row.Answers;
    if (row.Dialog == DialogCancelled) Prompter.OpenNames = {QStringList()};
    if (row.Dialog == DialogPicksF) Prompter.OpenNames = {QStringList{existing}};
    TEditForm& form = Start(args);
    QString caption = QString::fromUtf8(row.Caption);
    caption.replace("$F", existing).replace("$M", missing);
    EXPECT_EQ(form.windowTitle(), caption) << label;
    EXPECT_EQ(form.ApplicationTitle(), caption) << label;
    EXPECT_EQ(form.MultipleOpenings(), row.Multiple) << label;
    EXPECT_EQ(form.StartOutcome(), row.Outcome) << label;
    EXPECT_EQ(QFileInfo::exists(missing), row.MissingCreated) << label;
    EXPECT_TRUE(form.Bars().MarkForm->isHidden()) << label;  // no mark yet, however the start went
    EXPECT_TRUE(Prompter.Answers.empty() && Prompter.OpenNames.empty()) << label;
    if (caption.endsWith(existing) || caption.endsWith(missing)) {
      EXPECT_EQ(QString::fromStdString(form.History().Entry(0)), caption.mid(9)) << label;
    }
    Stop();
  }
}

// The marks window is not shown at start, empty as it is, when the start stops early either:
// whatever the settings saved of it.
TEST_F(EditFormStart, NoEmptyMarksWindowAtStart) {
  const QString missing = TempFile("m.txt");
  const struct {
    const char* Label;
    QStringList Args;
    bool DialogCancelled;
    std::deque<TAnswer> Answers;
    bool BrokenSettings;  // a value of the wrong kind stops the start with an error
  } rows[] = {
      {"completed", {}, false, {}, false},
      {"'Non' to creating the file", {missing}, false, {TAnswer::No}, false},
      {"-d then Annuler", {"-d"}, true, {}, false},
      {"an error at start", {}, false, {}, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Label);
    QFile::remove(SettingsPath());
    {
      auto store = OpenStore();
      store->WriteString("MarkForm", "Rev", "3");
      store->WriteString("MarkForm", "Visible", "1");
      store->WriteString("MarkForm", "DockedTo", "DockBottom");
      store->Flush();
    }
    if (row.BrokenSettings) {
      QFile file(SettingsPath());
      ASSERT_TRUE(file.open(QIODevice::Append));
      file.write("[Edition]\nMarques=1, 2\n");
    }
    Prompter.Answers = row.Answers;
    if (row.DialogCancelled) Prompter.OpenNames = {QStringList()};
    TEditForm& form = Start(row.Args);
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.StartOutcome() == TStartOutcome::Completed, std::string(row.Label) == "completed");
    EXPECT_FALSE(form.Bars().MarkForm->isVisible());
    EXPECT_FALSE(form.SearchMenu().Gestionnairedemarques1->isChecked());
    Stop();
  }
}

TEST_F(EditFormStart, MissingFileQuestionNamesTheFileInTheApplicationTitle) {
  const QString missing = TempFile("m.txt");
  Prompter.Answers = {TAnswer::No};
  Start({missing});
  ASSERT_EQ(Prompter.Asked.size(), 1u);
  EXPECT_EQ(Prompter.Asked[0].Caption, "Quilmo");
  EXPECT_EQ(Prompter.Asked[0].Text, "Le fichier " + missing + " n'existe pas, voulez-vous le créer?");
}

TEST_F(EditFormStart, FirstStartWritesTheDefaultsAndStartsWithThem) {
  TEditForm& form = Start();
  EXPECT_TRUE(form.ViewFlags().StatusBarShown);
  EXPECT_TRUE(form.ViewFlags().StatusHelp);
  EXPECT_TRUE(form.ViewFlags().Tooltips);
  EXPECT_FALSE(form.ViewFlags().StandardButtons);
  EXPECT_FALSE(form.EditMenu().Retourlaligneautomatique1->isChecked());
  EXPECT_FALSE(form.EditingOptions().SaveOnExit);
  EXPECT_EQ(form.Editor1().TabSize(), 4);
  EXPECT_EQ(form.Editor1().FixedFont().Name(), "Fixedsys");
  EXPECT_EQ(form.Editor1().FixedFont().Size(), 9);
  EXPECT_FALSE(form.ToolButtons().PrintBtn->isEnabled());
  EXPECT_FALSE(form.ToolButtons().FindBtn->isEnabled());
  EXPECT_EQ(form.ProgramFolder(), TempFile(""));
  Stop();
  auto store = OpenStore();
  EXPECT_EQ(store->ReadString("Police", "Nom", ""), "Fixedsys");
  EXPECT_EQ(store->ReadString("Toolbar", "Rev", ""), "3");
}

TEST_F(EditFormStart, AKeyWithAnySectionIsNotAFirstStart) {
  {
    auto store = OpenStore();
    store->WriteBool("Edition", "Marques", true);
    store->Flush();
  }
  TEditForm& form = Start();
  EXPECT_EQ(form.Editor1().LeftMargin(), 15);
  EXPECT_FALSE(form.ViewFlags().StatusBarShown);
  Stop();
  EXPECT_FALSE(OpenStore()->ValueExists("Police", "Nom"));
}

TEST_F(EditFormStart, StoredValuesAreApplied) {
  const struct {
    const char* Section;
    const char* Name;
    const char* Value;
    int TabSize;
    TTabType TabType;
    const char* FontName;  // nullptr: the design font stays
    int FontSize;
    TFontStyles Style;
  } cases[] = {
      {"Edition", "Taille des tabulations", "260", 4, TTabType::ttReal, nullptr, 8, 0},
      {"Edition", "Taille des tabulations", "7", 7, TTabType::ttReal, nullptr, 8, 0},
      {"Edition", "Taille des tabulations", "sept", 4, TTabType::ttReal, nullptr, 8, 0},
      {"Edition", "Type des tabulations", "2", 4, TTabType::ttSmart, nullptr, 8, 0},
      {"Edition", "Type des tabulations", "3", 4, TTabType::ttReal, nullptr, 8, 0},
      {"Police", "Style", "Gras", 4, TTabType::ttReal, "Fixedsys", 12, fsBold},
      {"Police", "Style", "Gras-italic", 4, TTabType::ttReal, "Fixedsys", 12, fsBold | fsItalic},
      {"Police", "Style", "gras", 4, TTabType::ttReal, "Fixedsys", 9, 0},
  };
  for (const auto& c : cases) {
    QFile::remove(SettingsPath());
    {
      auto store = OpenStore();
      store->WriteString(c.Section, c.Name, c.Value);
      if (c.FontName) {
        store->WriteString("Police", "Nom", c.FontName);
        store->WriteInteger("Police", "Taille", 12);
      }
      store->Flush();
    }
    TEditForm& form = Start();
    const std::string label = std::string(c.Name) + "=" + c.Value;
    EXPECT_EQ(form.Editor1().TabSize(), c.TabSize) << label;
    EXPECT_EQ(form.Editor1().TabType(), c.TabType) << label;
    if (c.FontName) {
      EXPECT_EQ(form.Editor1().FixedFont().Name(), c.FontName) << label;
    }
    EXPECT_EQ(form.Editor1().FixedFont().Size(), c.FontSize) << label;
    EXPECT_EQ(form.Editor1().FixedFont().Style(), c.Style) << label;
    Stop();
  }
}

TEST_F(EditFormStart, SettingsSavedOnExitComeBack) {
  TEditForm& form = Start({"-i"});
  form.Editor1().SetTabType(TTabType::ttSmart);
  form.Enregistrerlaconfiguration1Click();
  form.Editor1().SetTabType(TTabType::ttFixed);
  form.Enregistrerlaconfigurationenquittant1Click();
  form.Barredestatus1Click();
  form.Retourlaligneautomatique1Click();
  Stop();
  TEditForm& again = Start();
  EXPECT_EQ(again.Editor1().TabType(), TTabType::ttFixed);
  EXPECT_TRUE(again.MultipleOpenings());
  EXPECT_TRUE(again.EditingOptions().SaveOnExit);
  EXPECT_FALSE(again.ViewFlags().StatusBarShown);
  EXPECT_TRUE(again.Bars().PanelBar->isHidden());
  EXPECT_TRUE(again.Editor1().WordWrap());
  EXPECT_TRUE(again.ToolButtons().WrapBtn->isChecked());
}

TEST_F(EditFormStart, LogStampOnlyForAnExactFirstLine) {
  const struct {
    const char* Text;
    bool Stamped;
  } cases[] = {{".LOG\r\nabc\r\n", true}, {".log\r\nabc\r\n", false}, {".LOG \r\nabc\r\n", false}};
  const QString year = QDate::currentDate().toString("yy");
  for (const auto& c : cases) {
    const QString name = MakeFile("log.txt", c.Text);
    TEditForm& form = Start({name});
    TTextFileEditor& editor = form.Editor1();
    EXPECT_EQ(editor.Modified(), c.Stamped) << c.Text;
    const std::string last = editor.GetLineText(editor.LineCount());
    EXPECT_EQ(last.size() == 14 && QString::fromStdString(last).mid(6, 2) == year, c.Stamped) << last;
    if (c.Stamped) Prompter.Answers = {TAnswer::No};
    Stop();
  }
}

}  // namespace
}  // namespace quilmo::test
