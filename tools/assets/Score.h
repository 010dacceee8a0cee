#pragma once
// The tune as a score: notes for the synthesizer's parts and hits for the
// drum kit, written with tracker-style pattern strings.
#include <string>
#include <vector>

#include "Synth.h"

enum Part { Pad, Bass, SoftBass, Lead, LeadLow, Arp, Pluck, Bell, PartCount };

struct ScoreNote {
    Part Voice;
    Note N;
};

struct ScoreHit {
    Drum Kind;
    double Start, Velocity, Param;
};

struct Score {
    std::vector<ScoreNote> Notes;
    std::vector<ScoreHit> Hits;
};

constexpr double Tempo = 120.0;                   // beats a minute
constexpr double StepSeconds = 15.0 / Tempo;      // a sixteenth
constexpr double BarSeconds = 16 * StepSeconds;

// A chord: root as a MIDI note in the bass octave and the intervals above it.
struct Chord {
    int Root = 45;
    std::vector<int> Tones;  // semitones above the root, root included
};

// "Am", "F", "Bb", "Fmaj7", "Em7", "E", "Esus4", "C#m"...
Chord ParseChord(const std::string& Name);
// Space-separated chord names.
std::vector<Chord> ParseChords(const std::string& Names);

// Note tokens separated by spaces: "a4", "c#5", "bb3"; "-" holds the note
// before; "." is a rest. Each token lasts Step sixteenths from Bar.
void PlayLine(Score& S, Part Voice, const std::string& Tokens, double Bar, int Step, int Transpose,
              double Velocity);
// Drum steps, one a sixteenth: 'X' loud, 'x' normal, 'o' soft, '.' nothing.
void PlayBeat(Score& S, Drum Kind, const std::string& Steps, double Bar, double Velocity, double Param = 0.0);

// Parses one note token; -1 for "-" and "." and anything unknown.
int NoteNumber(const std::string& Token);
