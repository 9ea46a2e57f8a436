#pragma once
// The concrete text-file editor control the main window shows (Editor1).

#include "editor/CustomTextFileEditor.h"

namespace quilmo {

class TTextFileEditor : public TCustomTextFileEditor {
 public:
  TTextFileEditor() = default;
};

}  // namespace quilmo
