#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "editor/TextFileEditor.h"
#include "support/FaultyFileSystem.h"

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

// A document that could not be read or created at start is untitled: what is typed in it is
// saved through Save As, never over the file named (nor again at the impossible name).
TEST_F(EditFormStart, AFailedOpenOrCreateLeavesAnUntitledDocument) {
  const struct {
    const char* Label;
    QStringList Args;  // "$F" an existing file, "$D" a folder, "$N" a file in a missing folder
    TFsOp Fails;       // the first call of it fails with Err
    int Err;
    bool DialogPicksF;
  } rows[] = {
      {"write-only file", {"$F"}, TFsOp::OpenRead, EACCES, false},
      {"file refused while read", {"$F"}, TFsOp::Read, EFBIG, false},
      {"folder", {"$D"}, TFsOp::Count, 0, false},
      {"write-only file, two arguments", {"-i", "$F"}, TFsOp::OpenRead, EACCES, false},
      {"write-only file from the start dialog", {"-d"}, TFsOp::OpenRead, EACCES, true},
      {"file in a missing folder", {"$N"}, TFsOp::Count, 0, false},
      {"file in a missing folder, three arguments", {"-d", "-i", "$N"}, TFsOp::Count, 0, false},
  };
  const QString file = MakeFile("f.txt", "2.2 Go\n");
  const QString folder = TempFile("");
  const QString impossible = TempFile("none/x.txt");
  for (const auto& row : rows) {
    TFaultyFileSystem faulty;
    if (row.Fails != TFsOp::Count) faulty.FailAt(row.Fails, 1, row.Err);
    FileSystem = &faulty;
    QStringList args = row.Args;
    args.replaceInStrings("$F", file).replaceInStrings("$D", folder).replaceInStrings("$N", impossible);
    if (row.DialogPicksF) Prompter.OpenNames = {QStringList{file}};
    if (args.last() == impossible) Prompter.Answers = {TAnswer::Yes};  // create it
    TEditForm& form = Start(args);
    EXPECT_EQ(Prompter.Shown.size(), 1U) << row.Label;
    EXPECT_EQ(form.windowTitle(), "Quilmo - Sans titre") << row.Label;
    EXPECT_TRUE(form.IsUntitled()) << row.Label;
    form.Editor1().InsertString("ab");
    Prompter.SaveNames = {QString()};  // Save As cancelled
    EXPECT_NO_THROW(form.Save1Click()) << row.Label;
    EXPECT_EQ(Prompter.SaveRequests.size(), 1U) << row.Label;
    EXPECT_EQ(ReadFileBytes(Dir.File("f.txt")), "2.2 Go\n") << row.Label;
    EXPECT_FALSE(QFileInfo::exists(impossible)) << row.Label;
    Prompter.Answers = {TAnswer::No};
    Stop();
    FileSystem = nullptr;
    Prompter = {};
  }
}

// Bad settings and a settings store that cannot be written still open the file named on the
// command line, as a document that saves under its name.
TEST_F(EditFormStart, SettingsFaultsDoNotStopTheStart) {
  const struct {
    const char* Label;
    const char* Settings;  // nullptr: a folder stands where the settings file should be
    const char* Message;   // the one error shown, or nullptr
    const char* Section;   // a value that the next save writes again as it should be
    const char* Name;
  } rows[] = {
      {"bytes", "[Disposition]\nBarres=@ByteArray(AAAA)\n", nullptr, "Disposition", "Barres"},
      {"a list", "[Edition]\nTaille des tabulations=4, 8\n", nullptr, "Edition", "Taille des tabulations"},
      {"unwritable store", nullptr, "Erreur à définition des données pour 'Path'", nullptr, nullptr},
  };
  for (const auto& row : rows) {
    const QString file = MakeFile("f.txt", "abc\r\n");
    std::filesystem::remove_all(SettingsPath().toStdString());
    if (row.Settings)
      WriteFileBytes(SettingsPath().toStdString(), row.Settings);
    else
      std::filesystem::create_directory(SettingsPath().toStdString());
    TEditForm& form = Start({file});
    EXPECT_EQ(form.windowTitle(), "Quilmo - " + file) << row.Label;
    EXPECT_EQ(form.Editor1().TabSize(), 4) << row.Label;
    form.Editor1().InsertString("x");
    form.Save1Click();
    EXPECT_EQ(ReadFileBytes(Dir.File("f.txt")), "xabc\r\n") << row.Label;
    form.Enregistrerlaconfiguration1Click();
    Stop();
    std::vector<QString> shown;
    for (const auto& message : Prompter.Shown) shown.push_back(message.Text);
    EXPECT_EQ(shown, row.Message ? std::vector<QString>{row.Message} : std::vector<QString>{}) << row.Label;
    if (row.Section) {
      EXPECT_TRUE(OpenStore()->ValueExists(row.Section, row.Name)) << row.Label;
    }
    Prompter = {};
  }
}

TEST_F(EditFormStart, ARememberedPositionIsFittedToTheScreen) {
  const struct {
    const char* Label;
    int Left, Top, Width, Height;
  } rows[] = {
      {"title bar off the screen", 5000, -3000, 78, 78},
      {"larger than any screen", 0, 0, 32767, 32767},
  };
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  for (const auto& row : rows) {
    {
      auto store = OpenStore();
      store->WriteBool("Position", "Position", true);
      store->WriteInteger("Position", "Left", row.Left);
      store->WriteInteger("Position", "Top", row.Top);
      store->WriteInteger("Position", "Width", row.Width);
      store->WriteInteger("Position", "Height", row.Height);
      store->Flush();
    }
    TEditForm& form = Start();
    EXPECT_TRUE(area.contains(form.geometry())) << row.Label;
    EXPECT_GE(form.width(), std::min(320, area.width())) << row.Label;
    EXPECT_GE(form.height(), std::min(200, area.height())) << row.Label;
    Stop();
  }
}

// The marks window is not shown at start, empty as it is, when the start stops early either:
// whatever the settings saved of it.
TEST_F(EditFormStart, NoEmptyMarksWindowAtStart) {
  const QString missing = TempFile("m.txt");
  const QString folder = TempFile("");  // a folder named as the file: its load fails
  const struct {
    const char* Label;
    QStringList Args;
    bool DialogCancelled;
    std::deque<TAnswer> Answers;
  } rows[] = {
      {"completed", {}, false, {}},
      {"'Non' to creating the file", {missing}, false, {TAnswer::No}},
      {"-d then Annuler", {"-d"}, true, {}},
      {"an error at start", {folder}, false, {}},
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
      {"Police", "Taille", "100000", 4, TTabType::ttReal, "Fixedsys", 8, 0},
  };
  for (const auto& c : cases) {
    QFile::remove(SettingsPath());
    {
      auto store = OpenStore();
      if (c.FontName) {
        store->WriteString("Police", "Nom", c.FontName);
        store->WriteInteger("Police", "Taille", 12);
      }
      store->WriteString(c.Section, c.Name, c.Value);
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
