#include "core/Playback.h"

#include <cstdio>

#include "core/Clock.h"
#include "core/Pacer.h"
#include "core/Quit.h"
#include "platform/Clock.h"
#include "platform/Tune.h"

namespace {

struct LivePlayback {
    Pacer Pace;
    void (*Pump)();
    void (*Show)();
    uint32_t Presents;  // on the platform's own clock
} Live;

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
    if (Live.Pump)
        Live.Pump();
}

void HostShow(void*)
{
    if (Live.Show)
        Live.Show();
}

const PacerHost Host{nullptr, HostNow, HostSleep, HostHeard, HostPump, HostShow};

void PrintStats()
{
    const PacerStats& S = Live.Pace.Stats;
    if (!PlayedClock())
        std::fprintf(stderr, "vorlune: original timing: frames drawn %u, all shown\n",
                     Live.Presents);
    else
        std::fprintf(stderr,
                     "vorlune: frames drawn %u, shown %u, skipped %u, largest lag %.1f ms, "
                     "largest picture-to-sound offset %.1f ms\n",
                     S.Drawn, S.Shown, S.Skipped, S.MaxLagUs / 1000.0, S.MaxOffsetUs / 1000.0);
}

}  // namespace

void PresentFrame(void (*Flip)())
{
    VirtualClock* Clock = PlayedClock();
    if (!Clock) {
        ++Live.Presents;
        return Flip();
    }
    VirtualVsync(*Clock);
    if (!PacerPresent(Live.Pace, Host, Clock->Now))
        return;
    Flip();
    PacerFlipped(Live.Pace, Host, Clock->Now);
}

void PlayTuneOnTime()
{
    if (VirtualClock* Clock = PlayedClock())
        PacerStartTune(Live.Pace, Host, Clock->Now);
    TunePlay();
}

void WaitForMoment(uint64_t Us)
{
    PacerWait(Live.Pace, Host, Us);
}

void PlaybackAttachDisplay(void (*Pump)(), void (*Show)())
{
    Live.Pump = Pump;
    Live.Show = Show;
}

// Only a real clock has figures worth printing.
void PrintPlaybackStatsAtQuit()
{
    if (!PlatformClockIsVirtual())
        AtQuit(PrintStats);
}
