// The clock as the demo sees it. On a virtual platform clock (the headless
// backend) it is that clock. On a real one it is by default the reference
// virtual clock, played in real time, so every run shows the frames of the
// headless runs; the original timing gives the platform's real clock.
#include "core/Clock.h"

#include "core/Playback.h"
#include "platform/Clock.h"

namespace {

struct DemoClock {
    Timing Pace = Timing::Exact;
    bool Decided = false;
    bool Played = false;  // the reference clock, played in real time
    VirtualClock Virtual;
} Clock;

// Decided on first use, once for the whole run: the headless backend's
// clock is virtual from the start.
bool Played()
{
    if (!Clock.Decided) {
        Clock.Decided = true;
        Clock.Played = !PlatformClockIsVirtual() && Clock.Pace == Timing::Exact;
    }
    return Clock.Played;
}

}  // namespace

void ChooseTiming(Timing Pace)
{
    Clock.Pace = Pace;
}

uint32_t GetTickCount()
{
    return Played() ? VirtualTicks(Clock.Virtual) : PlatformTicks();
}

// Sleep(0) yields: the virtual clock stands still, and there is nothing to
// wait for.
void Sleep(uint32_t Ms)
{
    if (!Played() || Ms == 0)
        return PlatformSleep(Ms);
    VirtualSleep(Clock.Virtual, Ms);
    WaitForMoment(Clock.Virtual.Now);
}

VirtualClock* PlayedClock()
{
    return Played() ? &Clock.Virtual : nullptr;
}
