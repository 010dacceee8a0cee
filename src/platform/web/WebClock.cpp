// The browser's clock: performance.now() in milliseconds, and sleeps that
// hand the thread back to the browser (Asyncify unwinds the stack and
// resumes it from a timer).
#include <emscripten.h>

#include "platform/Clock.h"

uint32_t PlatformTicks()
{
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

// A sleep of 0 returns at once: every present already yields to the
// browser, and a zero-time yield would cost a trip through its event loop.
void PlatformSleep(uint32_t Ms)
{
    if (Ms > 0)
        emscripten_sleep(Ms);
}

uint64_t PlatformMicros()
{
    return static_cast<uint64_t>(emscripten_get_now() * 1000.0);
}

// Timers run in whole milliseconds: a sleep is rounded up, so a wait never
// ends before its moment.
void PlatformSleepMicros(uint64_t Us)
{
    emscripten_sleep(static_cast<unsigned>((Us + 999) / 1000));
}

bool PlatformClockIsVirtual()
{
    return false;
}
