#pragma once
// The exception raised for file input and output failures.

#include <string>

#include "engine/EditorErrors.h"
#include "engine/FileSystem.h"

namespace quilmo {

// A file could not be read or written. The message is French (UTF-8), names the file and gives
// the system's reason; FileName() and ErrorCode() (an errno value, 0 when none) let callers
// react without parsing it.
class EFileError : public EQuilmoException {
 public:
  EFileError(const std::string& message, std::string fileName, int errorCode);

  // "<what> « <file> » : <system reason>", e.g.
  // "Impossible d'ouvrir le fichier « /x/y.txt » : accès refusé".
  static EFileError FromSystem(const std::string& what, const std::string& fileName, int errorCode);
  // A failure after which the file's previous contents could not be put back under its name
  // (restoreError): the message says where they are kept, so that the user can find them.
  // "<failure>. Le fichier n'a pas pu être rétabli (<reason>) ; son contenu précédent est
  // conservé dans « <keptName> »."
  // A name that is no regular file, refused before anything is read from it:
  // "Impossible d'ouvrir le fichier « /tmp/p » : c'est un tube nommé, pas un fichier ordinaire".
  static EFileError NotRegularFile(const std::string& fileName, TFileKind kind);
  static EFileError NotRestored(const EFileError& failure, int restoreError, const std::string& keptName);

  const std::string& FileName() const { return FFileName; }
  int ErrorCode() const { return FErrorCode; }

 private:
  std::string FFileName;
  int FErrorCode;
};

// The French reason for an errno value (the system's text and the number for rare values).
std::string SystemErrorText(int errorCode);

}  // namespace quilmo
