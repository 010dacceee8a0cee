#include "core/Pacer.h"

#include <algorithm>
#include <cstdlib>

#include "platform/VirtualClock.h"

namespace {

constexpr uint64_t SliceUs = 10000;     // longest sleep between two event pumps
constexpr int64_t SlewDivisor = 20;     // Offset moves by at most 1/20 of real time,
constexpr int64_t FarSlewDivisor = 5;   // or 1/5 when picture and sound are
constexpr int64_t FarUs = 33333;        // this far apart (after a stall of the sound)
constexpr uint64_t StoppedUs = 200000;  // readings that stand still this long are stale
constexpr uint64_t FramePeriodUs = 16667;
constexpr uint64_t BehindUs = FramePeriodUs + 2000;  // late enough to be a whole refresh behind

void Anchor(Pacer& P, uint64_t Real, uint64_t Us)
{
    if (P.Anchored)
        return;
    P.Anchored = true;
    P.Offset = static_cast<int64_t>(Real) - static_cast<int64_t>(Us);
    P.LastFollow = Real;
}

// The virtual moment being heard at real time Real; false without a fresh
// reading of the tune.
bool Heard(Pacer& P, const PacerHost& Host, uint64_t Real, int64_t* Virtual, int64_t* Target)
{
    uint64_t Played, At;
    if (!P.TuneStarted || !Host.TuneHeard(Host.Context, &Played, &At))
        return false;
    if (Played != P.LastPlayed || !P.TuneLocked) {
        P.LastPlayed = Played;
        P.LastMoved = Real;
    }
    if (Real - P.LastMoved > StoppedUs)
        return false;
    *Target = static_cast<int64_t>(At) - static_cast<int64_t>(Played) -
              static_cast<int64_t>(P.TuneVirtual);
    *Virtual = static_cast<int64_t>(Real) - *Target;
    return true;
}

// Slews Offset towards the tune; the first reading sets it outright.
void Follow(Pacer& P, const PacerHost& Host, uint64_t Real)
{
    int64_t Virtual, Target;
    int64_t Elapsed = static_cast<int64_t>(Real - P.LastFollow);
    P.LastFollow = Real;
    if (!Heard(P, Host, Real, &Virtual, &Target))
        return;
    if (!P.TuneLocked) {
        P.TuneLocked = true;
        P.Offset = Target;
        return;
    }
    int64_t Error = Target - P.Offset;
    int64_t Step = Elapsed / (std::abs(Error) > FarUs ? FarSlewDivisor : SlewDivisor);
    P.Offset += std::clamp(Error, -Step, Step);
}

void NoteOffset(Pacer& P, const PacerHost& Host, uint64_t Real, uint64_t FrameUs)
{
    int64_t Virtual, Target;
    if (!P.TuneLocked || !Heard(P, Host, Real, &Virtual, &Target))
        return;
    int64_t Offset = static_cast<int64_t>(FrameUs) - Virtual;
    P.Stats.MaxOffsetUs = std::max(P.Stats.MaxOffsetUs, static_cast<uint64_t>(Offset < 0 ? -Offset : Offset));
}

// Sleeps until virtual moment Us is due, pumping the window's events
// between slices.
void WaitUntil(Pacer& P, const PacerHost& Host, uint64_t Us, uint64_t Real)
{
    for (;;) {
        Follow(P, Host, Real);
        uint64_t Due = PacerDue(P, Us);
        if (Real >= Due)
            return;
        bool Long = Due - Real > SliceUs;
        Host.SleepUs(Host.Context, std::min(Due - Real, SliceUs));
        if (Long && Host.Pump)
            Host.Pump(Host.Context);
        Real = Host.Now(Host.Context);
    }
}

}  // namespace

uint64_t PacerDue(const Pacer& P, uint64_t Us)
{
    return static_cast<uint64_t>(static_cast<int64_t>(Us) + P.Offset);
}

void PacerWait(Pacer& P, const PacerHost& Host, uint64_t Us)
{
    uint64_t Real = Host.Now(Host.Context);
    Anchor(P, Real, Us);
    if (!P.TuneStarted)
        return;
    // A wait already over (time to catch up) shows nothing; one that waits
    // is in step again.
    const bool Waits = Real < PacerDue(P, Us);
    if (Waits)
        P.Behind = false;
    if (P.Pending && Waits) {
        P.Pending = false;
        if (Host.Show) {
            Host.Show(Host.Context);
            --P.Stats.Skipped;
            ++P.Stats.Shown;
        }
    }
    WaitUntil(P, Host, Us, Real);
}

bool PacerPresent(Pacer& P, const PacerHost& Host, uint64_t FrameUs)
{
    uint64_t Real = Host.Now(Host.Context);
    Anchor(P, Real, FrameUs);
    Follow(P, Host, Real);
    ++P.Stats.Drawn;
    const uint64_t Due = PacerDue(P, FrameUs);
    if (Real > Due)
        P.Stats.MaxLagUs = std::max(P.Stats.MaxLagUs, Real - Due);
    if (P.Behind || Real >= PacerDue(P, NextVsync(FrameUs))) {
        P.Behind = false;
        P.Pending = true;
        ++P.Stats.Skipped;
        return false;
    }
    P.Pending = false;
    WaitUntil(P, Host, FrameUs, Real);
    ++P.Stats.Shown;
    NoteOffset(P, Host, Host.Now(Host.Context), FrameUs);
    return true;
}

void PacerFlipped(Pacer& P, const PacerHost& Host, uint64_t FrameUs)
{
    uint64_t Real = Host.Now(Host.Context), Due = PacerDue(P, FrameUs);
    uint64_t Lag = Real > Due ? Real - Due : 0;
    P.Stats.MaxLagUs = std::max(P.Stats.MaxLagUs, Lag);
    P.Behind = Lag > BehindUs;
}

void PacerStartTune(Pacer& P, const PacerHost& Host, uint64_t Us)
{
    uint64_t Real = Host.Now(Host.Context);
    Anchor(P, Real, Us);
    if (Real > PacerDue(P, Us))
        P.Offset += static_cast<int64_t>(Real - PacerDue(P, Us));
    WaitUntil(P, Host, Us, Real);
    P.TuneStarted = true;
    P.TuneVirtual = Us;
    P.LastMoved = Real;
}

void PacerTuneCued(Pacer& P, uint64_t Us)
{
    P.TuneStarted = true;
    P.TuneLocked = false;
    P.TuneVirtual = Us;
}

void PacerRestart(Pacer& P, const PacerHost& Host, uint64_t Us)
{
    const uint64_t Real = Host.Now(Host.Context);
    P.Anchored = true;
    P.Offset = static_cast<int64_t>(Real) - static_cast<int64_t>(Us);
    P.LastFollow = Real;
    P.LastMoved = Real;
    P.Behind = false;
    P.Pending = false;
}

void PacerResume(Pacer& P, const PacerHost& Host, uint64_t Since)
{
    const uint64_t Real = Host.Now(Host.Context);
    P.Offset += static_cast<int64_t>(Real - Since);
    P.LastFollow = Real;
    P.LastMoved = Real;
}
