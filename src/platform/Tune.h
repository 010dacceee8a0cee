#pragma once
// The platform tune player: one tune, played once in the background.
// Knows nothing of the demo.
#include <cstdint>

// Opens the audio device and loads the tune; nothing plays yet. False when
// there is no device or the file can't be loaded; TuneError says why.
bool TuneOpen(const char* Path);
// Plays the loaded tune once from its start; does nothing when none is loaded.
void TunePlay();
// Pauses the playing tune where it stands, or plays on from there.
void TunePause(bool Paused);
// Moves the tune to Us from its start; what TuneHeard counts follows.
void TuneSeek(uint64_t Us);
// Stops and releases the tune and the audio device; safe to repeat.
void TuneClose();
const char* TuneError();
// How much of the tune had reached the listener (PlayedUs) at the platform
// clock's moment AtUs (PlatformMicros): the device's latency is taken off.
// False before anything is heard and when no tune plays. A device that
// stops or vanishes leaves the last reading unchanged.
bool TuneHeard(uint64_t* PlayedUs, uint64_t* AtUs);
