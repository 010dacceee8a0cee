#include "effects/Effects.h"

// Not drawn yet: finishes on its first call.
int32_t LightBlobs(int32_t*)
{
    return 1;
}
