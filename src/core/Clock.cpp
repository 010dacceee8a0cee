// The clock as the demo sees it. On a virtual platform clock (the headless
// backend) it is that clock. On a real one it is by default the reference
// virtual clock, played in real time by the pacer, so every run shows the
// frames of the headless runs; VORLUNE_TIMING=original gives the platform's
// real clock instead, as the original program had.
#include "core/Clock.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Pacer.h"
#include "core/Quit.h"
#include "platform/Clock.h"
#include "platform/Tune.h"
#include "platform/VirtualClock.h"

namespace {

struct DemoClock {
    bool Chosen;
    bool Exact;  // the virtual clock and the pacer; else the platform's clock
    VirtualClock Virtual;
    Pacer Pace;
    void (*Pump)();
    void (*Show)();
    uint32_t Presents;  // with the original timing
} Clock;

uint64_t HostNow(void*)
{
    return PlatformMicros();
}

void HostSleep(void*, uint64_t Us)
{
    PlatformSleepMicros(Us);
}

bool HostHeard(void*, uint64_t* PlayedUs, uint64_t* AtUs)
{
    return TuneHeard(PlayedUs, AtUs);
}

void HostPump(void*)
{
    if (Clock.Pump)
        Clock.Pump();
}

void HostShow(void*)
{
    if (Clock.Show)
        Clock.Show();
}

const PacerHost Host{nullptr, HostNow, HostSleep, HostHeard, HostPump, HostShow};

void PrintStats()
{
    const PacerStats& S = Clock.Pace.Stats;
    // Registered only on a real clock: not exact means the original timing.
    if (!Clock.Exact)
        std::fprintf(stderr, "vorlune: original timing: frames drawn %u, all shown\n", Clock.Presents);
    else
        std::fprintf(stderr,
                     "vorlune: frames drawn %u, shown %u, skipped %u, largest lag %.1f ms, "
                     "largest picture-to-sound offset %.1f ms\n",
                     S.Drawn, S.Shown, S.Skipped, S.MaxLagUs / 1000.0, S.MaxOffsetUs / 1000.0);
}

bool Asked(const char* Name, const char* Value)
{
    const char* Set = std::getenv(Name);
    return Set && std::strcmp(Set, Value) == 0;
}

// Chosen on first use, once for the whole run.
bool Exact()
{
    if (Clock.Chosen)
        return Clock.Exact;
    Clock.Chosen = true;
    if (PlatformClockIsVirtual())
        return false;
    Clock.Exact = !Asked("VORLUNE_TIMING", "original");
    if (Asked("VORLUNE_STATS", "1"))
        AtQuit(PrintStats);
    return Clock.Exact;
}

}  // namespace

uint32_t GetTickCount()
{
    return Exact() ? VirtualTicks(Clock.Virtual) : PlatformTicks();
}

// Sleep(0) yields: the virtual clock stands still, and there is nothing to
// wait for.
void Sleep(uint32_t Ms)
{
    if (!Exact() || Ms == 0)
        return PlatformSleep(Ms);
    VirtualSleep(Clock.Virtual, Ms);
    PacerWait(Clock.Pace, Host, Clock.Virtual.Now);
}

void PresentFrame(void (*Flip)())
{
    if (!Exact()) {
        ++Clock.Presents;
        return Flip();
    }
    VirtualVsync(Clock.Virtual);
    if (!PacerPresent(Clock.Pace, Host, Clock.Virtual.Now))
        return;
    Flip();
    PacerFlipped(Clock.Pace, Host, Clock.Virtual.Now);
}

void PlayTuneOnTime()
{
    if (Exact())
        PacerStartTune(Clock.Pace, Host, Clock.Virtual.Now);
    TunePlay();
}

void ClockAttachDisplay(void (*Pump)(), void (*Show)())
{
    Clock.Pump = Pump;
    Clock.Show = Show;
}
