// File names that are not UTF-8: kept as the bytes given from the command line, a drop and the
// history, refused when only a damaged spelling reached us (a dialog), and never read or
// written under another name.

#include <QMimeData>
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

const QString kShownReplacement = QString(QChar(0xFFFD));

TEST(NameBytes, EveryNameComesBackAsItsBytes) {
  const struct {
    std::string Bytes;
    QString Shown;  // as the caption shows it
  } cases[] = {
      {"/tmp/plain.txt", "/tmp/plain.txt"},
      {"/tmp/\xC3\xA9t\xC3\xA9.txt", QString::fromUtf8("/tmp/\xC3\xA9t\xC3\xA9.txt")},
      {"inv\xFF\xFE.txt", "inv" + kShownReplacement + kShownReplacement + ".txt"},
      {"\xEF\xBF\xBD", kShownReplacement},                                  // a real U+FFFD
      {"a\xC3", "a" + kShownReplacement},                                   // cut character
      {"\xE0\x80\xAF", kShownReplacement.repeated(3)},                      // overlong "/"
      {"\xED\xB2\x80", kShownReplacement.repeated(3)},                      // a surrogate's bytes
      {"\xF4\x90\x80\x80", kShownReplacement.repeated(4)},                  // beyond U+10FFFF
      {"\xF0\x9F\x98\x80!", QString::fromUtf8("\xF0\x9F\x98\x80!")},        // four bytes
      {"\xC3\xA9\xA9", QString::fromUtf8("\xC3\xA9") + kShownReplacement},  // one byte too many
  };
  for (const auto& c : cases) {
    const QString name = NameFromBytes(c.Bytes);
    EXPECT_EQ(NameBytes(name), c.Bytes) << c.Bytes;
    EXPECT_EQ(DisplayName(name), c.Shown) << c.Bytes;
  }
  const char* argv[] = {"Kel", "-i", "inv\xFF.txt"};
  const QStringList arguments = ArgumentsFromBytes(3, argv);
  ASSERT_EQ(arguments.size(), 2);
  EXPECT_EQ(NameBytes(arguments[1]), argv[2]);
  // A dropped file's URL holds its bytes.
  EXPECT_EQ(NameBytes(LocalFileName(QUrl(QStringLiteral("file:///tmp/inv%FF%FE.txt")))),
            "/tmp/inv\xFF\xFE.txt");
  EXPECT_EQ(NameBytes(LocalFileName(QUrl::fromLocalFile(QString::fromUtf8("/tmp/\xC3\xA9 #1.txt")))),
            "/tmp/\xC3\xA9 #1.txt");
}

TEST(NameBytes, StoredNamesStayReadable) {
  const struct {
    std::string Bytes;
    QString Stored;
  } cases[] = {
      {"/home/u/notes.txt", "/home/u/notes.txt"},
      {"/home/u/\xC3\xA9t\xC3\xA9.txt", QString::fromUtf8("/home/u/\xC3\xA9t\xC3\xA9.txt")},
      {"/tmp/inv\xFF\xFE.txt", "file:///tmp/inv%FF%FE.txt"},
      {"/tmp/100%\xFF", "file:///tmp/100%25%FF"},
      {"file://x", "file://file%3A//x"},  // a name that looks stored is stored too
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StoredName(c.Bytes), c.Stored) << c.Bytes;
    EXPECT_EQ(NameFromStored(c.Stored), c.Bytes) << c.Bytes;
  }
}

TEST(NameBytes, AbsoluteNamesKeepTheBytesAndTheDots) {
  const std::string folder = std::filesystem::current_path().native();
  const struct {
    std::string Given;
    std::string Absolute;
  } cases[] = {
      {"notes.", folder + "/notes."},
      {"./a/../inv\xFF.txt", folder + "/inv\xFF.txt"},
      {"/x//y/./z", "/x/y/z"},
      {"/A.txt", "/A.txt"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NameBytes(AbsoluteName(NameFromBytes(c.Given))), c.Absolute) << c.Given;
}

// A copy of the program is started with the bytes of the name, whatever they are.
TEST(NameBytes, CopiesAreStartedWithTheBytes) {
  TTempDir dir;
  const std::string out = dir.File("out");
  const std::string name = "/tmp/inv\xFF\xFE \xC3\xA9.txt";
  TProcessStarter starter;
  ASSERT_TRUE(starter.Start(
      QStringLiteral("/bin/sh"),
      {QStringLiteral("-c"), QStringLiteral("printf %s \"$1\" > \"$2.part\" && mv \"$2.part\" \"$2\""),
       QStringLiteral("sh"), NameFromBytes(name), NameFromBytes(out)}));
  for (int i = 0; i < 500 && !std::filesystem::exists(out); ++i) QTest::qWait(10);
  EXPECT_EQ(ReadFileBytes(out), name);
  EXPECT_FALSE(starter.Start(NameFromBytes(dir.File("none")), {}));
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

TEST_F(NameBytesForm, DroppedNamesKeepTheirBytes) {
  const std::string bytes = "d\xE9j\xE0.txt";  // Windows-1252
  Make(bytes, "drop\n");
  TEditForm& form = Start();
  const QByteArray encoded = QByteArray::fromStdString(Doc(bytes)).toPercentEncoding("/");
  form.FilesDropped({LocalFileName(QUrl(QStringLiteral("file://") + QString::fromLatin1(encoded)))});
  EXPECT_EQ(form.Editor1().FileName(), Doc(bytes));
  EXPECT_EQ(form.Editor1().GetLineText(1), "drop");

  // A long name is taken whole, not cut to another file's name.
  const std::string longName = std::string(200, 'f') + "/" + std::string(100, 'n');
  std::filesystem::create_directory(Doc(std::string(200, 'f')));
  Make(longName, "long\n");
  Make(longName.substr(0, 255 - Doc("").size()), "cut\n");
  form.FilesDropped({NameFromBytes(Doc(longName))});
  EXPECT_EQ(form.Editor1().GetLineText(1), "long");
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
  const QString real = Make("r\xEF\xBF\xBD.txt", "");
  EXPECT_EQ(CheckedNameBytes(form.Editor1().FileSystem(), real), Doc("r\xEF\xBF\xBD.txt"));
}

}  // namespace
}  // namespace quilmo::test
