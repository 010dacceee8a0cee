#pragma once
// The program's spine: start-up, the sixteen effects under a 16 ms frame
// pace, shut-down.
#include <cstdint>

#include "core/FrameTimer.h"
#include "demo/Settings.h"
#include "demo/Slots.h"

// The effects played, filled from SlotTable at start-up; tests swap entries.
extern Effect EffectTable[EffectCount];
extern int32_t EffectStep;

// Called after every effect call with the slot and the result; null in the
// demo. The capture tool and tests watch the run through it.
extern void (*EffectCallHook)(uint8_t Slot, int32_t Result);
// Called right before every effect call with its slot; null in the demo.
// With EffectCallHook it brackets each call: the benchmarks time them so.
extern void (*EffectStartHook)(uint8_t Slot);

// Where the show stands, for the viewer's controls.
struct ShowPlace {
    int32_t Part;        // the slot playing, or the one a jump heads for
    uint8_t FrameSlot;   // the effect call that drew the frame buffer last:
    uint32_t FrameCall;  // its slot and its call in the slot, from 1 (0: none yet)
    bool InCall;         // an effect call is running
};
extern ShowPlace Place;

// Plays the effects of EffectTable from slot 0 until slot 15 finishes: an
// effect call whenever PaceTimer says a frame is due, a present on every pass.
// A part the viewer asks for is reached exactly: the show is cued on to
// its start, from the first slot's start when it lies behind.
void RunEffects(FrameTimer* PaceTimer);

// The whole program with the run's settings: start-up, the effects,
// shut-down. Returns the exit code.
int DemoMain(const Settings& Run);
