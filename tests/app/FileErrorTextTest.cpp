// The messages of failed loads and saves: French, naming the file and the reason.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>

#include "editor/TextFileEditor.h"
#include "engine/FileError.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

namespace quilmo {
namespace {

using test::TFsOp;

struct TFailureCase {
  const char* Name;
  // Prepares the folder and the file system; returns the file the operation uses.
  std::function<std::string(const test::TTempDir& dir, test::TFaultyFileSystem& fs)> Prepare;
  bool Save;            // else load
  std::string Message;  // with "FILE" for the file's name
};

class FileErrorTextTest : public ::testing::TestWithParam<TFailureCase> {};

TEST_P(FileErrorTextTest, NamesTheFileAndTheReasonInFrench) {
  test::TTempDir dir;
  test::TFaultyFileSystem fs;
  const std::string file = GetParam().Prepare(dir, fs);
  TTextFileEditor editor;
  editor.SetFileSystem(fs);
  editor.AppendPara("du texte");  // a save has something to write
  std::string message = GetParam().Message;
  message.replace(message.find("FILE"), 4, file);
  try {
    if (GetParam().Save)
      editor.SaveTextFile(file);
    else
      editor.LoadTextFile(file);
    ADD_FAILURE() << "no error";
  } catch (const EFileError& error) {
    EXPECT_EQ(std::string(error.what()), message);
  }
}

std::string Existing(const test::TTempDir& dir) {
  const std::string file = dir.File("doc.txt");
  test::WriteFileBytes(file, "text\r\n");
  return file;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileErrorTextTest,
    ::testing::Values(
        TFailureCase{"LoadMissing", [](const auto& dir, auto&) { return dir.File("none.txt"); }, false,
                     "Impossible d'ouvrir le fichier « FILE » : fichier ou dossier introuvable"},
        TFailureCase{"LoadFolder",
                     [](const auto& dir, auto&) {
                       std::filesystem::create_directory(dir.File("folder"));
                       return dir.File("folder");
                     },
                     false, "Impossible de lire le fichier « FILE » : c'est un dossier"},
        TFailureCase{"LoadRefused",
                     [](const auto& dir, auto& fs) {
                       fs.FailAt(TFsOp::OpenRead, 1, EACCES);
                       return Existing(dir);
                     },
                     false, "Impossible d'ouvrir le fichier « FILE » : accès refusé"},
        TFailureCase{"SaveFolderGone", [](const auto& dir, auto&) { return dir.File("gone/doc.txt"); }, true,
                     "Impossible d'enregistrer le fichier « FILE » : fichier ou dossier introuvable"},
        TFailureCase{"SaveOverFolder",
                     [](const auto& dir, auto&) {
                       std::filesystem::create_directory(dir.File("folder"));
                       return dir.File("folder");
                     },
                     true, "Impossible d'enregistrer le fichier « FILE » : c'est un dossier"},
        TFailureCase{"SaveDiskFull",
                     [](const auto& dir, auto& fs) {
                       fs.FailAt(TFsOp::Write, 1, ENOSPC, true);
                       return Existing(dir);
                     },
                     true, "Impossible d'enregistrer le fichier « FILE » : plus de place sur le disque"},
        TFailureCase{"SaveWriteProtected",
                     [](const auto& dir, auto& fs) {
                       fs.FailAt(TFsOp::CheckWritable, 1, EACCES);
                       return Existing(dir);
                     },
                     true, "Impossible d'enregistrer le fichier « FILE » : accès refusé"},
        TFailureCase{"RareReasonKeepsItsNumber",
                     [](const auto& dir, auto& fs) {
                       fs.FailAt(TFsOp::OpenRead, 1, EPROTO);
                       return Existing(dir);
                     },
                     false,
                     "Impossible d'ouvrir le fichier « FILE » : " + std::generic_category().message(EPROTO) +
                         " (erreur " + std::to_string(EPROTO) + ")"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quilmo
