#include "engine/FileError.h"

#include <cerrno>
#include <system_error>
#include <utility>

namespace quilmo {

EFileError::EFileError(const std::string& message, std::string fileName, int errorCode)
    : EQuilmoException(message), FFileName(std::move(fileName)), FErrorCode(errorCode) {}

EFileError EFileError::FromSystem(const std::string& what, const std::string& fileName, int errorCode) {
  std::string message = what + " « " + fileName + " »";
  if (errorCode != 0) message += " : " + SystemErrorText(errorCode);
  return EFileError(message, fileName, errorCode);
}

EFileError EFileError::NotRegularFile(const std::string& fileName, TFileKind kind) {
  if (kind == TFileKind::Directory) return FromSystem("Impossible d'ouvrir le fichier", fileName, EISDIR);
  const char* what = "un fichier spécial";
  switch (kind) {
    case TFileKind::Fifo: what = "un tube nommé"; break;
    case TFileKind::Device: what = "un périphérique"; break;
    case TFileKind::Socket: what = "une socket"; break;
    default: break;
  }
  return EFileError(
      "Impossible d'ouvrir le fichier « " + fileName + " » : c'est " + what + ", pas un fichier ordinaire",
      fileName, 0);
}

EFileError EFileError::NotRestored(const EFileError& failure, int restoreError, const std::string& keptName) {
  return EFileError(std::string(failure.what()) + ". Le fichier n'a pas pu être rétabli (" +
                        SystemErrorText(restoreError) + ") ; son contenu précédent est conservé dans « " +
                        keptName + " ».",
                    failure.FileName(), failure.ErrorCode());
}

namespace {

struct TReason {
  int Code;
  const char* Text;
};

// The system's texts follow the process's locale, which is seldom French: the reasons a user
// meets with files are given here, the rare others come from the system with their number.
constexpr TReason kReasons[] = {
    {ENOENT, "fichier ou dossier introuvable"},
    {EACCES, "accès refusé"},
    {EPERM, "opération non permise"},
    {ENOSPC, "plus de place sur le disque"},
#ifdef EDQUOT
    {EDQUOT, "quota de disque dépassé"},
#endif
    {EISDIR, "c'est un dossier"},
    {ENOTDIR, "un élément du chemin n'est pas un dossier"},
    {EROFS, "support en lecture seule"},
    {EIO, "erreur d'entrée-sortie du périphérique"},
    {EEXIST, "le fichier existe déjà"},
    {ENAMETOOLONG, "nom de fichier trop long"},
    {ELOOP, "trop de niveaux de liens symboliques"},
    {EMFILE, "trop de fichiers ouverts"},
    {ENFILE, "trop de fichiers ouverts dans le système"},
    {ENOMEM, "mémoire insuffisante"},
    {EFBIG, "fichier trop volumineux"},
    {EBUSY, "ressource occupée"},
    {ETXTBSY, "fichier en cours d'utilisation"},
    {EXDEV, "les deux noms sont sur des disques différents"},
    {EINVAL, "argument invalide"},
    {ENXIO, "périphérique introuvable"},
    {ENODEV, "périphérique introuvable"},
#ifdef ESTALE
    {ESTALE, "fichier réseau périmé"},
#endif
    {ETIMEDOUT, "délai d'attente dépassé"},
    {EAGAIN, "ressource momentanément indisponible"},
};

}  // namespace

std::string SystemErrorText(int errorCode) {
  for (const TReason& reason : kReasons)
    if (reason.Code == errorCode) return reason.Text;
  return std::generic_category().message(errorCode) + " (erreur " + std::to_string(errorCode) + ")";
}

}  // namespace quilmo
