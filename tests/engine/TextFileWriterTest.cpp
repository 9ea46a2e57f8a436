// Saving text files: the bytes written, backup names, and what saving keeps of the file
// (permissions, owner, symbolic and hard links).

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/FileError.h"
#include "engine/TextFileReader.h"
#include "engine/TextFileWriter.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"
#include "support/VectorSource.h"

namespace quilmo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::FolderEntries;
using test::ReadFileBytes;
using test::TVectorSource;
using test::WriteFileBytes;

void Save(const std::string& path, const Lines& paras, bool backup = false, const std::string& ext = "BAK",
          TFileSystem& fileSystem = DefaultFileSystem()) {
  TTextFileWriter writer(fileSystem);
  writer.SetMakeBackup(backup);
  writer.SetBackupExt(ext);
  TVectorSource source(paras);
  writer.Save(path, source);
}

std::string SavedBytes(const Lines& paras) {
  test::TTempDir dir;
  Save(dir.File("f.txt"), paras);
  return ReadFileBytes(dir.File("f.txt"));
}

uint32_t ModeOf(const std::string& path) {
  struct stat st;
  EXPECT_EQ(::stat(path.c_str(), &st), 0);
  return st.st_mode & 07777;
}

bool IsRoot() {
  return ::geteuid() == 0;
}

TEST(TextFileWriter, EveryParagraphEndsWithCrLfExceptAnEmptyLastOne) {
  EXPECT_EQ(SavedBytes({"a", "b", ""}), "a\r\nb\r\n");
  EXPECT_EQ(SavedBytes({"a", "b"}), "a\r\nb\r\n");
  EXPECT_EQ(SavedBytes({""}), "");
  EXPECT_EQ(SavedBytes({}), "");
  EXPECT_EQ(SavedBytes({"", ""}), "\r\n");
  EXPECT_EQ(SavedBytes({"a", "", "", "b", ""}), "a\r\n\r\n\r\nb\r\n");
  EXPECT_EQ(SavedBytes({"", "x"}), "\r\nx\r\n");
}

TEST(TextFileWriter, CodesOneToEightAreWrittenAsBlanksAndTabAsTab) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  std::string expected = std::string(8, ' ') + all.substr(8);
  EXPECT_EQ(SavedBytes({all}), expected + "\r\n");
  EXPECT_EQ(SavedBytes({"a\tb", "lone\nlf"}), "a\tb\r\nlone\nlf\r\n");
}

TEST(TextFileWriter, LargeTextCrossesTheWriteBufferIntact) {
  Lines paras;
  std::string expected;
  for (int i = 0; i < 30000; ++i) {
    paras.push_back(std::string(static_cast<size_t>(i % 53), static_cast<char>('a' + i % 26)));
    std::string written = paras.back();
    // Codes 1 to 8 in every part of the text, so in every write of the buffer.
    if (i % 7 == 0) {
      paras.back() += static_cast<char>(1 + i % 8);
      written += ' ';
    }
    expected += written + "\r\n";
  }
  std::string longPara(TTextFileWriter::BufferSize * 2 + 3, 'z');  // longer than the buffer
  longPara[TTextFileWriter::BufferSize + 1] = '\b';
  paras.push_back(longPara);
  longPara[TTextFileWriter::BufferSize + 1] = ' ';
  expected += longPara + "\r\n";
  EXPECT_EQ(SavedBytes(paras), expected);
}

TEST(TextFileWriter, SavedTextReadsBackTheSame) {
  const Lines paras = {"premi\xe8re ligne", "", "  indent\xe9", "lone\nlf", "\xff\x80", "fin"};
  test::TTempDir dir;
  Save(dir.File("r.txt"), paras);
  Lines back;
  TTextFileReader reader;
  EXPECT_EQ(reader.Load(
                dir.File("r.txt"),
                [&](const char* text, size_t n) {
                  back.emplace_back(text, n);
                  return uint16_t{0};
                },
                [&] { back.clear(); }),
            0);
  EXPECT_EQ(back, paras);
}

