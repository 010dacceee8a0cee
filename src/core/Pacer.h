#pragma once
// The pacer: plays the demo's virtual clock (platform/VirtualClock.h) in
// real time. Virtual moment v is due at real time v + Offset. After each
// drawing present it either shows the frame, once its moment has come, or
// skips it when the next frame is already due (a slow display, a stall):
// the virtual timeline never slows down. Once the tune plays, what has been
// heard of it is the master clock: Offset is slewed towards it, by at most
// 5 % of the real time that passes (20 % while they are more than two
// frames apart), so the picture never jumps or runs backwards. Without
// readings, or when they stop moving, it runs on from the monotonic clock.
// It reaches the machine only through a PacerHost; of the platform layer it
// uses nothing but the virtual clock's 1/60 s rule, which is arithmetic.
#include <cstdint>

// What the pacer needs of the machine; times in microseconds.
struct PacerHost {
    void* Context;
    uint64_t (*Now)(void* Context);               // a monotonic real clock
    void (*SleepUs)(void* Context, uint64_t Us);  // sleeps about Us
    // How much of the tune had been heard at real time At; false when
    // nothing is known (no tune, not heard yet, no device).
    bool (*TuneHeard)(void* Context, uint64_t* PlayedUs, uint64_t* AtUs);
    // Handles the window's pending events during long waits; may be null.
    void (*Pump)(void* Context);
    // Shows the frame of the last present, which was skipped; may be null.
    void (*Show)(void* Context);
};

struct PacerStats {
    uint32_t Drawn, Shown, Skipped;
    uint64_t MaxLagUs;     // how far a present came after its frame's moment
    uint64_t MaxOffsetUs;  // picture against sound when a frame was shown
};

struct Pacer {
    bool Anchored;
    int64_t Offset;         // real - virtual, us
    bool TuneStarted;
    uint64_t TuneVirtual;   // the tune's first sample is this virtual moment
    bool TuneLocked;        // Offset has taken the tune's first reading
    uint64_t LastPlayed;    // the latest reading of the tune
    uint64_t LastMoved;     // real time when the readings last moved
    uint64_t LastFollow;    // real time of the last slew step
    bool Behind;            // the last frame reached the screen a frame late
    bool Pending;           // the last present was skipped
    PacerStats Stats;
};

// The drawing present of the frame whose moment is FrameUs (a 1/60 s
// boundary): true to show it, after waiting for its moment; false to skip it.
bool PacerPresent(Pacer& P, const PacerHost& Host, uint64_t FrameUs);
// Call when the present of a shown frame returns. A present that waits for
// the display's refresh returns as the frame reaches the screen: one that
// comes back more than a frame after the frame's moment means every later
// frame will come as late (the loop runs locked to the refresh), so the
// next one is skipped to fall back into step.
void PacerFlipped(Pacer& P, const PacerHost& Host, uint64_t FrameUs);
// Waits until virtual moment Us has come in real time, handling events. A
// frame skipped right before a wait that waits is what the wait should
// show: it is shown first. Before the tune starts, the wait is left to the
// tune's start, so the work done meanwhile (loading, after the start-up
// pause) is done inside it.
void PacerWait(Pacer& P, const PacerHost& Host, uint64_t Us);
// Call right before the tune starts, at virtual moment Us. Waits for that
// moment; when it is already past (loading took longer), the picture waits
// for the tune instead.
void PacerStartTune(Pacer& P, const PacerHost& Host, uint64_t Us);
// The tune started at virtual moment Us while the show was cued (nothing
// shown, nothing waited for): its first reading sets Offset, as at a start.
void PacerTuneCued(Pacer& P, uint64_t Us);
// Takes up again after a jump: virtual moment Us is due now, and the slew
// goes on from here, so nothing jumps and no burst of frames is skipped to
// catch up.
void PacerRestart(Pacer& P, const PacerHost& Host, uint64_t Us);
// Takes up again after a pause that began at real time Since (the tune
// paused with the picture): every later moment is due that much later, as
// if there had been no pause.
void PacerResume(Pacer& P, const PacerHost& Host, uint64_t Since);
// The real time at which virtual moment Us is due.
uint64_t PacerDue(const Pacer& P, uint64_t Us);
