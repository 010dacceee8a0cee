#include "effects/Effects.h"

// Not drawn yet: finishes on its first call.
int32_t LoadingScreen(int32_t*)
{
    return 1;
}
