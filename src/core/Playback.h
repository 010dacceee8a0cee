#pragma once
// Live playback: where a frame is shown and where the tune starts. On the
// reference clock (core/Clock.h) every drawing present and every wait goes
// through the pacer (core/Pacer.h), which lays the show on real time with
// the tune as the master clock; otherwise frames flip as they come and the
// tune simply starts.
#include <cstdint>

// A present that draws: Flip shows the back buffer. On the reference clock
// the frame is due at the next 1/60 s; the pacer waits for that moment, or
// skips the flip when the display can't keep up.
void PresentFrame(void (*Flip)());
// Starts the tune with TunePlay at its moment of the show.
void PlayTuneOnTime();
// Waits in real time until the reference clock's moment Us has come,
// handling the window's events: the reference clock's sleep.
void WaitForMoment(uint64_t Us);
// The display's part in long waits: Pump handles the window's events, Show
// flips the back buffer, which holds the last frame drawn. Null detaches.
void PlaybackAttachDisplay(void (*Pump)(), void (*Show)());
// Prints one line of the playback's figures on stderr at the end.
void PrintPlaybackStatsAtQuit();
