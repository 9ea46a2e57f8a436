#include "engine/TextFileWriter.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "engine/FileError.h"

namespace quilmo {

struct TTextFileWriter::TTarget {
  std::string Name;  // as given by the caller, used in messages
  std::string Path;  // symbolic links resolved: the file that is replaced
  bool Exists = false;
  TFileInfo Info;
};

namespace {

const std::string kSaveFailed = "Impossible d'enregistrer le fichier";
constexpr uint32_t kPrivateMode = 0600;
constexpr uint32_t kNewFileMode = 0666;  // narrowed by the process's umask
constexpr int kMaxLinks = 40;
constexpr int kTempAttempts = 100;
constexpr size_t kCopyBufferSize = 256 * 1024;

EFileError SaveError(const std::string& fileName, int err) {
  return EFileError::FromSystem(kSaveFailed, fileName, err);
}

EFileError BackupError(const std::string& fileName, const std::string& backupName, int err) {
  return EFileError("Le fichier « " + fileName +
                        " » n'a pas été enregistré : impossible de créer la copie de sauvegarde « " +
                        backupName + " » (" + SystemErrorText(err) + ").",
                    backupName, err);
}

// The folder refuses new files, but the file itself may still be written.
bool CannotCreateHere(int err) {
  return err == EACCES || err == EPERM || err == EROFS;
}

std::string TempName(const std::string& folder, const std::string& baseName) {
  static std::mt19937_64 generator(
      std::random_device{}() ^
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  static const char kHex[] = "0123456789abcdef";
  std::string suffix(8, '0');
  uint64_t bits = generator();
  for (char& c : suffix) {
    c = kHex[bits & 15];
    bits >>= 4;
  }
  // Hidden, recognisable, and short enough for the longest allowed base name. (Appended piece
  // by piece: GCC 12 warns wrongly about "." + a temporary string when optimising fully.)
  std::string name = ".";
  name.append(baseName, 0, 200);
  name += '.';
  name += suffix;
  name += ".tmp";
  return JoinPath(folder, name);
}

int WriteFully(TFileSystem& fs, TFileHandle handle, const char* data, size_t size) {
  while (size > 0) {
    size_t done = 0;
    if (int err = fs.Write(handle, data, size, done)) return err;
    if (done == 0) return EIO;
    data += done;
    size -= done;
  }
  return 0;
}

// Closes a handle on every path out of a scope unless released.
class THandleGuard {
 public:
  THandleGuard(TFileSystem& fs, TFileHandle handle) : FFs(fs), FHandle(handle) {}
  ~THandleGuard() {
    if (FHandle != -1) FFs.Close(FHandle);
  }
  THandleGuard(const THandleGuard&) = delete;
  THandleGuard& operator=(const THandleGuard&) = delete;
  TFileHandle Get() const { return FHandle; }
  int Close() {
    TFileHandle handle = FHandle;
    FHandle = -1;
    return FFs.Close(handle);
  }

 private:
  TFileSystem& FFs;
  TFileHandle FHandle;
};

}  // namespace

TTextFileWriter::TTextFileWriter(TFileSystem& fileSystem) : FFileSystem(fileSystem) {}

std::string TTextFileWriter::BackupFileName(const std::string& fileName, const std::string& ext) {
  std::string name = NameOf(fileName);
  size_t dot = name.rfind('.');
  if (dot == 0) dot = std::string::npos;  // ".profile": a leading dot starts no extension
  size_t keep = fileName.size() - name.size() + (dot == std::string::npos ? name.size() : dot);
  return fileName.substr(0, keep) + "." + ext;
}

void TTextFileWriter::Save(const std::string& fileName, TParagraphSource& source) {
  if (fileName.empty()) return;
  TTarget target;
  target.Name = fileName;
  target.Path = ResolveLinks(fileName);
  int err = FFileSystem.Stat(target.Path, target.Info);
  if (err == 0) {
    target.Exists = true;
    if (target.Info.IsDirectory) throw SaveError(fileName, EISDIR);
    if (!target.Info.IsRegular)
      throw EFileError(kSaveFailed + " « " + fileName + " » : ce n'est pas un fichier ordinaire", fileName,
                       0);
    // A rename would replace a write-protected file: refuse as writing it would.
    if ((err = FFileSystem.CheckWritable(target.Path)) != 0) throw SaveError(fileName, err);
  } else if (err != ENOENT) {
    throw SaveError(fileName, err);
  }

  std::string backupName = BackupNameFor(fileName, target);
  // Replacing one of several hard links would cut it off from the others.
  if (target.Exists && target.Info.LinkCount > 1) {
    SaveInPlace(target, backupName, source);
  } else if (!SaveByRename(target, backupName, source)) {
    SaveInPlace(target, backupName, source);
  }
}

std::string TTextFileWriter::ResolveLinks(const std::string& fileName) {
  std::string path = fileName;
  for (int i = 0; i < kMaxLinks; ++i) {
    TFileInfo info;
    int err = FFileSystem.LStat(path, info);
    if (err == ENOENT) return path;  // a new file, or the missing target of a link
    if (err != 0) throw SaveError(fileName, err);
    if (!info.IsSymlink) return path;
    std::string link;
    if ((err = FFileSystem.ReadLink(path, link)) != 0) throw SaveError(fileName, err);
    path = IsAbsolutePath(link) ? link : JoinPath(FolderOf(path), link);
  }
  throw SaveError(fileName, ELOOP);
}

std::string TTextFileWriter::BackupNameFor(const std::string& fileName, const TTarget& target) {
  if (!FMakeBackup || !target.Exists) return {};
  std::string backupName = BackupFileName(fileName, FBackupExt);
  if (backupName == fileName) return {};
  // The backup name leads to the file itself (through a symbolic link): nothing to keep apart.
  TFileInfo info;
  if (FFileSystem.Stat(backupName, info) == 0 && info.SameFileAs(target.Info) && info.LinkCount == 1)
    return {};
  return backupName;
}

// Returns false, having changed nothing, when the file must be written in place instead.
bool TTextFileWriter::SaveByRename(const TTarget& target, const std::string& backupName,
                                   TParagraphSource& source) {
  const std::string folder = FolderOf(target.Path);
  std::string tempPath;
  TFileHandle handle = -1;
  int err =
      CreateTemp(folder, NameOf(target.Path), target.Exists ? kPrivateMode : kNewFileMode, tempPath, handle);
  if (err != 0) {
    if (target.Exists && CannotCreateHere(err)) return false;
    throw SaveError(target.Name, err);
  }
  THandleGuard file(FFileSystem, handle);
  auto check = [&](int code) {
    if (code != 0) throw SaveError(target.Name, code);
  };
  try {
    if (target.Exists) {
      TFileInfo info;
      check(FFileSystem.FileStat(file.Get(), info));
      if ((info.Owner != target.Info.Owner || info.Group != target.Info.Group) &&
          FFileSystem.ChangeOwner(file.Get(), target.Info.Owner, target.Info.Group) != 0) {
        file.Close();
        FFileSystem.Unlink(tempPath);
        return false;  // only writing in place keeps the owner
      }
    }
    WriteParagraphs(file.Get(), target.Name, source);
    // After the owner change, which may clear the set-id bits.
    if (target.Exists) check(FFileSystem.ChangeMode(file.Get(), target.Info.Mode));
    check(FFileSystem.Sync(file.Get()));
    check(file.Close());
    if (!backupName.empty()) MakeBackupFile(target, backupName, true);
    check(FFileSystem.Replace(tempPath, target.Path));
  } catch (...) {
    if (file.Get() != -1) file.Close();
    FFileSystem.Unlink(tempPath);
    throw;
  }
  // The new file is in place; making its name durable is best effort (some file systems
  // refuse to sync a folder) and does not make the save fail.
  FFileSystem.SyncFolder(folder);
  return true;
}

void TTextFileWriter::SaveInPlace(const TTarget& target, const std::string& backupName,
                                  TParagraphSource& source) {
  // First a complete, synced copy of the file: the backup itself, or a temporary copy next to
  // the file or, when its folder refuses new files, in the temporary folder.
  const bool copyIsBackup = !backupName.empty();
  std::string copyPath;
  uint64_t copySize = 0;
  if (copyIsBackup) {
    copySize = MakeBackupFile(target, backupName, false);
    copyPath = backupName;
  } else {
    int err =
        CopyFile(target.Path, FolderOf(target.Path), NameOf(target.Path), kPrivateMode, copyPath, copySize);
    if (err != 0 && CannotCreateHere(err))
      err = CopyFile(target.Path, FFileSystem.TempFolder(), NameOf(target.Path), kPrivateMode, copyPath,
                     copySize);
    if (err != 0) throw SaveError(target.Name, err);
  }
  auto dropCopy = [&] {
    if (!copyIsBackup) FFileSystem.Unlink(copyPath);
  };

  TFileHandle handle = -1;
  if (int err = FFileSystem.OpenWrite(target.Path, handle)) {
    dropCopy();
    throw SaveError(target.Name, err);
  }
  THandleGuard file(FFileSystem, handle);
  try {
    // Overwrite, then cut: the blocks of the old text stay allocated while writing, so that
    // restoring it cannot run out of space.
    uint64_t written = WriteParagraphs(file.Get(), target.Name, source);
    int err = FFileSystem.Truncate(file.Get(), written);
    if (err == 0) err = FFileSystem.Sync(file.Get());
    int closeErr = file.Close();
    if (err == 0) err = closeErr;
    if (err != 0) throw SaveError(target.Name, err);
  } catch (const EFileError& error) {
    if (file.Get() != -1) file.Close();
    if (int err = Restore(target.Path, copyPath, copySize)) {
      throw EFileError(std::string(error.what()) + ". Le fichier n'a pas pu être rétabli (" +
                           SystemErrorText(err) + ") ; son contenu précédent est conservé dans « " +
                           copyPath + " ».",
                       target.Name, error.ErrorCode());
    }
    dropCopy();
    throw;
  } catch (...) {
    if (file.Get() != -1) file.Close();
    if (Restore(target.Path, copyPath, copySize) == 0) dropCopy();
    throw;
  }
  dropCopy();  // best effort: the file is saved
}

uint64_t TTextFileWriter::WriteParagraphs(TFileHandle handle, const std::string& fileName,
                                          TParagraphSource& source) {
  TTextFileOutput output(FFileSystem, handle, FFormat);
  uint64_t written = 0;
  if (int err = output.Write(source, written)) throw SaveError(fileName, err);
  return written;
}

int TTextFileWriter::CreateTemp(const std::string& folder, const std::string& baseName, uint32_t mode,
                                std::string& path, TFileHandle& handle) {
  int err = EEXIST;
  for (int i = 0; i < kTempAttempts && err == EEXIST; ++i) {
    path = TempName(folder, baseName);
    err = FFileSystem.CreateNew(path, mode, handle);
  }
  return err;
}

// Copies the file to a new temporary file of the folder with the given mode (and, when
// allowed, the file's owner), synced. On failure nothing is left behind.
int TTextFileWriter::CopyFile(const std::string& from, const std::string& folder, const std::string& baseName,
                              uint32_t mode, std::string& copyPath, uint64_t& size) {
  TFileHandle in = -1;
  if (int err = FFileSystem.OpenRead(from, in)) return err;
  THandleGuard source(FFileSystem, in);
  TFileHandle out = -1;
  if (int err = CreateTemp(folder, baseName, kPrivateMode, copyPath, out)) return err;
  THandleGuard copy(FFileSystem, out);
  TFileInfo info;
  int err = FFileSystem.FileStat(source.Get(), info);
  if (err == 0) {
    // The owner is kept where allowed; a copy owned by the saving user is still a good copy.
    FFileSystem.ChangeOwner(copy.Get(), info.Owner, info.Group);
    err = FFileSystem.ChangeMode(copy.Get(), mode);
  }
  if (err == 0) err = CopyContents(source.Get(), copy.Get(), size);
  if (err == 0) err = FFileSystem.Sync(copy.Get());
  int closeErr = copy.Close();
  if (err == 0) err = closeErr;
  if (err != 0) FFileSystem.Unlink(copyPath);
  return err;
}

int TTextFileWriter::CopyContents(TFileHandle from, TFileHandle to, uint64_t& size) {
  std::vector<char> buffer(kCopyBufferSize);
  size = 0;
  for (;;) {
    size_t done = 0;
    if (int err = FFileSystem.Read(from, buffer.data(), buffer.size(), done)) return err;
    if (done == 0) return 0;
    if (int err = WriteFully(FFileSystem, to, buffer.data(), done)) return err;
    size += done;
  }
}

// Writes the copy back over the file after a failed save in place.
int TTextFileWriter::Restore(const std::string& path, const std::string& copyPath, uint64_t size) {
  TFileHandle in = -1;
  if (int err = FFileSystem.OpenRead(copyPath, in)) return err;
  THandleGuard source(FFileSystem, in);
  TFileHandle out = -1;
  if (int err = FFileSystem.OpenWrite(path, out)) return err;
  THandleGuard file(FFileSystem, out);
  uint64_t copied = 0;
  int err = CopyContents(source.Get(), file.Get(), copied);
  if (err == 0 && copied != size) err = EIO;  // the copy changed under us
  if (err == 0) err = FFileSystem.Truncate(file.Get(), size);
  if (err == 0) err = FFileSystem.Sync(file.Get());
  int closeErr = file.Close();
  return err != 0 ? err : closeErr;
}

// Puts a complete copy of the current file under the backup name, replacing an older backup
// in one step: a hard link (or a copy) under a temporary name, renamed over the backup name.
// Returns the size of the backup.
uint64_t TTextFileWriter::MakeBackupFile(const TTarget& target, const std::string& backupName, bool useLink) {
  const std::string folder = FolderOf(backupName);
  std::string tempPath;
  int err = EEXIST;
  if (useLink) {
    for (int i = 0; i < kTempAttempts && err == EEXIST; ++i) {
      tempPath = TempName(folder, NameOf(backupName));
      err = FFileSystem.Link(target.Path, tempPath);
    }
  }
  uint64_t size = target.Info.Size;
  if (err != 0) {
    err = CopyFile(target.Path, folder, NameOf(backupName), target.Info.Mode, tempPath, size);
    if (err != 0) throw BackupError(target.Name, backupName, err);
  }
  if ((err = FFileSystem.Rename(tempPath, backupName)) != 0) {
    FFileSystem.Unlink(tempPath);
    throw BackupError(target.Name, backupName, err);
  }
  FFileSystem.SyncFolder(folder);
  return size;
}

}  // namespace quilmo
