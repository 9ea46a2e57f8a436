#include "engine/Low.h"

int Low() {
  return 1;
}
