#include "effects/Effects.h"

// Not drawn yet: each finishes on its first call.
int32_t ZoomWordThis(int32_t*) { return 1; }
int32_t ZoomWordProgressBar(int32_t*) { return 1; }
int32_t ZoomWordIs(int32_t*) { return 1; }
int32_t ZoomWordAPure(int32_t*) { return 1; }
int32_t ZoomWordFake(int32_t*) { return 1; }
