#pragma once
// The platform clock. Knows nothing of the demo.
#include <cstdint>

// Milliseconds from a monotonic clock, as a 32-bit count that wraps.
uint32_t GetTickCount();

// Gives up the thread for Ms milliseconds; 0 only yields.
void Sleep(uint32_t Ms);
