// Failed loads and saves say in French which file failed and why.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "app/FileErrors.h"
#include "editor/TextFileEditor.h"
#include "engine/FileError.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

namespace quilmo {
namespace {

using test::TFsOp;

enum class TOp { Load, Save, Check };

TEST(FileErrorTextTest, NamesTheFileAndTheReason) {
  struct TCase {
    // In the temporary folder: "doc.txt" exists, "folder" is a folder, "fifo" a FIFO.
    const char* File;
    TOp Op;
    TFsOp Failing;
    int Error;
    std::string Message;
  } const cases[] = {
      {"folder", TOp::Check, TFsOp::Count, 0, "Impossible d'ouvrir le fichier « F » : c'est un dossier"},
      {"gone/doc.txt", TOp::Check, TFsOp::Count, 0,
       "Impossible d'ouvrir le fichier « F » : fichier ou dossier introuvable"},
      {"doc.txt", TOp::Check, TFsOp::OpenRead, EACCES, "Impossible d'ouvrir le fichier « F » : accès refusé"},
      {"none.txt", TOp::Load, TFsOp::Count, 0,
       "Impossible d'ouvrir le fichier « F » : fichier ou dossier introuvable"},
      {"folder", TOp::Load, TFsOp::Count, 0, "Impossible d'ouvrir le fichier « F » : c'est un dossier"},
      {"fifo", TOp::Check, TFsOp::Count, 0,
       "Impossible d'ouvrir le fichier « F » : c'est un tube nommé, pas un fichier ordinaire"},
      {"fifo", TOp::Load, TFsOp::Count, 0,
       "Impossible d'ouvrir le fichier « F » : c'est un tube nommé, pas un fichier ordinaire"},
      {"/dev/zero", TOp::Check, TFsOp::Count, 0,
       "Impossible d'ouvrir le fichier « F » : c'est un périphérique, pas un fichier ordinaire"},
      {"doc.txt", TOp::Load, TFsOp::OpenRead, EACCES, "Impossible d'ouvrir le fichier « F » : accès refusé"},
      {"gone/doc.txt", TOp::Save, TFsOp::Count, 0,
       "Impossible d'enregistrer le fichier « F » : fichier ou dossier introuvable"},
      {"folder", TOp::Save, TFsOp::Count, 0, "Impossible d'enregistrer le fichier « F » : c'est un dossier"},
      {"doc.txt", TOp::Save, TFsOp::WriteGathered, ENOSPC,
       "Impossible d'enregistrer le fichier « F » : plus de place sur le disque"},
      {"doc.txt", TOp::Save, TFsOp::CheckWritable, EACCES,
       "Impossible d'enregistrer le fichier « F » : accès refusé"},
  };
  for (const TCase& c : cases) {
    test::TTempDir dir;
    test::WriteFileBytes(dir.File("doc.txt"), "texte\r\n");
    std::filesystem::create_directory(dir.File("folder"));
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    test::TFaultyFileSystem fs;
    if (c.Failing != TFsOp::Count) fs.FailAt(c.Failing, 1, c.Error, true);
    TTextFileEditor editor;
    editor.SetFileSystem(fs);
    editor.AppendPara("du texte");  // a save has something to write
    const std::string file = c.File[0] == '/' ? c.File : dir.File(c.File);
    std::string expected = c.Message;
    const std::string marker = "« F »";
    expected.replace(expected.find(marker), marker.size(), "« " + file + " »");
    try {
      if (c.Op == TOp::Save) editor.SaveTextFile(file);
      if (c.Op == TOp::Load) editor.LoadTextFile(file);
      if (c.Op == TOp::Check) CheckReadable(fs, file);
      ADD_FAILURE() << "no error: " << c.Message;
    } catch (const EFileError& error) {
      EXPECT_EQ(std::string(error.what()), expected);
    }
  }
}

}  // namespace
}  // namespace quilmo
