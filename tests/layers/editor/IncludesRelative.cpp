#include "qt/Top.h"

int EditorCase() {
  return Top();
}
