#pragma once
// The controller an editor control is attached to: the command processor and the insert
// mode, shared by every control attached to it.

#include <memory>

#include "editor/CommandProcessor.h"

namespace quilmo {

class TController {
 public:
  TController() = default;
  TController(const TController&) = delete;
  TController& operator=(const TController&) = delete;
  virtual ~TController() = default;

  TCommandProcessor& EntryCommands() { return FEntryCommands; }
  const TCommandProcessor& EntryCommands() const { return FEntryCommands; }

  bool InsertMode() const { return FInsertMode; }
  void SetInsertMode(bool insertMode) { FInsertMode = insertMode; }

 private:
  TCommandProcessor FEntryCommands;
  bool FInsertMode = true;
};

// The controller of editor controls that have none assigned: created on first use,
// destroyed at process exit.
TController& DefaultController();

// The controller the program's editors use (the main window's Controller1): its command
// processor holds the application's tables (AppCommandTables: "Default" with Ctrl+D deleting
// the line and without the Ctrl+digit marker keys and Shift+Backspace, "WordStar" and "Grid"
// inactive). The caller owns it and keeps it alive as long as any editor attached to it.
std::unique_ptr<TController> MakeApplicationController();

}  // namespace quilmo
