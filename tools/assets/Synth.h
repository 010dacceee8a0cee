#pragma once
// A small subtractive synthesizer: band-limited oscillators, envelopes and a
// resonant filter, rendering one note at a time into the mix buses.
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int SampleRate = 44100;

// Left and right channels of one stereo signal.
struct StereoBuffer {
    std::vector<float> Left, Right;
    void Resize(size_t Frames)
    {
        Left.assign(Frames, 0.0f);
        Right.assign(Frames, 0.0f);
    }
    size_t Frames() const { return Left.size(); }
};

// Where every note goes: straight out, and mono sends to the delay and the
// hall. The buffers may start late in the tune, at frame Offset.
struct Buses {
    size_t Offset = 0;
    StereoBuffer Dry;
    std::vector<float> DelaySend, ReverbSend;
    void Resize(size_t First, size_t Frames)
    {
        Offset = First;
        Dry.Resize(Frames);
        DelaySend.assign(Frames, 0.0f);
        ReverbSend.assign(Frames, 0.0f);
    }
};

enum class Wave { Saw, Pulse, Triangle, Sine, Noise };

struct Envelope {
    double Attack = 0.005, Decay = 0.1, Sustain = 1.0, Release = 0.05;  // seconds, level
};

struct Instrument {
    Wave Osc = Wave::Saw;
    int Unison = 1;               // stacked oscillators, spread in pitch and across the stereo field
    double Detune = 0.0;          // cents between the outermost unison voices
    double PulseWidth = 0.5;      // of Wave::Pulse
    double PwmDepth = 0.0, PwmRate = 0.0;  // pulse-width modulation, Hz
    double SubLevel = 0.0;        // a sine an octave down
    Envelope Amp = {};
    double Cutoff = 20000.0;      // Hz, before the filter envelope
    double Resonance = 0.0;       // 0 to about 0.9
    double FilterAmount = 0.0;    // Hz added at the envelope's peak
    Envelope FilterEnv = {};
    double VibratoRate = 0.0, VibratoDepth = 0.0, VibratoDelay = 0.0;  // Hz, semitones, s
    double Gain = 0.2;
    double Pan = 0.0;             // -1 left to 1 right
    double DelaySend = 0.0, ReverbSend = 0.0;
};

struct Note {
    double Start;     // seconds
    double Length;    // seconds the key is held
    double Pitch;     // MIDI note number, 69 = A 440 Hz
    double Velocity;  // 0 to 1
};

void RenderNote(Buses& Out, const Instrument& Voice, const Note& N, uint32_t Seed);

// The drum kit, each a small synthesis of its own.
enum class Drum { Kick, Snare, Clap, ClosedHat, OpenHat, Crash, Tom, Riser };
void RenderDrum(Buses& Out, Drum Kind, double Start, double Velocity, double Param, uint32_t Seed);

// Effects over whole buses, and the final master.
void ApplyDelay(const std::vector<float>& Send, StereoBuffer& Out, double Seconds, double Feedback);
void ApplyReverb(const std::vector<float>& Send, StereoBuffer& Out);
