#pragma once
// The show's sixteen slots in playing order: the one list the main loop,
// the capture tool and the benchmarks read.
#include "effects/Effects.h"

constexpr int EffectCount = 16;

struct Slot {
    Effect Run;
    const char* Name;   // the effect's name in the code
    const char* Title;  // what a viewer sees, for chapters and tables
};

extern const Slot SlotTable[EffectCount];
