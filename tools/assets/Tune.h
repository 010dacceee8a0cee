#pragma once
// The tune "Brumalid": composed, synthesized, mastered and encoded here.
#include <string>

#include "Synth.h"

// The whole tune, mastered: peaks at MasterPeak, the last chord fading out.
constexpr double MasterPeak = 0.85;
StereoBuffer RenderTune();

bool WriteTune(const std::string& Path);
