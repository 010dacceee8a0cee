#include "effects/Effects.h"

// Not drawn yet: finishes on its first call.
int32_t SwitchOff(int32_t*)
{
    return 1;
}
