#include "editor/Controller.h"

namespace quilmo {

TController& DefaultController() {
  static TController controller;
  return controller;
}

}  // namespace quilmo
