#pragma once
// The key state lives in the ground floor, app/shell/keystate.h; this name is
// kept only for the engine's turn tests, which still include it.
#include "app/shell/keystate.h"
