#pragma once
// Saves paragraphs as a text file in a given format (TTextFormat), never leaving a partial file.
//
// The bytes written are those of TTextFileOutput: every paragraph followed by the format's line
// end except an empty last one, codes 1 to 8 as blanks, UTF-8 where the format says so.
//
// The text goes to a temporary file in the file's folder, which is synced and then renamed over
// the name, so that the name always holds either the old or the new file, complete. The file's
// permission bits, its owner and group (when the process may set them) are kept; saving through
// a symbolic link replaces the link's target and keeps the link. A file with several hard links,
// a file whose owner cannot be kept, or a file in a folder where no new file can be created is
// written in place instead, after a complete synced copy has been made, from which it is restored
// when writing fails. Any failure leaves the file as it was, removes the temporary files and
// raises EFileError.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/FileSystem.h"
#include "engine/TextFileOutput.h"
#include "engine/TextFormat.h"

namespace quilmo {

class TTextFileWriter {
 public:
  static constexpr size_t BufferSize = TTextFileOutput::BufferSize;

  explicit TTextFileWriter(TFileSystem& fileSystem = DefaultFileSystem());

  // Keep the previous version of an existing file under the backup name.
  bool MakeBackup() const { return FMakeBackup; }
  void SetMakeBackup(bool value) { FMakeBackup = value; }
  const std::string& BackupExt() const { return FBackupExt; }
  void SetBackupExt(const std::string& value) { FBackupExt = value; }
  // How the text is written (Windows-1252 with CR LF by default).
  const TTextFormat& Format() const { return FFormat; }
  void SetFormat(const TTextFormat& format) { FFormat = format; }

  // Writes the paragraphs to the file (nothing happens when the name is empty). Raises
  // EFileError; the file and its backup are then as they were, except that when the final step
  // fails the backup may already hold the current version of the file.
  void Save(const std::string& fileName, TParagraphSource& source);

  // The file name with the extension of its last component (the part after its last ".")
  // replaced by "." + ext, or with "." + ext appended when it has none.
  static std::string BackupFileName(const std::string& fileName, const std::string& ext);

 private:
  struct TTarget;

  std::string ResolveLinks(const std::string& fileName);
  std::string BackupNameFor(const std::string& fileName, const TTarget& target);
  bool SaveByRename(const TTarget& target, const std::string& backupName, TParagraphSource& source);
  void SaveInPlace(const TTarget& target, const std::string& backupName, TParagraphSource& source);
  uint64_t WriteParagraphs(TFileHandle handle, const std::string& path, TParagraphSource& source);
  int CreateTemp(const std::string& folder, const std::string& baseName, uint32_t mode, std::string& path,
                 TFileHandle& handle);
  int CopyFile(const std::string& from, const std::string& folder, const std::string& baseName, uint32_t mode,
               std::string& copyPath, uint64_t& size);
  int CopyContents(TFileHandle from, TFileHandle to, uint64_t& size);
  int Restore(const std::string& path, const std::string& copyPath, uint64_t size);
  uint64_t MakeBackupFile(const TTarget& target, const std::string& backupName, bool useLink);

  TFileSystem& FFileSystem;
  bool FMakeBackup = false;
  std::string FBackupExt = "BAK";
  TTextFormat FFormat;
};

}  // namespace quilmo
