#include "editor/Mid.h"

int Mid() {
  return Low() + 1;
}
