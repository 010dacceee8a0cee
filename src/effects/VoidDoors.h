#pragma once
// Slot 7's state, for the tests.
#include "effects/BackdropShrink.h"

extern ShrinkDoors VoidDoorsVars;
