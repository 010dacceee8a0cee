// The virtual clock: deterministic, and every busy-wait ends.
#include "platform/Clock.h"
#include "platform/headless/HeadlessState.h"

uint32_t PlatformTicks()
{
    uint32_t Tick = static_cast<uint32_t>(Headless.Now / 1000 + Headless.StartTick);
    Headless.Now += 1;
    return Tick;
}

void PlatformSleep(uint32_t Ms)
{
    Headless.Now += uint64_t{Ms} * 1000;
}

void HeadlessSetStartTick(uint32_t Tick)
{
    Headless.StartTick = Tick;
}

uint64_t HeadlessNow()
{
    return Headless.Now;
}

void HeadlessSetTime(uint64_t Us)
{
    Headless.Now = Us;
}

uint64_t PlatformMicros()
{
    return Headless.Now;
}

void PlatformSleepMicros(uint64_t Us)
{
    Headless.Now += Us;
}

bool PlatformClockIsVirtual()
{
    return true;
}
