// The pacer on a simulated machine: a display of some refresh rate whose
// present waits for its next refresh (or, queueing, only for the one before), a sleep that oversleeps a little, an
// audio device that reports the tune a buffer at a time, and a demo that
// draws, presents, sleeps and busy-waits on the virtual clock. At every
// refresh the screen must show the last frame whose moment has come (by
// the tune, or the monotonic clock without one), give or take one refresh.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Pacer.h"
#include "platform/VirtualClock.h"

namespace {

constexpr double FrameUs = 1e6 / 60;
constexpr uint64_t NoTime = ~uint64_t{0};

struct Machine {
    double Hz;
    bool Tune = true;
    double TuneRate = 1.0;       // the audio device's clock against the real one
    uint64_t TuneStops = NoTime;   // real time when the readings stop moving
    uint64_t TuneVanishes = NoTime;  // real time when the device is gone
    bool Stall = false;           // one effect call takes 200 ms
    bool SlowPresents = false;    // every fifth present takes a refresh more
    bool Queued = false;          // a present returns once the one before is on the screen
};

struct Landed {
    uint64_t At;     // the refresh from which the display shows it
    uint64_t Frame;  // its virtual moment
};

struct World {
    Machine M;
    double Real = 0;  // us
    uint64_t Reads = 0;
    uint64_t TuneStart = NoTime;  // real time of the tune's start
    std::vector<Landed> Screen;
    std::vector<uint64_t> Drawn;  // the virtual moments of every drawing present
    std::vector<double> SlowLanded;  // when the slow presents reached the screen
};

constexpr double BufferUs = 2048 * 1e6 / 44100;
constexpr double LatencyUs = 2 * BufferUs;
constexpr double OversleepUs = 60;

// Heard tune at real time Real, in us of the tune; negative before it sounds.
double TrueHeard(const World& W, double Real)
{
    Real = std::min(Real, double(std::min(W.M.TuneStops, W.M.TuneVanishes)));
    return (Real - double(W.TuneStart) - LatencyUs) * W.M.TuneRate;
}

uint64_t Now(void* C)
{
    World& W = *static_cast<World*>(C);
    ++W.Reads;
    return uint64_t(W.Real);
}

void SleepUs(void* C, uint64_t Us)
{
    static_cast<World*>(C)->Real += double(Us) + OversleepUs;
}

// The device takes a buffer every BufferUs; a reading is what had been
// heard when the latest buffer was taken.
bool TuneHeard(void* C, uint64_t* Played, uint64_t* At)
{
    World& W = *static_cast<World*>(C);
    if (W.TuneStart == NoTime || W.Real >= double(W.M.TuneVanishes))
        return false;
    double Last = std::min(W.Real, double(W.M.TuneStops));
    double Taken = double(W.TuneStart) + std::floor((Last - double(W.TuneStart)) / BufferUs) * BufferUs;
    double Heard = TrueHeard(W, Taken);
    if (Heard <= 0)
        return false;
    *Played = uint64_t(Heard);
    *At = uint64_t(Taken);
    return true;
}

// Waits for the next refresh, or the one after for a slow present.
void Flip(World& W, uint64_t Frame)
{
    double Refresh = 1e6 / W.M.Hz, Phase = 3100;
    double From = W.M.Queued && !W.Screen.empty() ? std::max(W.Real, double(W.Screen.back().At)) : W.Real;
    double Next = Phase + std::floor((From - Phase) / Refresh + 1) * Refresh;
    if (W.M.SlowPresents && W.Screen.size() % 5 == 4) {
        Next += Refresh;
        W.SlowLanded.push_back(Next);
    }
    W.Real = W.M.Queued ? From : Next;
    W.Screen.push_back({uint64_t(Next), Frame});
}

// The back buffer still holds the last frame drawn.
void ShowLast(void* C)
{
    World& W = *static_cast<World*>(C);
    Flip(W, W.Drawn.back());
}

struct SimRun {
    World W;
    Pacer P{};
    uint64_t TuneVirtual = 0;
    uint64_t TuneReal = 0;  // when the tune started
    uint64_t StallEnd = 0;  // real time
};

void Present(SimRun& R, const PacerHost& Host, VirtualClock& Clock)
{
    VirtualVsync(Clock);
    R.W.Drawn.push_back(Clock.Now);
    if (PacerPresent(R.P, Host, Clock.Now)) {
        Flip(R.W, Clock.Now);
        PacerFlipped(R.P, Host, Clock.Now);
    }
}

// The demo's shape: a black frame, a 2.5 s pause, 300 ms of loading, the
// tune, then 25 s of effect calls with a 2 s hold, a 100 ms sleep and a 1 s
// busy-wait among them.
void Play(SimRun& R)
{
    PacerHost Host{&R.W, Now, SleepUs, TuneHeard, nullptr, ShowLast};
    VirtualClock Clock;
    Present(R, Host, Clock);
    VirtualSleep(Clock, 2500);
    PacerWait(R.P, Host, Clock.Now);
    R.W.Real += 300000;
    PacerStartTune(R.P, Host, Clock.Now);
    R.TuneVirtual = Clock.Now;
    R.TuneReal = uint64_t(R.W.Real);
    if (R.W.M.Tune)
        R.W.TuneStart = uint64_t(R.W.Real);
    for (int Call = 0; Call < 1500; ++Call) {
        R.W.Real += 900;
        if (R.W.M.Stall && Call == 700) {
            R.W.Real += 200000;
            R.StallEnd = uint64_t(R.W.Real);
        }
        if (Call == 60) {
            VirtualSleep(Clock, 2000);
            PacerWait(R.P, Host, Clock.Now);
        } else if (Call == 400) {
            Present(R, Host, Clock);
            VirtualSleep(Clock, 100);
            PacerWait(R.P, Host, Clock.Now);
        } else if (Call == 1000) {
            Present(R, Host, Clock);
            Clock.Now += 1000000;
        }
        Present(R, Host, Clock);
    }
}

// The virtual moment whose frame is due at real time Real: by the tune,
// and after the tune stops by the monotonic clock from there on.
double DueVirtual(const SimRun& R, double Real)
{
    if (!R.W.M.Tune)
        return Real - double(R.P.Offset);
    double Stop = double(std::min(R.W.M.TuneStops, R.W.M.TuneVanishes));
    double Heard = TrueHeard(R.W, Real) + std::max(0.0, Real - Stop);
    return double(R.TuneVirtual) + Heard;
}

void PrintTo(const Machine& M, std::ostream* Out)
{
    *Out << M.Hz << " Hz";
}

class PacerOn : public testing::TestWithParam<Machine> {};

}  // namespace

