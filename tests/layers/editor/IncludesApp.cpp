#include "app/App.h"

int EditorCase() {
  return App();
}
