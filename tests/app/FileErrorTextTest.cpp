// Failed loads and saves say in French which file failed and why.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "editor/TextFileEditor.h"
#include "engine/FileError.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

namespace quilmo {
namespace {

using test::TFsOp;

TEST(FileErrorTextTest, NamesTheFileAndTheReason) {
  struct TCase {
    const char* File;  // in the temporary folder: "doc.txt" exists, "folder" is a folder
    bool Save;
    TFsOp Failing;
    int Error;
    std::string Message;
  } const cases[] = {
      {"none.txt", false, TFsOp::Count, 0,
       "Impossible d'ouvrir le fichier « F » : fichier ou dossier introuvable"},
      {"folder", false, TFsOp::Count, 0, "Impossible de lire le fichier « F » : c'est un dossier"},
      {"doc.txt", false, TFsOp::OpenRead, EACCES, "Impossible d'ouvrir le fichier « F » : accès refusé"},
      {"gone/doc.txt", true, TFsOp::Count, 0,
       "Impossible d'enregistrer le fichier « F » : fichier ou dossier introuvable"},
      {"folder", true, TFsOp::Count, 0, "Impossible d'enregistrer le fichier « F » : c'est un dossier"},
      {"doc.txt", true, TFsOp::Write, ENOSPC,
       "Impossible d'enregistrer le fichier « F » : plus de place sur le disque"},
      {"doc.txt", true, TFsOp::CheckWritable, EACCES,
       "Impossible d'enregistrer le fichier « F » : accès refusé"},
  };
  for (const TCase& c : cases) {
    test::TTempDir dir;
    test::WriteFileBytes(dir.File("doc.txt"), "texte\r\n");
    std::filesystem::create_directory(dir.File("folder"));
    test::TFaultyFileSystem fs;
    if (c.Failing != TFsOp::Count) fs.FailAt(c.Failing, 1, c.Error, true);
    TTextFileEditor editor;
    editor.SetFileSystem(fs);
    editor.AppendPara("du texte");  // a save has something to write
    const std::string file = dir.File(c.File);
    std::string expected = c.Message;
    const std::string marker = "« F »";
    expected.replace(expected.find(marker), marker.size(), "« " + file + " »");
    try {
      c.Save ? editor.SaveTextFile(file) : (void)editor.LoadTextFile(file);
      ADD_FAILURE() << "no error: " << c.Message;
    } catch (const EFileError& error) {
      EXPECT_EQ(std::string(error.what()), expected);
    }
  }
}

}  // namespace
}  // namespace quilmo
