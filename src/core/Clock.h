#pragma once
// The clock and the sleep as the demo sees them. Every module above the
// platform reads time through here, never from the platform directly, so
// what "now" means for the show is decided in one place.
//
// On the headless backend this is the platform's virtual clock. On a real
// one it is by default the same virtual clock (platform/VirtualClock.h),
// played in real time by the pacer (core/Pacer.h): the live show is the
// headless show, frame for frame, in step with the tune. VORLUNE_TIMING=
// original gives the platform's real clock instead, as the original had;
// VORLUNE_STATS=1 prints a line of pacing figures to stderr at the end.
#include <cstdint>

// Milliseconds as a 32-bit count that wraps.
uint32_t GetTickCount();

// Gives up the thread for Ms milliseconds; 0 only yields.
void Sleep(uint32_t Ms);

// A present that draws: Flip shows the back buffer. On the virtual clock
// the frame is due at the next 1/60 s; the pacer waits for that moment, or
// skips the flip when the display can't keep up.
void PresentFrame(void (*Flip)());
// Starts the tune with TunePlay at its moment of the show.
void PlayTuneOnTime();
// The display's part in long waits: Pump handles the window's events, Show
// flips the back buffer, which holds the last frame drawn.
void ClockAttachDisplay(void (*Pump)(), void (*Show)());
