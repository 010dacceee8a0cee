#pragma once
// The platform tune player: one tune, played once in the background.
// Knows nothing of the demo.

// Opens the audio device and loads the tune; nothing plays yet. False when
// there is no device or the file can't be loaded; TuneError says why.
bool TuneOpen(const char* Path);
// Plays the loaded tune once from its start; does nothing when none is loaded.
void TunePlay();
// Stops and releases the tune and the audio device; safe to repeat.
void TuneClose();
const char* TuneError();
