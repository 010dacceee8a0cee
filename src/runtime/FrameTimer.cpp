#include "runtime/FrameTimer.h"

#include <new>

#include "log/Log.h"
#include "platform/Clock.h"

FrameTimer* CreateTimer()
{
    FrameTimer* Timer = new (std::nothrow) FrameTimer;
    if (!Timer) {
        LogPrint("Error!! Allocate failed file <%s> line <%d>\n", "Utils", 32);
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
