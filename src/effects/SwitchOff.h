#pragma once
// The switch-off's state, program-wide; tests read it.
#include <cstdint>

struct SwitchOffState {
    uint32_t LineInset;  // pixels cut from each end of the line; +14 per frame
    uint32_t MiddleRow;  // index of the middle row's first pixel from DrawOrigin
};

extern SwitchOffState SwitchOffVars;
