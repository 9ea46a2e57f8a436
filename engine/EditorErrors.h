#pragma once
// The editor's error codes and exception family.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quilmo {

// Error codes returned by the text engine's operations (0 = success).
enum : std::uint16_t {
  ErrOutOfMemory = 263,
  ErrRegionTooLarge = 264,
  ErrTooManyParas = 265,
  ErrJoinTooLong = 266,
  ErrTextTooLarge = 267,
  ErrParaTooLong = 268,
};

// The message the editor shows for an error code; "Unknown Error condition" for others.
const char* EditorErrorMessage(std::uint16_t code);

// Root of every exception raised by the editor components.
class EQuilmoException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An editor error with its code (0 where the message alone tells).
class EEditorError : public EQuilmoException {
 public:
  EEditorError(const std::string& message, std::int32_t errorCode)
      : EQuilmoException(message), ErrorCode(errorCode) {}
  // The exception for an error code, with that code's message.
  static EEditorError FromCode(std::uint16_t code) { return EEditorError(EditorErrorMessage(code), code); }
  std::int32_t ErrorCode;
};

class EInvalidLineOrCol : public EEditorError {
 public:
  EInvalidLineOrCol() : EEditorError("Invalid line or column", 0) {}
};

class EInvalidLineOrPara : public EEditorError {
 public:
  EInvalidLineOrPara() : EEditorError("Invalid line or paragraph index", 0) {}
};

}  // namespace quilmo
