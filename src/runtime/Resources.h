#pragma once
// Everything the effects show, loaded once before the first effect.

// Loads the resource set, starts the EffectTimer and then the tune.
void LoadResources();
// Closes the tune and releases the pictures held only for the run.
void ReleaseResources();
