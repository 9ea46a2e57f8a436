#include "editor/Controller.h"

#include "editor/StoredTables.h"

namespace quilmo {

TController& DefaultController() {
  static TController controller;
  return controller;
}

std::unique_ptr<TController> MakeApplicationController() {
  auto controller = std::make_unique<TController>();
  ApplyAppCommandTables(controller->EntryCommands());
  return controller;
}

}  // namespace quilmo
