// File names that are not UTF-8: kept as the bytes given from the command line, a drop and the
// history, refused when only a damaged spelling reached us (a dialog), and never read or
// written under another name.

#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>

#include "FormFixture.h"
#include "app/NameBytes.h"
#include "editor/TextFileEditor.h"
#include "engine/FileError.h"

namespace quilmo::test {
namespace {

const QString kBad = QString(QChar(0xFFFD));

TEST(NameBytes, EveryNameComesBackAsItsBytes) {
  const struct {
    std::string Bytes;
    QString Shown;  // as the caption shows it
  } cases[] = {
      {"/tmp/\xC3\xA9.txt", QString::fromUtf8("/tmp/\xC3\xA9.txt")},
      {"inv\xFF\xFE.txt", "inv" + kBad + kBad + ".txt"},
      {"\xEF\xBF\xBD", kBad},                          // a real U+FFFD
      {"a\xC3", "a" + kBad},                           // a cut character
      {"\xE0\x80\xAF\xED\xB2\x80", kBad.repeated(6)},  // overlong "/", a surrogate's bytes
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NameBytes(NameFromBytes(c.Bytes)), c.Bytes) << c.Bytes;
    EXPECT_EQ(DisplayName(NameFromBytes(c.Bytes)), c.Shown) << c.Bytes;
  }
  const char* argv[] = {"Kel", "inv\xFF.txt"};
  EXPECT_EQ(NameBytes(ArgumentsFromBytes(2, argv).value(0)), argv[1]);
  EXPECT_EQ(NameBytes(LocalFileName(QUrl(QStringLiteral("file:///t/i%FF%20.txt")))), "/t/i\xFF .txt");
  const std::string folder = std::filesystem::current_path().native();
  EXPECT_EQ(NameBytes(AbsoluteName(NameFromBytes("./a/../i\xFF."))), folder + "/i\xFF.");
  // The history keeps names as they always were, and those that are no UTF-8 as URLs.
  const std::pair<std::string, QString> stored[] = {{"/u/\xC3\xA9.txt", QString::fromUtf8("/u/\xC3\xA9.txt")},
                                                    {"/t/100%\xFF", "file:///t/100%25%FF"},
                                                    {"file://x", "file://file%3A//x"}};
  for (const auto& [bytes, value] : stored) {
    EXPECT_EQ(StoredName(bytes), value) << bytes;
    EXPECT_EQ(NameFromStored(value), bytes) << bytes;
  }
}

// A copy of the program is started with the bytes of the name, whatever they are.
TEST(NameBytes, CopiesAreStartedWithTheBytes) {
  TTempDir dir;
  const std::string out = dir.File("out");
  const std::string name = "/t/inv\xFF\xFE \xC3\xA9.txt";
  ASSERT_TRUE(
      TProcessStarter().Start("/bin/sh", {"-c", "printf %s \"$1\" > \"$2.part\" && mv \"$2.part\" \"$2\"",
                                          "sh", NameFromBytes(name), NameFromBytes(out)}));
  for (int i = 0; i < 500 && !std::filesystem::exists(out); ++i) QTest::qWait(10);
  EXPECT_EQ(ReadFileBytes(out), name);
}

class NameBytesForm : public FormFixture {
 protected:
  NameBytesForm() { std::filesystem::create_directory(Dir.File("d")); }
  // A document of the folder "d" (beside the settings file); its full name as bytes.
  std::string Doc(const std::string& name) const { return Dir.File("d/" + name); }
  QString Make(const std::string& name, const std::string& bytes) {
    WriteFileBytes(Doc(name), bytes);
    return NameFromBytes(Doc(name));
  }
  std::vector<std::string> Docs() const { return FolderEntries(Dir.File("d")); }
};

// `Kel "$(printf 'inv\xff\xfe.txt')"`: the file is opened, shown and saved under its own bytes,
// kept so by the history, and a missing one is created under them.
TEST_F(NameBytesForm, CommandLineNamesKeepTheirBytes) {
  const std::string bytes = "inv\xFF\xFE.txt";
  const std::string damaged = "inv\xEF\xBF\xBD\xEF\xBF\xBD.txt";
  const QString name = Make(bytes, "texte\n");
  Make(damaged, "autre\n");
  TEditForm& form = Start({name});
  EXPECT_EQ(form.Editor1().GetLineText(1), "texte");
  EXPECT_EQ(form.windowTitle(), "Quilmo - " + DisplayName(name));
  form.Editor1().InsertString("+");
  form.Save1Click();
  EXPECT_EQ(ReadFileBytes(Doc(bytes)), "+texte\n");
  EXPECT_EQ(ReadFileBytes(Doc(damaged)), "autre\n");
  Stop();
  EXPECT_EQ(Start().History().Entry(0), Doc(bytes));  // through the settings file
  Stop();

  std::filesystem::remove(Doc(bytes));
  Prompter.Answers = {TAnswer::Yes};
  Start({name});
  EXPECT_EQ(Docs(), (std::vector<std::string>{damaged, bytes}));
}

TEST_F(NameBytesForm, DroppedNamesAreTakenWhole) {
  // A long name is taken whole, not cut to another file's name.
  const std::string longName = std::string(200, 'f') + "/" + std::string(100, 'n');
  std::filesystem::create_directory(Doc(std::string(200, 'f')));
  Make(longName.substr(0, 255 - Doc("").size()), "cut\n");
  Start().FilesDropped({Make(longName, "long\n")});
  EXPECT_EQ(Form->Editor1().GetLineText(1), "long");
}

// A dialog gives names decoded by Qt: a damaged one is refused, and no file is read or made
// under it; a real U+FFFD in a name that exists is taken.
TEST_F(NameBytesForm, DamagedDialogNamesAreRefused) {
  Make("inv\xFF.txt", "texte\n");
  TEditForm& form = Start();
  Prompter.OpenNames = {QStringList{QString::fromUtf8(Doc("inv\xFF.txt"))}};
  try {
    form.Open1Click();  // the program shows what an event handler raises
    ADD_FAILURE() << "not refused";
  } catch (const EFileError& error) {
    EXPECT_NE(std::string(error.what()).find("abîmé"), std::string::npos) << error.what();
  }
  EXPECT_EQ(form.Editor1().FileName(), "Sans titre");
  EXPECT_EQ(Docs(), (std::vector<std::string>{"inv\xFF.txt"}));
  EXPECT_EQ(CheckedNameBytes(form.Editor1().FileSystem(), Make("\xEF\xBF\xBD", "")), Doc("\xEF\xBF\xBD"));
}

}  // namespace
}  // namespace quilmo::test
