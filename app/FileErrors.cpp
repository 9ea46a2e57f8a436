#include "app/FileErrors.h"

#include <cerrno>

#include "engine/FileError.h"

namespace quilmo {

void CheckReadable(TFileSystem& fileSystem, const std::string& name) {
  const std::string what = "Impossible d'ouvrir le fichier";
  TFileInfo info;
  int err = fileSystem.Stat(name, info);
  // A FIFO or a device is not even opened: opening some of them has effects of its own.
  if (err == 0 && !info.IsRegular) throw EFileError::NotRegularFile(name, info.Kind);
  if (err == 0) {
    TFileHandle handle = 0;
    err = fileSystem.OpenRead(name, handle);
    if (err == 0) {
      err = fileSystem.FileStat(handle, info);
      fileSystem.Close(handle);
      if (err == 0 && !info.IsRegular) throw EFileError::NotRegularFile(name, info.Kind);
    }
  }
  if (err != 0) throw EFileError::FromSystem(what, name, err);
}

std::string ChangedOnDiskQuestion(const std::string& name) {
  return "Le fichier " + name + " a été modifié par un autre programme depuis son ouverture." +
         " Voulez-vous le remplacer par le texte de l'éditeur ?";
}

}  // namespace quilmo
