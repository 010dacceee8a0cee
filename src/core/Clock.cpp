#include "core/Clock.h"

#include "platform/Clock.h"

uint32_t GetTickCount()
{
    return PlatformTicks();
}

void Sleep(uint32_t Ms)
{
    PlatformSleep(Ms);
}
