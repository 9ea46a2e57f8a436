#pragma once

#include "editor/Mid.h"

int Top();
