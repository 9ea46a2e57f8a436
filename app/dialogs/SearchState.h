#pragma once
// The search state the main window keeps and the find and replace dialogs share: the texts,
// the options byte (the so* bits of engine/Search.h), which dialog is open and whether
// closing it must switch the always-on-top mode back on.

#include <QString>

#include <cstdint>

namespace quilmo {

struct TSearchState {
  QString SearchText;
  QString ReplacementText;
  std::uint8_t SearchOptions = 0;
  bool FindDialogOpen = false;
  bool ReplaceDialogOpen = false;
  bool RestoreOnTop = false;
};

}  // namespace quilmo
