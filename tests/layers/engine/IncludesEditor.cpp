#include "editor/Mid.h"

int EngineCase() {
  return Mid();
}
