#include "editor/qt/Top.h"

int EditorCase() {
  return Top();
}
