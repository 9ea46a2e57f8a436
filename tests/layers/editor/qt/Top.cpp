#include "editor/qt/Top.h"

int Top() {
  return Mid() + 1;
}
