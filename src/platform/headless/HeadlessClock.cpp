// The virtual clock: deterministic, and every busy-wait ends.
#include "platform/Clock.h"
#include "platform/headless/HeadlessState.h"

uint32_t PlatformTicks()
{
    return VirtualTicks(Headless.Clock);
}

void PlatformSleep(uint32_t Ms)
{
    VirtualSleep(Headless.Clock, Ms);
}

void HeadlessSetStartTick(uint32_t Tick)
{
    Headless.Clock.StartTick = Tick;
}

uint64_t HeadlessNow()
{
    return Headless.Clock.Now;
}

void HeadlessSetTime(uint64_t Us)
{
    Headless.Clock.Now = Us;
}

uint64_t PlatformMicros()
{
    return Headless.Clock.Now;
}

void PlatformSleepMicros(uint64_t Us)
{
    Headless.Clock.Now += Us;
}

bool PlatformClockIsVirtual()
{
    return Headless.RefreshMilliHz == 0;
}

void HeadlessSetRefresh(uint32_t MilliHz)
{
    Headless.RefreshMilliHz = MilliHz;
}
