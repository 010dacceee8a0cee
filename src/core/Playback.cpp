#include "core/Playback.h"

#include <cstdio>

#include "core/Clock.h"
#include "core/Pacer.h"
#include "core/Quit.h"
#include "platform/Clock.h"
#include "platform/Tune.h"

namespace {

// Events are looked at every this many presents of a cue: often enough for
// Escape, seldom enough to cost nothing against the effects.
constexpr uint32_t CuePumpEvery = 32;
// How long a held show sleeps between looks at the window's events.
constexpr uint32_t HoldSliceMs = 20;

struct LivePlayback {
    Pacer Pace;
    void (*Pump)();
    void (*Show)();
    void (*AfterShow)();
    uint32_t Presents;  // on the platform's own clock
    bool Cueing;
    uint32_t CuePresents;
    bool TuneCued;  // its start came in a cue: it plays when the cue ends
    bool Held;
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

void Shown()
{
    if (Live.AfterShow)
        Live.AfterShow();
}

void CuePresent()
{
    if (++Live.CuePresents % CuePumpEvery == 0)
        HostPump(nullptr);
}

}  // namespace

void PresentFrame(void (*Flip)())
{
    VirtualClock* Clock = PlayedClock();
    if (!Clock) {
        ++Live.Presents;
        Flip();
        return Shown();
    }
    VirtualVsync(*Clock);
    if (Live.Cueing)
        return CuePresent();
    if (!PacerPresent(Live.Pace, Host, Clock->Now))
        return;
    Flip();
    PacerFlipped(Live.Pace, Host, Clock->Now);
    Shown();
}

void PlayTuneOnTime()
{
    VirtualClock* Clock = PlayedClock();
    if (Clock && Live.Cueing) {
        PacerTuneCued(Live.Pace, Clock->Now);
        Live.TuneCued = true;
        return;
    }
    if (Clock)
        PacerStartTune(Live.Pace, Host, Clock->Now);
    TunePlay();
}

void WaitForMoment(uint64_t Us)
{
    if (!Live.Cueing)
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

void PlaybackAfterShow(void (*Hook)())
{
    Live.AfterShow = Hook;
}

void PlaybackCue()
{
    Live.Cueing = PlayedClock() != nullptr;
}

bool PlaybackCueing()
{
    return Live.Cueing;
}

void PlaybackTakeUp()
{
    VirtualClock* Clock = PlayedClock();
    Live.Cueing = false;
    if (!Clock)
        return;
    if (Live.TuneCued) {
        Live.TuneCued = false;
        TunePlay();
    }
    if (Live.Pace.TuneStarted)
        TuneSeek(Clock->Now - Live.Pace.TuneVirtual);
    PacerRestart(Live.Pace, Host, Clock->Now);
}

void PlaybackHold(bool (*Holding)())
{
    Live.Held = true;
    TunePause(true);
    const uint64_t Since = PlatformMicros();
    HostShow(nullptr);  // with what the window now draws over it
    while (Holding()) {
        PlatformSleep(HoldSliceMs);
        HostPump(nullptr);
    }
    TunePause(false);
    Live.Held = false;
    if (PlayedClock())
        PacerResume(Live.Pace, Host, Since);
}

bool PlaybackHeld()
{
    return Live.Held;
}