TEST(TextFileWriter, BackupFileNames) {
  auto name = TTextFileWriter::BackupFileName;
  EXPECT_EQ(name("a.txt", "BAK"), "a.BAK");
  EXPECT_EQ(name("a", "BAK"), "a.BAK");
  EXPECT_EQ(name("a.b.c", "old"), "a.b.old");
  EXPECT_EQ(name("a.", "BAK"), "a.BAK");
  EXPECT_EQ(name("/home/v1.2/notes", "BAK"), "/home/v1.2/notes.BAK");
  EXPECT_EQ(name("/home/v1.2/notes.txt", "BAK"), "/home/v1.2/notes.BAK");
  // A leading dot starts no extension: each dotfile keeps a backup of its own.
  EXPECT_EQ(name("dir.d/.profile", "BAK"), "dir.d/.profile.BAK");
  EXPECT_EQ(name(".bashrc", "BAK"), ".bashrc.BAK");
  EXPECT_EQ(name(".config.old", "BAK"), ".config.BAK");
  EXPECT_EQ(name("a.BAK", "BAK"), "a.BAK");
  EXPECT_EQ(name("a.bak", "BAK"), "a.BAK");
}

TEST(TextFileWriter, PathPieces) {
  EXPECT_EQ(FolderOf("a/b.txt"), "a");
  EXPECT_EQ(FolderOf("b.txt"), ".");
  EXPECT_EQ(FolderOf("/b.txt"), "/");
  EXPECT_EQ(FolderOf("a//b.txt"), "a");
  EXPECT_EQ(FolderOf("/x.d/y/b"), "/x.d/y");
  EXPECT_EQ(NameOf("/x.d/y/b.txt"), "b.txt");
  EXPECT_EQ(NameOf("b"), "b");
  EXPECT_EQ(JoinPath("/", "b"), "/b");
  EXPECT_EQ(JoinPath("a", "b"), "a/b");
  EXPECT_EQ(JoinPath("a/", "b"), "a/b");
}

TEST(TextFileWriter, BackupKeepsThePreviousVersion) {
  test::TTempDir dir;
  const std::string path = dir.File("doc.txt");

  Save(path, {"v1"}, true);  // a new file: nothing to keep
  EXPECT_EQ(FolderEntries(dir.Path()), (Lines{"doc.txt"}));

  Save(path, {"v2"}, true);
  EXPECT_EQ(ReadFileBytes(path), "v2\r\n");
  EXPECT_EQ(ReadFileBytes(dir.File("doc.BAK")), "v1\r\n");

  Save(path, {"v3"}, true);  // the older backup is replaced
  EXPECT_EQ(ReadFileBytes(path), "v3\r\n");
  EXPECT_EQ(ReadFileBytes(dir.File("doc.BAK")), "v2\r\n");

  Save(path, {"v4"}, true, "old");
  EXPECT_EQ(ReadFileBytes(dir.File("doc.old")), "v3\r\n");

  Save(path, {"v5"}, false);
  EXPECT_EQ(ReadFileBytes(dir.File("doc.BAK")), "v2\r\n");
  EXPECT_EQ(FolderEntries(dir.Path()), (Lines{"doc.BAK", "doc.old", "doc.txt"}));
}

TEST(TextFileWriter, BackupNameEqualToTheFileNameMakesNoBackup) {
  test::TTempDir dir;
  const std::string upper = dir.File("a.BAK");
  WriteFileBytes(upper, "old\r\n");
  Save(upper, {"new"}, true, "BAK");
  EXPECT_EQ(ReadFileBytes(upper), "new\r\n");
  EXPECT_EQ(FolderEntries(dir.Path()), (Lines{"a.BAK"}));

  // The comparison is exact: "b.bak" gets "b.BAK" as its backup.
  const std::string lower = dir.File("b.bak");
  WriteFileBytes(lower, "old b\r\n");
  Save(lower, {"new b"}, true, "BAK");
  EXPECT_EQ(ReadFileBytes(lower), "new b\r\n");
  EXPECT_EQ(ReadFileBytes(dir.File("b.BAK")), "old b\r\n");
}

TEST(TextFileWriter, BackupOfANameWithoutExtensionInADottedFolder) {
  test::TTempDir dir;
  fs::create_directory(dir.File("v1.2"));
  const std::string path = dir.File("v1.2/README");
  WriteFileBytes(path, "old\r\n");
  Save(path, {"new"}, true);
  EXPECT_EQ(ReadFileBytes(dir.File("v1.2/README.BAK")), "old\r\n");
  EXPECT_EQ(FolderEntries(dir.Path()), (Lines{"v1.2"}));
  EXPECT_EQ(FolderEntries(dir.File("v1.2")), (Lines{"README", "README.BAK"}));
}

TEST(TextFileWriter, ANewFileGetsTheUsualPermissions) {
  test::TTempDir dir;
  mode_t mask = ::umask(022);
  Save(dir.File("new.txt"), {"x"});
  ::umask(mask);
  EXPECT_EQ(ModeOf(dir.File("new.txt")), 0644u);
}

