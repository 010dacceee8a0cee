#pragma once
// The platform clock. Knows nothing of the demo: the demo reads its time
// through core/Clock.h.
#include <cstdint>

// Milliseconds from a monotonic clock, as a 32-bit count that wraps.
uint32_t PlatformTicks();

// Gives up the thread for Ms milliseconds; 0 only yields.
void PlatformSleep(uint32_t Ms);

// Microseconds from the same monotonic clock, without wrap-around.
uint64_t PlatformMicros();
// Gives up the thread for about Us microseconds.
void PlatformSleepMicros(uint64_t Us);
// True when the clock is virtual (the headless backend): every run then
// sees the same times, and there is no real time to keep to.
bool PlatformClockIsVirtual();
