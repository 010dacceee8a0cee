#pragma once
// Going back in the show: everything the show changes as it runs, kept as
// it stood at the first slot's start and put back there, so that a replay
// from there gives the reference run's frames and log again.
#include "core/FrameTimer.h"

// At the first slot's start, once.
void KeepFirstSlotStart(const FrameTimer* PaceTimer);
// Puts it all back: the reference clock, the timers, the random sequence,
// the screen and its view, the pictures, the effects' state and the log.
void RewindToFirstSlotStart(FrameTimer* PaceTimer);
