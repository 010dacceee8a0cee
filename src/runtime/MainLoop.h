#pragma once
// The program's spine: start-up, the sixteen effects under a 16 ms frame
// pace, shut-down.
#include <cstdint>

#include "runtime/FrameTimer.h"

// An effect draws at most one frame per call into the screen and returns
// exactly 1 when it is finished; any other value asks for another call.
// Step is 0 on its first call; effects use it only as a first-call flag.
using Effect = int32_t (*)(int32_t* Step);

constexpr int EffectCount = 16;

extern Effect EffectTable[EffectCount];
extern int32_t EffectStep;
// Started at the end of loading, restarted whenever an effect finishes;
// effects read and restart it to time their phases.
extern FrameTimer* EffectTimer;

// Called after every effect call with the slot and the result; null in the
// demo. The capture tool and tests watch the run through it.
extern void (*EffectCallHook)(uint8_t Slot, int32_t Result);

// Plays the effects of EffectTable from slot 0 until slot 15 finishes: an
// effect call whenever PaceTimer says a frame is due, a present on every pass.
void RunEffects(FrameTimer* PaceTimer);

// The whole program: start-up, the effects, shut-down. Returns the exit code.
int DemoMain();
