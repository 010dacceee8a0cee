#include "Tune.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "Mp3.h"
#include "Song.h"

namespace {

Instrument MakePad()
{
    return Instrument{.Osc = Wave::Saw,
                      .Unison = 3,
                      .Detune = 22.0,
                      .Amp = {0.5, 1.0, 0.8, 0.9},
                      .Cutoff = 700.0,
                      .FilterAmount = 1100.0,
                      .FilterEnv = {1.2, 2.0, 0.4, 1.0},
                      .Gain = 0.05,
                      .ReverbSend = 0.6};
}

Instrument MakeBass()
{
    return Instrument{.Osc = Wave::Saw,
                      .SubLevel = 0.7,
                      .Amp = {0.003, 0.25, 0.6, 0.05},
                      .Cutoff = 220.0,
                      .Resonance = 0.45,
                      .FilterAmount = 1300.0,
                      .FilterEnv = {0.001, 0.12, 0.0, 0.05},
                      .Gain = 0.30};
}

Instrument MakeSoftBass()
{
    return Instrument{.Osc = Wave::Triangle,
                      .SubLevel = 0.6,
                      .Amp = {0.05, 0.6, 0.7, 0.4},
                      .Cutoff = 600.0,
                      .Gain = 0.32};
}

Instrument MakeLead()
{
    return Instrument{.Osc = Wave::Pulse,
                      .Unison = 2,
                      .Detune = 9.0,
                      .PulseWidth = 0.45,
                      .PwmDepth = 0.2,
                      .PwmRate = 0.35,
                      .Amp = {0.01, 0.3, 0.7, 0.15},
                      .Cutoff = 1800.0,
                      .Resonance = 0.2,
                      .FilterAmount = 2600.0,
                      .FilterEnv = {0.005, 0.25, 0.3, 0.2},
                      .VibratoRate = 5.5,
                      .VibratoDepth = 0.2,
                      .VibratoDelay = 0.18,
                      .Gain = 0.16,
                      .DelaySend = 0.35,
                      .ReverbSend = 0.25};
}

Instrument MakeLeadLow()
{
    return Instrument{.Osc = Wave::Saw,
                      .Unison = 2,
                      .Detune = 12.0,
                      .Amp = {0.01, 0.4, 0.6, 0.15},
                      .Cutoff = 1200.0,
                      .FilterAmount = 1200.0,
                      .FilterEnv = {0.005, 0.3, 0.2, 0.2},
                      .Gain = 0.09,
                      .Pan = -0.2,
                      .DelaySend = 0.15,
                      .ReverbSend = 0.15};
}

Instrument MakeArp()
{
    return Instrument{.Osc = Wave::Pulse,
                      .PulseWidth = 0.25,
                      .Amp = {0.002, 0.12, 0.0, 0.05},
                      .Cutoff = 2200.0,
                      .FilterAmount = 3000.0,
                      .FilterEnv = {0.001, 0.08, 0.0, 0.05},
                      .Gain = 0.07,
                      .Pan = 0.3,
                      .DelaySend = 0.4};
}

Instrument MakePluck()
{
    return Instrument{.Osc = Wave::Pulse,
                      .Amp = {0.002, 0.35, 0.0, 0.2},
                      .Cutoff = 900.0,
                      .FilterAmount = 2200.0,
                      .FilterEnv = {0.001, 0.15, 0.0, 0.1},
                      .Gain = 0.10,
                      .Pan = -0.25,
                      .DelaySend = 0.4,
                      .ReverbSend = 0.3};
}

Instrument MakeBell()
{
    return Instrument{.Osc = Wave::Triangle,
                      .Amp = {0.002, 0.9, 0.0, 0.9},
                      .Gain = 0.16,
                      .Pan = 0.2,
                      .DelaySend = 0.3,
                      .ReverbSend = 0.5};
}

const Instrument& Voice(Part P)
{
    static const Instrument Voices[PartCount] = {MakePad(),   MakeBass(), MakeSoftBass(), MakeLead(),
                                                 MakeLeadLow(), MakeArp(), MakePluck(),   MakeBell()};
    return Voices[P];
}

// Gentle saturation, then the whole tune scaled to one peak and the tail
// faded so it ends in silence.
void Master(StereoBuffer& Mix)
{
    double Peak = 0.0;
    for (size_t I = 0; I < Mix.Frames(); ++I) {
        Mix.Left[I] = float(std::tanh(Mix.Left[I] * 1.2));
        Mix.Right[I] = float(std::tanh(Mix.Right[I] * 1.2));
        Peak = std::max({Peak, double(std::fabs(Mix.Left[I])), double(std::fabs(Mix.Right[I]))});
    }
    const double Gain = Peak > 0.0 ? MasterPeak / Peak : 1.0;
    const size_t FadeFrames = size_t(TailSeconds * 0.8 * SampleRate);
    for (size_t I = 0; I < Mix.Frames(); ++I) {
        size_t Left = Mix.Frames() - I;
        double Fade = Left < FadeFrames ? std::pow(double(Left) / double(FadeFrames), 1.5) : 1.0;
        Mix.Left[I] = float(Mix.Left[I] * Gain * Fade);
        Mix.Right[I] = float(Mix.Right[I] * Gain * Fade);
    }
}

// Renders the notes and hits that start in [From, To) seconds.
void RenderPart(const Score& Tune, double From, double To, size_t Frames, Buses& Out)
{
    const size_t First = std::min(Frames, size_t(From * SampleRate));
    Out.Resize(First, Frames - First);
    // Seeds follow the score order, whichever part renders an event.
    uint32_t Seed = 1;
    for (const ScoreNote& N : Tune.Notes)
        if (++Seed, N.N.Start >= From && N.N.Start < To)
            RenderNote(Out, Voice(N.Voice), N.N, Seed * 2654435761u);
    for (const ScoreHit& H : Tune.Hits)
        if (++Seed, H.Start >= From && H.Start < To)
            RenderDrum(Out, H.Kind, H.Start, H.Velocity, H.Param, Seed * 2654435761u);
}

void AddInto(Buses& Whole, const Buses& Part)
{
    for (size_t I = 0; I < Part.Dry.Frames(); ++I) {
        Whole.Dry.Left[Part.Offset + I] += Part.Dry.Left[I];
        Whole.Dry.Right[Part.Offset + I] += Part.Dry.Right[I];
        Whole.DelaySend[Part.Offset + I] += Part.DelaySend[I];
        Whole.ReverbSend[Part.Offset + I] += Part.ReverbSend[I];
    }
}

}  // namespace

// The two halves of the tune render on two threads; they are summed in a
// fixed order, so the result is the same on every run.
StereoBuffer RenderTune()
{
    const Score Tune = ComposeTune();
    const double Seconds = TuneSeconds(), Split = std::floor(Seconds * 0.5);
    const size_t Frames = size_t(Seconds * SampleRate);
    Buses Early, Late;
    std::thread Worker([&] { RenderPart(Tune, Split, Seconds, Frames, Late); });
    RenderPart(Tune, 0.0, Split, Frames, Early);
    Worker.join();
    AddInto(Early, Late);
    Late = Buses();
    ApplyDelay(Early.DelaySend, Early.Dry, 3 * StepSeconds, 0.45);
    ApplyReverb(Early.ReverbSend, Early.Dry);
    Master(Early.Dry);
    return std::move(Early.Dry);
}

bool WriteTune(const std::string& Path) { return WriteMp3(RenderTune(), Path); }
