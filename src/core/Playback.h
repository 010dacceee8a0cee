#pragma once
// Live playback: where a frame is shown and where the tune starts. On the
// reference clock (core/Clock.h) every drawing present and every wait goes
// through the pacer (core/Pacer.h), which lays the show on real time with
// the tune as the master clock; otherwise frames flip as they come and the
// tune simply starts. On the reference clock the show can also be cued
// (run on without being shown, to reach a later moment exactly) and held.
#include <cstdint>

// A present that draws: Flip shows the back buffer. On the reference clock
// the frame is due at the next 1/60 s; the pacer waits for that moment, or
// skips the flip when the display can't keep up. While cued, only the
// reference clock steps, as it would have.
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

// Called after each frame that reached the screen, once its flip returns.
void PlaybackAfterShow(void (*Hook)());
// Cues the show: from here on nothing is shown or waited for, and the
// window's events are handled every few dozen presents. Only on the
// reference clock; PlaybackTakeUp ends it.
void PlaybackCue();
bool PlaybackCueing();
// Plays on in real time from the reference clock's moment now, the tune
// moved to the same moment: the end of a cue.
void PlaybackTakeUp();
// Holds the show while Holding() says so: the picture stands, the tune is
// paused, the process sleeps between looks at the window's events; then
// the show takes up where it stood.
void PlaybackHold(bool (*Holding)());
bool PlaybackHeld();
