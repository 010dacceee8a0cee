#pragma once
// Slot 6's state, for the tests.
#include "effects/BackdropShrink.h"

extern ShrinkDoors CorridorDoorsVars;
