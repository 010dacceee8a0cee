#pragma once
// The platform clock. Knows nothing of the demo: the demo reads its time
// through core/Clock.h.
#include <cstdint>

// Milliseconds from a monotonic clock, as a 32-bit count that wraps.
uint32_t PlatformTicks();

// Gives up the thread for Ms milliseconds; 0 only yields.
void PlatformSleep(uint32_t Ms);
