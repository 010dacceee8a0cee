#include "runtime/Resources.h"

#include "runtime/MainLoop.h"
#include "runtime/Screen.h"

// Nothing to load until the pictures and the tune exist; the EffectTimer
// still starts here, at the end of loading.
void LoadResources()
{
    EffectTimer = CreateTimer();
    if (!EffectTimer)
        FailAndExit("out of memory for the effect timer");
}

void ReleaseResources() {}
