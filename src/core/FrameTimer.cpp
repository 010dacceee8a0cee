#include "core/FrameTimer.h"

#include <new>

#include "core/Clock.h"
#include "log/Log.h"

FrameTimer* EffectTimer = nullptr;

FrameTimer* CreateTimer()
{
    FrameTimer* Timer = new (std::nothrow) FrameTimer;
    if (!Timer) {
        LogFailedAllocation(32);
        return nullptr;
    }
    RestartTimer(Timer);
    return Timer;
}

void RestartTimer(FrameTimer* Timer)
{
    Timer->StartTick = GetTickCount();
    Timer->LastTick = 0;
}

uint32_t ReadTimer(FrameTimer* Timer)
{
    Timer->LastTick = GetTickCount();
    return Timer->LastTick - Timer->StartTick;
}

int32_t FrameDue(FrameTimer* Timer)
{
    return ReadTimer(Timer) > 15 ? 1 : 0;
}