TEST(TextFileWriter, PermissionsAreKept) {
  test::TTempDir dir;
  for (uint32_t mode : {0600u, 0640u, 0755u, 0664u}) {
    const std::string path = dir.File("m.txt");
    WriteFileBytes(path, "old\r\n");
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    Save(path, {"new"}, true);
    EXPECT_EQ(ModeOf(path), mode);
    EXPECT_EQ(ModeOf(dir.File("m.BAK")), mode);  // the backup stays as private as the file
    EXPECT_EQ(ReadFileBytes(path), "new\r\n");
  }
}

TEST(TextFileWriter, OwnerAndGroupAreKeptWhenRunningAsRoot) {
  if (!IsRoot()) GTEST_SKIP() << "changing the owner needs root";
  test::TTempDir dir;
  const std::string path = dir.File("owned.txt");
  WriteFileBytes(path, "old\r\n");
  ASSERT_EQ(::chown(path.c_str(), 12345, 23456), 0);
  ASSERT_EQ(::chmod(path.c_str(), 02640), 0);
  Save(path, {"new"});
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 12345u);
  EXPECT_EQ(st.st_gid, 23456u);
  EXPECT_EQ(st.st_mode & 07777, 02640u);
  EXPECT_EQ(ReadFileBytes(path), "new\r\n");
}

TEST(TextFileWriter, AnOwnerThatCannotBeKeptMakesTheSaveWriteInPlace) {
  if (!IsRoot()) GTEST_SKIP() << "giving the file another owner needs root";
  test::TTempDir dir;
  const std::string path = dir.File("theirs.txt");
  WriteFileBytes(path, "old text\r\n");
  ASSERT_EQ(::chown(path.c_str(), 12345, 23456), 0);
  const auto permissions = fs::status(path).permissions();
  struct stat before;
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  test::TFaultyFileSystem fileSystem;
  fileSystem.FailAt(test::TFsOp::ChangeOwner, 1, EPERM);  // as for a user saving another's file
  Save(path, {"new"}, false, "BAK", fileSystem);
  struct stat after;
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);  // the same file, written in place
  EXPECT_EQ(after.st_uid, 12345u);
  EXPECT_EQ(after.st_gid, 23456u);
  EXPECT_EQ(fs::status(path).permissions(), permissions);
  EXPECT_EQ(ReadFileBytes(path), "new\r\n");
  EXPECT_EQ(FolderEntries(dir.Path()), (Lines{"theirs.txt"}));
}

TEST(TextFileWriter, SavingThroughASymbolicLinkReplacesItsTarget) {
  test::TTempDir dir;
  fs::create_directory(dir.File("real"));
  const std::string target = dir.File("real/doc.txt");
  WriteFileBytes(target, "old\r\n");
  ::chmod(target.c_str(), 0640);
  fs::create_symlink("real/doc.txt", dir.File("link.txt"));         // relative
  fs::create_symlink(dir.File("link.txt"), dir.File("chain.txt"));  // absolute, to a link

  Save(dir.File("chain.txt"), {"new"});
  EXPECT_TRUE(fs::is_symlink(dir.File("chain.txt")));
  EXPECT_TRUE(fs::is_symlink(dir.File("link.txt")));
  EXPECT_EQ(ReadFileBytes(target), "new\r\n");
  EXPECT_EQ(ModeOf(target), 0640u);
  EXPECT_EQ(FolderEntries(dir.File("real")), (Lines{"doc.txt"}));

  // The backup is named after the name used and holds the target's old text.
  Save(dir.File("link.txt"), {"newer"}, true);
  EXPECT_TRUE(fs::is_symlink(dir.File("link.txt")));
  EXPECT_EQ(ReadFileBytes(target), "newer\r\n");
  EXPECT_EQ(ReadFileBytes(dir.File("link.BAK")), "new\r\n");
  EXPECT_FALSE(fs::is_symlink(dir.File("link.BAK")));

  // A link whose target does not exist yet: the target is created.
  fs::create_symlink("real/later.txt", dir.File("dangling.txt"));
  Save(dir.File("dangling.txt"), {"born"});
  EXPECT_TRUE(fs::is_symlink(dir.File("dangling.txt")));
  EXPECT_EQ(ReadFileBytes(dir.File("real/later.txt")), "born\r\n");
}

