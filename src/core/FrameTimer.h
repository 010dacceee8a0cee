#pragma once
// Millisecond timers over the tick counter; elapsed time is always
// LastTick - StartTick in unsigned 32-bit arithmetic, so the wrap is harmless.
#include <cstdint>

struct FrameTimer {
    uint32_t StartTick;  // tick count at creation or the last restart
    uint32_t LastTick;   // tick count of the latest read; 0 after a restart
};

// A started timer on the heap (never freed), or null after a logged failure.
FrameTimer* CreateTimer();
void RestartTimer(FrameTimer* Timer);
// Reads the counter into LastTick; 1 when 16 ms or more have passed.
int32_t FrameDue(FrameTimer* Timer);
// Reads the counter into LastTick and returns the elapsed milliseconds.
uint32_t ReadTimer(FrameTimer* Timer);

// Started at the end of loading, restarted whenever an effect finishes;
// effects read and restart it to time their phases.
extern FrameTimer* EffectTimer;
