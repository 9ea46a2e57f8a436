#pragma once
// The editor's exception family.

#include <stdexcept>

namespace quilmo {

// Root of every exception raised by the editor components.
class EQuilmoException : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace quilmo
