// The real clock: a monotonic millisecond count that wraps at 2^32.
#include <cerrno>
#include <sched.h>
#include <time.h>

#include "platform/Clock.h"

uint32_t PlatformTicks()
{
    timespec Now;
    clock_gettime(CLOCK_MONOTONIC, &Now);
    uint64_t Ms = uint64_t(Now.tv_sec) * 1000 + uint64_t(Now.tv_nsec) / 1000000;
    return static_cast<uint32_t>(Ms);
}

void PlatformSleep(uint32_t Ms)
{
    if (Ms == 0) {
        sched_yield();
        return;
    }
    timespec Wait{static_cast<time_t>(Ms / 1000), static_cast<long>(Ms % 1000) * 1000000};
    while (nanosleep(&Wait, &Wait) != 0 && errno == EINTR) {
    }
}

uint64_t PlatformMicros()
{
    timespec Now;
    clock_gettime(CLOCK_MONOTONIC, &Now);
    return uint64_t(Now.tv_sec) * 1000000 + uint64_t(Now.tv_nsec) / 1000;
}

void PlatformSleepMicros(uint64_t Us)
{
    timespec Wait{static_cast<time_t>(Us / 1000000), static_cast<long>(Us % 1000000) * 1000};
    while (nanosleep(&Wait, &Wait) != 0 && errno == EINTR) {
    }
}

bool PlatformClockIsVirtual()
{
    return false;
}
