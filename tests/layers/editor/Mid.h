#pragma once

#include "engine/Low.h"

int Mid();
