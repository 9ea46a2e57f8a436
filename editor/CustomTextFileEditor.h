#pragma once
// The editor control extended by a text file: the file's name, whether it is loaded, loading
// it into the paragraph list and saving the paragraphs back in the file's format.
//
// Reading and writing go through the engine's file layer (TTextFileReader, TTextFileWriter):
// a save never leaves a partial file, and a load delivers every line whole, so that a line
// longer than ParaLengthLimit becomes several paragraphs instead of losing characters. The
// format found by the load (encoding, line end, byte-order mark) is the one saving writes,
// under any name; a new text takes the platform's. What a save would change (NULs read as
// blanks, bytes behind a Ctrl-Z, split lines, control codes, lone CRs) is kept in the report
// of the last load for the window to warn about. A UTF-8 file holding characters that the
// text cannot hold is shown read-only and cannot be saved, so that it is never damaged.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "editor/CustomEditor.h"
#include "engine/FileSystem.h"
#include "engine/JournalWriter.h"
#include "engine/LoadReport.h"
#include "engine/TextFormat.h"

namespace quilmo {

class TCustomTextFileEditor : public TCustomEditor {
 public:
  TCustomTextFileEditor();

  // ------------------------------------------------------------------ properties
  // The file's path, stored as the system takes it (see NormalizeFileName). A name of another
  // file (SameFileName) sets IsOpen false (the text stays); another spelling of the same file,
  // on Windows, is stored as given and leaves IsOpen alone.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value);
  // The text was loaded from FileName. Setting it true loads FileName, false clears the
  // text; no effect when unchanged or while FileName is empty.
  bool IsOpen() const { return FIsOpen; }
  void SetIsOpen(bool value);
  // Keep the previous version of the file as <name>.<BackupExt> when saving.
  bool MakeBackup() const { return FMakeBackup; }
  void SetMakeBackup(bool value) { FMakeBackup = value; }
  const std::string& BackupExt() const { return FBackupExt; }
  void SetBackupExt(const std::string& value) { FBackupExt = value; }
  // Trailing blanks (spaces and TABs) of each paragraph are removed while text is loaded.
  bool TrimWhiteSpace() const { return FTrimWhiteSpace; }
  void SetTrimWhiteSpace(bool value) { FTrimWhiteSpace = value; }

  // How the text is saved: set by a load, the platform's for a new text.
  const TTextFormat& TextFormat() const { return FTextFormat; }
  void SetTextFormat(const TTextFormat& format) { FTextFormat = format; }
  // Set, or the loaded text stands for characters it could not hold (see LoadReport).
  bool ReadOnly() const override;

  // The file system used for reading and saving (the platform's by default); tests give a
  // faulty one. Not owned.
  TFileSystem& FileSystem() const { return *FFileSystem; }
  void SetFileSystem(TFileSystem& fileSystem) { FFileSystem = &fileSystem; }

  // ------------------------------------------------------------------ operations
  // Reads the file and, once it is read completely, shows its text instead of the present
  // one: FileName takes the (normalised) name and IsOpen becomes true. An empty name does
  // nothing. Raises EFileError when the file cannot be read and EEditorError (ErrorCode 0) when
  // a limit or a shortage of memory stops the loading; the text, FileName, IsOpen, the format
  // and LoadReport are then all as they were.
  virtual TLoadReport LoadTextFile(const std::string& name);
  // The file, read as LoadTextFile reads it, holds the text that a recovery journal's changes
  // apply to (its counts and hash agree with `base`). The editor's text is not touched; a file
  // that is missing or of another size than the base's is not read. Raises as LoadTextFile.
  bool FileHoldsJournalBase(const std::string& name, const TJournalBase& base);
  // FileName := name, then IsOpen := true, as one step that a failed load leaves undone: the
  // file already shown (the same name without regard to case) is not read again.
  void OpenTextFile(const std::string& name);
  // Writes the text to the file in TextFormat (atomically, after the backup when MakeBackup is
  // on) and clears Modified. An empty name does nothing. Raises EFileError, also for a text
  // that could not hold all characters of its file; Modified then stays set. FileName and
  // IsOpen are left as they are.
  virtual void SaveTextFile(const std::string& name);
  // Empty text (no history, not modified) in the platform's format, repainted, then
  // FileName := name.
  void NewTextFile(const std::string& name);
  // Adds the text as one or more paragraphs in front of the last one (no undo record);
  // 0 or an error code. Carets in the last paragraph stay with it.
  std::uint16_t AppendPara(std::string_view text);

  // What the last load found (format, lines, long lines, NULs, a Ctrl-Z and the bytes behind
  // it, control codes, line ends by kind, characters outside the code page).
  const TLoadReport& LoadReport() const { return FLoadReport; }

  // Shows the other control's text; from a text-file editor it also takes its FileName
  // and IsOpen.
  void Attach(TCustomEditor& other) override;

  // The file layer's rules of the platform (engine/FileSystem.h): on Windows a trailing "." is
  // dropped and letter case ignored; elsewhere names are kept and compared as they are.
  static std::string NormalizeFileName(const std::string& name);
  static bool SameFileName(const std::string& a, const std::string& b);

 private:
  class TBusyScope;
  struct TReadText {
    std::shared_ptr<TParaList> List;
    std::unique_ptr<TJournalBaseHasher> Hasher;
    TLoadReport Report;
  };

  TReadText ReadTextFile(const std::string& fileName);

  // After a load: view at the top of the text, layout and caret refreshed.
  void ShowLoadedText();
  // The text is empty and belongs to no file: the platform's format, editable.
  void ForgetFormat();
  // The text was read from a file: its format and whether it may be saved, from the report.
  void TakeFormat();

  std::string FFileName;
  bool FIsOpen = false;
  bool FMakeBackup = false;
  std::string FBackupExt = "BAK";
  bool FTrimWhiteSpace = true;
  TFileSystem* FFileSystem;
  TLoadReport FLoadReport;
  TTextFormat FTextFormat = PlatformTextFormat();
  bool FTextReadOnly = false;  // the load replaced characters
  // Observes the text last loaded until a recovery journal starts on it.
  std::unique_ptr<TJournalBaseHasher> FBaseHasher;
};

}  // namespace quilmo