TEST_P(PacerOn, EveryRefreshShowsTheFrameDueThen)
{
    SimRun R;
    R.W.M = GetParam();
    Play(R);
    const Machine& M = R.W.M;
    double Refresh = 1e6 / M.Hz;
    double Late = Refresh + 1000;  // one refresh, 1 ms of slewing
    double From = double(R.W.TuneStart == NoTime ? R.P.Offset : R.W.TuneStart) + 1e6;
    double To = R.W.Real - 2 * Refresh;
    size_t Shown = 0;
    int Wrong = 0;
    for (double At = 3100 + std::ceil((From - 3100) / Refresh) * Refresh; At < To; At += Refresh) {
        if (R.StallEnd && At >= double(R.StallEnd) - 200000 && At < double(R.StallEnd) + 1e6)
            continue;  // a stall shows an old frame; it is caught up within 1 s
        auto Slow = std::upper_bound(R.W.SlowLanded.begin(), R.W.SlowLanded.end(), At);
        if (Slow != R.W.SlowLanded.begin() && At - *std::prev(Slow) < 3 * Refresh)
            continue;  // a slow present is caught up within three refreshes
        while (Shown + 1 < R.W.Screen.size() && double(R.W.Screen[Shown + 1].At) <= At + 1)
            ++Shown;
        // Between drawing presents (a sleep, a busy-wait) the last one stays.
        double Due = DueVirtual(R, At), Frame = double(R.W.Screen[Shown].Frame);
        auto Next = std::upper_bound(R.W.Drawn.begin(), R.W.Drawn.end(), R.W.Screen[Shown].Frame);
        bool Right = Frame <= Due + 1000 && (Next == R.W.Drawn.end() || double(*Next) > Due - Late);
        if (!Right && Wrong++ < 3)
            ADD_FAILURE() << "at " << At / 1e6 << " s the screen shows the frame of " << Frame / 1e6
                          << " s, the frame of " << Due / 1e6 << " s is due";
    }
    EXPECT_EQ(Wrong, 0);
    double FirstFrame = double(R.W.Screen.front().At) - double(R.W.Screen.front().Frame);
    EXPECT_NEAR(double(R.TuneReal) - FirstFrame, double(R.TuneVirtual), 1e6 / M.Hz + 1000)
        << "the loading is not done inside the start-up pause";
    const PacerStats& S = R.P.Stats;
    EXPECT_EQ(S.Shown + S.Skipped, S.Drawn);
    EXPECT_EQ(S.Shown, R.W.Screen.size());
    if (M.Hz >= 60 * M.TuneRate && !M.Stall && !M.SlowPresents) {
        EXPECT_LE(S.Skipped, 2u) << "a display as fast as the frames skips none";
    }
    if (M.Tune && M.TuneStops == NoTime && M.TuneVanishes == NoTime) {
        EXPECT_LE(S.MaxOffsetUs, uint64_t(FrameUs) + 1000) << "picture against sound";
    }
    EXPECT_LT(R.W.Reads, 12 * uint64_t(S.Drawn)) << "the pacer spins instead of sleeping";
}

INSTANTIATE_TEST_SUITE_P(
    Pacer, PacerOn,
    testing::Values(Machine{.Hz = 50}, Machine{.Hz = 59.94}, Machine{.Hz = 60}, Machine{.Hz = 75},
                    Machine{.Hz = 100}, Machine{.Hz = 120}, Machine{.Hz = 144}, Machine{.Hz = 165},
                    Machine{.Hz = 240}, Machine{.Hz = 60, .Tune = false},
                    Machine{.Hz = 144, .Stall = true}, Machine{.Hz = 60, .SlowPresents = true},
                    Machine{.Hz = 60, .Queued = true}, Machine{.Hz = 60, .TuneRate = 1.005},
                    Machine{.Hz = 144, .TuneRate = 0.995}, Machine{.Hz = 60, .TuneStops = 12000000},
                    Machine{.Hz = 75, .TuneRate = 1.005, .TuneVanishes = 12000000}),
    [](const testing::TestParamInfo<Machine>& Info) {
        const Machine& M = Info.param;
        std::string Name = std::to_string(int(M.Hz * 100)) + "cHz";
        if (!M.Tune)
            Name += "Silent";
        if (M.TuneRate != 1.0)
            Name += M.TuneRate > 1 ? "TuneFast" : "TuneSlow";
        if (M.TuneStops != NoTime)
            Name += "TuneStops";
        if (M.TuneVanishes != NoTime)
            Name += "TuneVanishes";
        if (M.Stall)
            Name += "Stall";
        if (M.SlowPresents)
            Name += "SlowPresents";
        if (M.Queued)
            Name += "QueuedPresents";
        return Name;
    });
