#pragma once
// MP3 encoding through libmp3lame: constant 192 kbit/s, joint stereo.
#include <string>

#include "Synth.h"

// Samples in -1..1; false when the encoder or the file fails.
bool WriteMp3(const StereoBuffer& Audio, const std::string& Path);
