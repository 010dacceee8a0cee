#pragma once
// The clock and the sleep as the demo sees them. Every module above the
// platform reads time through here, never from the platform directly, so
// what "now" means for the show is decided in one place.
#include <cstdint>

// Milliseconds as a 32-bit count that wraps.
uint32_t GetTickCount();

// Gives up the thread for Ms milliseconds; 0 only yields.
void Sleep(uint32_t Ms);
