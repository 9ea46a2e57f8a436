#include "engine/EditorErrors.h"

namespace quilmo {

const char* EditorErrorMessage(std::uint16_t code) {
  switch (code) {
    case ErrOutOfMemory: return "insufficient memory for requested operation";
    case ErrRegionTooLarge: return "Region is too large (> 64K)";
    case ErrTooManyParas: return "Current operation will exceed the maximum number of allowed paragraphs";
    case ErrJoinTooLong: return "Cannot join paragraphs. New paragraph size exceeds maximum paragraph size";
    case ErrTextTooLarge: return "Current operation will exceed the maximum text size";
    case ErrParaTooLong: return "Current operation will exceed the maximum paragraph size";
    default: return "Unknown Error condition";
  }
}

}  // namespace quilmo
