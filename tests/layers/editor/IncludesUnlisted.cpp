#include "editor/Unlisted.h"

int EditorCase() {
  return Unlisted();
}
