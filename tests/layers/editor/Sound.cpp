#include <vector>

#include "../engine/Low.h"
#include "Mid.h"
#include "editor/Mid.h"

int EditorCase() {
  return Mid() + Low() + static_cast<int>(std::vector<int>(2).size());
}
