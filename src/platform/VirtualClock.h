#pragma once
// The reference clock of reproducible runs, in virtual microseconds: every
// tick read advances it by 1 us (so every busy-wait ends), a sleep by its
// length, and a drawing present to the next 1/60 s boundary, the k-th at
// floor(k * 1000000 / 60) us: a 60 Hz display with vsync. The headless
// backend runs on it, and so does the live program, through the pacer.
// Golden outputs rest on these rules.
#include <cstdint>

struct VirtualClock {
    uint64_t Now = 0;        // us
    uint32_t StartTick = 0;  // added to the tick count, to run across its wrap
};

inline uint32_t VirtualTicks(VirtualClock& Clock)
{
    uint32_t Tick = static_cast<uint32_t>(Clock.Now / 1000 + Clock.StartTick);
    Clock.Now += 1;
    return Tick;
}

inline void VirtualSleep(VirtualClock& Clock, uint32_t Ms)
{
    Clock.Now += uint64_t{Ms} * 1000;
}

// The first refresh strictly after Us of a display that refreshes MilliHz
// / 1000 times a second, from 0: the k-th at floor(k * 10^9 / MilliHz) us.
inline uint64_t NextRefresh(uint64_t Us, uint64_t MilliHz)
{
    uint64_t K = Us * MilliHz / 1000000000;
    while (K * 1000000000 / MilliHz <= Us)
        ++K;
    return K * 1000000000 / MilliHz;
}

// The first 1/60 s boundary strictly after Us.
inline uint64_t NextVsync(uint64_t Us)
{
    return NextRefresh(Us, 60000);
}

inline void VirtualVsync(VirtualClock& Clock)
{
    Clock.Now = NextVsync(Clock.Now);
}
