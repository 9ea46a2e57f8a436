#include "editor/EditorHost.h"

namespace quilmo {

TEditorHost& NullEditorHost() {
  static TNullEditorHost host;
  return host;
}

}  // namespace quilmo