TEST(TextFileWriter, ALinkFromTheBackupNameToTheFileMakesNoBackup) {
  test::TTempDir dir;
  WriteFileBytes(dir.File("x.BAK"), "old\r\n");
  fs::create_symlink("x.BAK", dir.File("x.txt"));
  Save(dir.File("x.txt"), {"new"}, true);
  EXPECT_TRUE(fs::is_symlink(dir.File("x.txt")));
  EXPECT_EQ(ReadFileBytes(dir.File("x.BAK")), "new\r\n");
}

TEST(TextFileWriter, SymbolicLinkLoopIsAnError) {
  test::TTempDir dir;
  fs::create_symlink("b", dir.File("a"));
  fs::create_symlink("a", dir.File("b"));
  EXPECT_THROW(Save(dir.File("a"), {"x"}), EFileError);
}

TEST(TextFileWriter, AHardLinkedFileIsWrittenInPlace) {
  test::TTempDir dir;
  const std::string path = dir.File("doc.txt");
  WriteFileBytes(path, std::string(1000, 'o') + "\r\n");
  fs::create_hard_link(path, dir.File("other.txt"));
  ASSERT_EQ(fs::hard_link_count(path), 2u);

  Save(path, {"short"});
  EXPECT_EQ(ReadFileBytes(path), "short\r\n");
  EXPECT_EQ(ReadFileBytes(dir.File("other.txt")), "short\r\n");  // truncated too
  EXPECT_EQ(fs::hard_link_count(path), 2u);
  EXPECT_EQ(FolderEntries(dir.Path()), (Lines{"doc.txt", "other.txt"}));

  Save(path, {"with", "backup"}, true);
  EXPECT_EQ(ReadFileBytes(dir.File("other.txt")), "with\r\nbackup\r\n");
  EXPECT_EQ(ReadFileBytes(dir.File("doc.BAK")), "short\r\n");
  EXPECT_EQ(fs::hard_link_count(path), 2u);
  EXPECT_EQ(FolderEntries(dir.Path()), (Lines{"doc.BAK", "doc.txt", "other.txt"}));
}

TEST(TextFileWriter, AFolderRefusingNewFilesFallsBackToWritingInPlace) {
  if (IsRoot()) GTEST_SKIP() << "root may create files in a write-protected folder";
  test::TTempDir dir;
  test::TTempDir temp;
  fs::create_directory(dir.File("locked"));
  const std::string path = dir.File("locked/doc.txt");
  WriteFileBytes(path, "old\r\n");
  ::chmod(dir.File("locked").c_str(), 0555);
  test::TFaultyFileSystem fileSystem;  // passes everything through; only the temporary folder
  fileSystem.SetTempFolder(temp.Path());
  Save(path, {"new"}, false, "BAK", fileSystem);
  EXPECT_EQ(ReadFileBytes(path), "new\r\n");
  EXPECT_EQ(FolderEntries(dir.File("locked")), (Lines{"doc.txt"}));
  EXPECT_TRUE(FolderEntries(temp.Path()).empty());  // the copy was removed
  EXPECT_GE(fileSystem.Calls(test::TFsOp::OpenWrite), 1);

  // A backup cannot be made there: the save fails and changes nothing.
  EXPECT_THROW(Save(path, {"newer"}, true, "BAK", fileSystem), EFileError);
  EXPECT_EQ(ReadFileBytes(path), "new\r\n");
}

TEST(TextFileWriter, AWriteProtectedFileIsNotReplaced) {
  if (IsRoot()) GTEST_SKIP() << "root may write any file";
  test::TTempDir dir;
  const std::string path = dir.File("ro.txt");
  WriteFileBytes(path, "old\r\n");
  ::chmod(path.c_str(), 0444);
  try {
    Save(path, {"new"});
    FAIL() << "no exception";
  } catch (const EFileError& e) {
    EXPECT_EQ(e.ErrorCode(), EACCES);
  }
  EXPECT_EQ(ReadFileBytes(path), "old\r\n");
}

TEST(TextFileWriter, FailuresNameTheFileInFrench) {
  test::TTempDir dir;
  const std::string missingFolder = dir.File("nowhere/doc.txt");
  try {
    Save(missingFolder, {"x"});
    FAIL() << "no exception";
  } catch (const EFileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Impossible d'enregistrer le fichier « " + missingFolder + " » : " + SystemErrorText(ENOENT));
    EXPECT_EQ(e.FileName(), missingFolder);
  }
  try {
    Save(dir.Path(), {"x"});
    FAIL() << "no exception";
  } catch (const EFileError& e) {
    EXPECT_EQ(e.ErrorCode(), EISDIR);
  }
  EXPECT_NO_THROW(Save("", {"x"}));  // no name: nothing happens
}

}  // namespace
}  // namespace quilmo
