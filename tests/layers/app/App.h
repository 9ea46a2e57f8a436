#pragma once

#include "editor/qt/Top.h"

int App();
