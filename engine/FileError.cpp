#include "engine/FileError.h"

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

std::string SystemErrorText(int errorCode) {
  return std::generic_category().message(errorCode);
}

}  // namespace quilmo
