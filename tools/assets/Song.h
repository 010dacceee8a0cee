#pragma once
// "Brumalid": the arrangement, section by section, following the demo's
// moods. Lengths are in bars of two seconds; change them here to fit the
// demo's timing, and everything else follows.
#include <string>
#include <vector>

#include "Score.h"

enum class Mood { Dawn, Words, Doors, Plasma, Snow, Blobs, Breath, Raster, Greetings, Farewell };

struct Section {
    Mood Kind;
    int Bars;
    int Transpose;             // semitones, for the key lift of the climax and the close
    std::string Progression;   // one chord a bar, repeated as long as the section lasts
    std::string LastChord;     // the last bar's chord, leading on; empty keeps the loop
};

const std::vector<Section>& Arrangement();

// Seconds the last chord rings after the last bar.
constexpr double TailSeconds = 6.0;

// The whole tune as a score, and its length in seconds.
Score ComposeTune();
double TuneSeconds();
