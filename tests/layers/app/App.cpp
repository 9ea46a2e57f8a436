#include "app/App.h"

int App() {
  return Top() + 1;
}
