#include <QString>

int EngineCase() {
  return 0;
}
