#include "effects/Effects.h"

// Not drawn yet: finishes on its first call.
int32_t CorridorDoors(int32_t*)
{
    return 1;
}
