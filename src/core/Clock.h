#pragma once
// The clock and the sleep as the demo sees them. Every module above the
// platform reads time through here, never from the platform directly, so
// what "now" means for the show is decided in one place.
//
// On the headless backend this is the platform's virtual clock. On a real
// one it is by default the same virtual clock (platform/VirtualClock.h),
// played in real time (core/Playback.h): the live show is the headless
// show, frame for frame, in step with the tune. The original timing gives
// the platform's real clock instead, as the original program had.
#include <cstdint>

#include "platform/VirtualClock.h"

enum class Timing {
    Exact,     // the reference run's frames at their moments, in step with the tune
    Original,  // effects paced by the platform's millisecond counter, as the original
};

// How a real platform's clock is read; before the first read. The headless
// backend's clock is virtual already and ignores it.
void ChooseTiming(Timing Pace);

// Milliseconds as a 32-bit count that wraps.
uint32_t GetTickCount();

// Gives up the thread for Ms milliseconds; 0 only yields.
void Sleep(uint32_t Ms);

// The reference clock when the show is played on it in real time (the exact
// timing on a real platform); null when the demo reads the platform's clock
// directly.
VirtualClock* PlayedClock();
