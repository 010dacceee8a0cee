#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace {

// A linear congruential generator, scaled to [-1, 1).
double WhiteNoise(uint32_t& State)
{
    State = State * 1664525u + 1013904223u;
    return double(int32_t(State)) / 2147483648.0;
}

double PolyBlep(double T, double Dt)
{
    if (T < Dt) {
        T /= Dt;
        return T + T - T * T - 1.0;
    }
    if (T > 1.0 - Dt) {
        T = (T - 1.0) / Dt;
        return T * T + T + T + 1.0;
    }
    return 0.0;
}

struct Oscillator {
    double Phase = 0.0;
    double Next(Wave Kind, double Dt, double Width, uint32_t& Noise)
    {
        double Out = 0.0;
        switch (Kind) {
        case Wave::Saw:
            Out = 2.0 * Phase - 1.0 - PolyBlep(Phase, Dt);
            break;
        case Wave::Pulse: {
            double Shifted = Phase + 1.0 - Width;
            if (Shifted >= 1.0)
                Shifted -= 1.0;
            Out = (Phase < Width ? 1.0 : -1.0) + PolyBlep(Phase, Dt) - PolyBlep(Shifted, Dt);
            break;
        }
        case Wave::Triangle:
            Out = 4.0 * std::fabs(Phase - 0.5) - 1.0;
            break;
        case Wave::Sine:
            Out = std::sin(2.0 * M_PI * Phase);
            break;
        case Wave::Noise:
            Out = WhiteNoise(Noise);
            break;
        }
        Phase += Dt;
        if (Phase >= 1.0)
            Phase -= 1.0;
        return Out;
    }
};

// Zavalishin's state-variable filter: stable under fast cutoff changes.
struct Filter {
    double Ic1 = 0.0, Ic2 = 0.0, A1 = 1.0, A2 = 0.0, A3 = 0.0, K = 2.0;
    void Set(double Cutoff, double Resonance)
    {
        double G = std::tan(M_PI * std::clamp(Cutoff, 20.0, SampleRate * 0.45) / SampleRate);
        K = 2.0 - 1.9 * std::clamp(Resonance, 0.0, 0.95);
        A1 = 1.0 / (1.0 + G * (G + K));
        A2 = G * A1;
        A3 = G * A2;
    }
    // Returns the low-pass; Band and High on request.
    double Run(double In, double* Band = nullptr, double* High = nullptr)
    {
        double V3 = In - Ic2;
        double V1 = A1 * Ic1 + A2 * V3;
        double V2 = Ic2 + A2 * Ic1 + A3 * V3;
        Ic1 = 2.0 * V1 - Ic1;
        Ic2 = 2.0 * V2 - Ic2;
        if (Band)
            *Band = V1;
        if (High)
            *High = In - K * V1 - V2;
        return V2;
    }
};

// Linear attack, exponential decay and release; the key is let go after
// Hold seconds. Stepped by Dt seconds a call.
struct EnvelopeRun {
    const Envelope& E;
    double Hold, Dt;
    double T = 0.0, Decaying = 1.0, Level = 0.0, Released = -1.0;
    double DecayMul = std::exp(-Dt / std::max(E.Decay, 1e-4));
    double ReleaseMul = std::exp(-3.0 * Dt / std::max(E.Release, 1e-4));
    double Step()
    {
        if (T < Hold) {
            if (T < E.Attack) {
                Level = T / E.Attack;
            } else {
                Level = E.Sustain + (1.0 - E.Sustain) * Decaying;
                Decaying *= DecayMul;
            }
            T += Dt;
            return Level;
        }
        Released = Released < 0.0 ? Level : Released * ReleaseMul;
        T += Dt;
        return Released;
    }
};

double Frequency(double Pitch) { return 440.0 * std::pow(2.0, (Pitch - 69.0) / 12.0); }

// Constant-power panning gains, worked out once a note.
struct Panner {
    double L, R;
    explicit Panner(double Pan)
    {
        double Angle = (std::clamp(Pan, -1.0, 1.0) + 1.0) * M_PI / 4.0;
        L = std::cos(Angle);
        R = std::sin(Angle);
    }
};

void Send(Buses& Out, size_t Frame, double Value, const Panner& P, double Delay, double Reverb)
{
    const size_t Index = Frame - Out.Offset;
    if (Frame < Out.Offset || Index >= Out.Dry.Frames())
        return;
    Out.Dry.Left[Index] += float(Value * P.L);
    Out.Dry.Right[Index] += float(Value * P.R);
    Out.DelaySend[Index] += float(Value * Delay);
    Out.ReverbSend[Index] += float(Value * Reverb);
}

}  // namespace

namespace {

// The oscillators of one note, summed into a left and a right signal.
template <Wave Kind>
void RunOscillators(std::vector<Oscillator>& Osc, const std::vector<double>& Ratio,
                    const std::vector<double>& Spread, double Hz, double Width, uint32_t& Noise, double& L,
                    double& R)
{
    for (size_t U = 0; U < Osc.size(); ++U) {
        double S = Osc[U].Next(Kind, Hz * Ratio[U], Width, Noise);
        L += S * (1.0 - 0.5 * Spread[U]);
        R += S * (1.0 + 0.5 * Spread[U]);
    }
}

using OscillatorRun = void (*)(std::vector<Oscillator>&, const std::vector<double>&, const std::vector<double>&,
                               double, double, uint32_t&, double&, double&);

OscillatorRun OscillatorsFor(Wave Kind)
{
    switch (Kind) {
    case Wave::Saw: return RunOscillators<Wave::Saw>;
    case Wave::Pulse: return RunOscillators<Wave::Pulse>;
    case Wave::Triangle: return RunOscillators<Wave::Triangle>;
    case Wave::Sine: return RunOscillators<Wave::Sine>;
    case Wave::Noise: break;
    }
    return RunOscillators<Wave::Noise>;
}

// Adds a rendered stereo note into the buses, clipped to their end.
void Accumulate(Buses& Out, size_t First, const std::vector<float>& L, const std::vector<float>& R,
                const Panner& PanL, const Panner& PanR, double Delay, double Reverb)
{
    const size_t Start = First - Out.Offset, Frames = Out.Dry.Frames();
    const size_t Count = std::min(L.size(), Frames > Start ? Frames - Start : 0);
    const float LL = float(PanL.L), LR = float(PanL.R), RL = float(PanR.L), RR = float(PanR.R);
    const float D = float(Delay * 0.5), H = float(Reverb * 0.5);
    float* DryL = Out.Dry.Left.data() + Start;
    float* DryR = Out.Dry.Right.data() + Start;
    float* SendD = Out.DelaySend.data() + Start;
    float* SendH = Out.ReverbSend.data() + Start;
    for (size_t I = 0; I < Count; ++I) {
        DryL[I] += L[I] * LL + R[I] * RL;
        DryR[I] += L[I] * LR + R[I] * RR;
        SendD[I] += (L[I] + R[I]) * D;
        SendH[I] += (L[I] + R[I]) * H;
    }
}

}  // namespace

void RenderNote(Buses& Out, const Instrument& V, const Note& N, uint32_t Seed)
{
    const size_t First = size_t(N.Start * SampleRate);
    const size_t Count = size_t((N.Length + V.Amp.Release * 1.6) * SampleRate);
    const double Base = Frequency(N.Pitch);
    const size_t Voices = size_t(std::max(V.Unison, 1));
    std::vector<Oscillator> Osc(Voices);
    std::vector<double> Ratio(Voices, 1.0), Spread(Voices, 0.0);
    for (size_t U = 0; U < Voices; ++U) {
        Osc[U].Phase = double((Seed >> (U * 3)) & 7u) / 8.0;
        Spread[U] = Voices > 1 ? double(U) / double(Voices - 1) * 2.0 - 1.0 : 0.0;
        Ratio[U] = std::pow(2.0, Spread[U] * V.Detune / 2400.0);
    }
    const OscillatorRun Run = OscillatorsFor(V.Osc);
    Oscillator Sub;
    Filter Left, Right;
    EnvelopeRun Amp{V.Amp, N.Length, 1.0 / SampleRate}, Cut{V.FilterEnv, N.Length, 16.0 / SampleRate};
    uint32_t Noise = Seed | 1u;
    const double Norm = N.Velocity * V.Gain / std::sqrt(double(Voices));
    std::vector<float> OutL(Count), OutR(Count);

    for (size_t I = 0; I < Count; ++I) {
        const double T = double(I) / SampleRate;
        double Hz = Base;
        if (V.VibratoDepth > 0.0 && T > V.VibratoDelay) {
            double Bend = V.VibratoDepth * std::min(1.0, (T - V.VibratoDelay) * 4.0) *
                          std::sin(2.0 * M_PI * V.VibratoRate * T);
            Hz *= 1.0 + Bend * 0.0577623;  // 2^(x/12) near x = 0
        }
        double Width = V.PulseWidth;
        if (V.PwmDepth > 0.0)
            Width = std::clamp(Width + V.PwmDepth * std::sin(2.0 * M_PI * V.PwmRate * T), 0.05, 0.95);
        if ((I & 15) == 0) {
            double Cutoff = V.Cutoff + V.FilterAmount * Cut.Step();
            Left.Set(Cutoff, V.Resonance);
            Right.Set(Cutoff, V.Resonance);
        }
        double L = 0.0, R = 0.0;
        Run(Osc, Ratio, Spread, Hz * (1.0 / SampleRate), Width, Noise, L, R);
        if (V.SubLevel > 0.0) {
            double S = Sub.Next(Wave::Sine, Hz * 0.5 / SampleRate, 0.5, Noise) * V.SubLevel * double(Voices);
            L += S;
            R += S;
        }
        const double Level = Amp.Step() * Norm;
        OutL[I] = float(Left.Run(L) * Level);
        OutR[I] = float(Right.Run(R) * Level);
    }
    const Panner PanL(V.Pan - 0.5), PanR(V.Pan + 0.5);
    Accumulate(Out, First, OutL, OutR, PanL, PanR, V.DelaySend, V.ReverbSend);
}

namespace {

size_t FramesOf(double Seconds) { return size_t(Seconds * SampleRate); }

// What every drum hit has: where it starts, how hard it is struck, its own
// noise, and a sine whose pitch may glide.
struct DrumHit {
    Buses& Out;
    size_t First;
    double Velocity;
    uint32_t Noise;
    double Phase = 0.0;
    double White() { return WhiteNoise(Noise); }
    double Tone(double Hz)
    {
        Phase += Hz / SampleRate;
        return std::sin(2.0 * M_PI * Phase);
    }
    // Drums go dry and to the hall, never to the delay.
    void Emit(size_t I, double Level, const Panner& P, double Reverb)
    {
        Send(Out, First + I, Level * Velocity, P, 0.0, Reverb);
    }
};

void Kick(DrumHit& Hit)
{
    const Panner Centre(0.0);
    for (size_t I = 0; I < FramesOf(0.45); ++I) {
        double T = double(I) / SampleRate;
        double Hz = 46.0 + 120.0 * std::exp(-T / 0.03);
        double V = Hit.Tone(Hz) * std::exp(-T / 0.16) + (T < 0.003 ? Hit.White() * 0.5 : 0.0);
        Hit.Emit(I, std::tanh(V * 1.6) * 0.55, Centre, 0.02);
    }
}

// A snare is filtered noise over a falling tone; a clap is darker noise,
// stuttered over its first few hundredths of a second.
void SnareOrClap(DrumHit& Hit, bool Clap, const Panner& Side)
{
    Filter Shape;
    Shape.Set(Clap ? 1400.0 : 2400.0, 0.3);
    for (size_t I = 0; I < FramesOf(0.35); ++I) {
        double T = double(I) / SampleRate;
        double Band = 0.0, High = 0.0;
        Shape.Run(Hit.White(), &Band, &High);
        double Claps = Clap ? (std::fmod(T, 0.011) < 0.006 || T > 0.033 ? 1.0 : 0.3) : 1.0;
        double V = (High * 0.6 + Band * 0.8) * std::exp(-T / 0.11) * Claps;
        if (!Clap)
            V += Hit.Tone(185.0 - 40.0 * T) * std::exp(-T / 0.05) * 0.7;
        Hit.Emit(I, V * 0.32, Side, 0.18);
    }
}

void Hat(DrumHit& Hit, double Decay, const Panner& Side)
{
    Filter Shape;
    Shape.Set(7500.0, 0.2);
    for (size_t I = 0; I < FramesOf(Decay * 5.0); ++I) {
        double T = double(I) / SampleRate, High = 0.0;
        Shape.Run(Hit.White(), nullptr, &High);
        Hit.Emit(I, High * std::exp(-T / Decay) * 0.16, Side, 0.05);
    }
}

// Noise and four square waves at clashing ratios, high-passed.
void Crash(DrumHit& Hit)
{
    const Panner Wide(-0.3);
    Filter Shape;
    Shape.Set(5000.0, 0.1);
    double Metal[4] = {0, 0, 0, 0};
    const double Ratios[4] = {1.0, 1.483, 1.932, 2.546};
    for (size_t I = 0; I < FramesOf(2.2); ++I) {
        double T = double(I) / SampleRate, High = 0.0, Ring = 0.0;
        for (int K = 0; K < 4; ++K) {
            Metal[K] += 540.0 * Ratios[K] / SampleRate;
            Ring += Metal[K] - std::floor(Metal[K]) < 0.5 ? 0.25 : -0.25;
        }
        Shape.Run(Hit.White() * 0.8 + Ring * 0.3, nullptr, &High);
        Hit.Emit(I, High * std::exp(-T / 0.55) * 0.2, Wide, 0.3);
    }
}

// Hz is the pitch it settles on; lower toms sit further left.
void Tom(DrumHit& Hit, double Hz)
{
    const Panner Side((Hz - 120.0) / 200.0);
    for (size_t I = 0; I < FramesOf(0.5); ++I) {
        double T = double(I) / SampleRate;
        double Glide = Hz + Hz * 0.6 * std::exp(-T / 0.05);
        Hit.Emit(I, Hit.Tone(Glide) * std::exp(-T / 0.2) * 0.4, Side, 0.2);
    }
}

// Noise swept up and swelling over Seconds.
void Riser(DrumHit& Hit, double Seconds)
{
    const Panner Centre(0.0);
    Filter Shape;
    size_t Count = FramesOf(Seconds);
    for (size_t I = 0; I < Count; ++I) {
        double U = double(I) / double(Count);
        if ((I & 15) == 0)
            Shape.Set(300.0 * std::pow(30.0, U), 0.6);
        double Band = 0.0;
        Shape.Run(Hit.White(), &Band);
        Hit.Emit(I, Band * U * U * 0.3, Centre, 0.4);
    }
}

}  // namespace

// Param is the pan of snares, claps and hats, the pitch of a tom and the
// length of a riser.
void RenderDrum(Buses& Out, Drum Kind, double Start, double Velocity, double Param, uint32_t Seed)
{
    DrumHit Hit{Out, FramesOf(Start), Velocity, Seed | 1u};
    switch (Kind) {
    case Drum::Kick: return Kick(Hit);
    case Drum::Snare: return SnareOrClap(Hit, false, Panner(Param));
    case Drum::Clap: return SnareOrClap(Hit, true, Panner(Param));
    case Drum::ClosedHat: return Hat(Hit, 0.035, Panner(Param));
    case Drum::OpenHat: return Hat(Hit, 0.22, Panner(Param));
    case Drum::Crash: return Crash(Hit);
    case Drum::Tom: return Tom(Hit, Param);
    case Drum::Riser: return Riser(Hit, Param);
    }
}

void ApplyDelay(const std::vector<float>& Send, StereoBuffer& Out, double Seconds, double Feedback)
{
    const size_t D = size_t(Seconds * SampleRate);
    std::vector<float> BufL(D, 0.0f), BufR(D, 0.0f);
    double DampL = 0.0, DampR = 0.0;
    for (size_t I = 0, P = 0; I < Send.size(); ++I, P = P + 1 == D ? 0 : P + 1) {
        // Ping-pong: the first echo comes on the left, each repeat crosses
        // to the other side, a little darker.
        double EchoL = BufL[P], EchoR = BufR[P];
        DampL += 0.35 * (EchoL - DampL);
        DampR += 0.35 * (EchoR - DampR);
        BufL[P] = float(Send[I] + DampR * Feedback);
        BufR[P] = float(DampL * Feedback);
        Out.Left[I] += float(EchoL);
        Out.Right[I] += float(EchoR);
    }
}

namespace {

struct Comb {
    std::vector<float> Line;
    size_t Pos = 0;
    double Store = 0.0;
    double Run(double In, double Feedback, double Damp)
    {
        double Outp = Line[Pos];
        Store = Outp * (1.0 - Damp) + Store * Damp;
        Line[Pos] = float(In + Store * Feedback);
        if (++Pos == Line.size())
            Pos = 0;
        return Outp;
    }
};

struct Allpass {
    std::vector<float> Line;
    size_t Pos = 0;
    double Run(double In)
    {
        double Buffered = Line[Pos];
        Line[Pos] = float(In + Buffered * 0.5);
        if (++Pos == Line.size())
            Pos = 0;
        return Buffered - In;
    }
};

// A Schroeder hall: parallel damped combs into series all-passes.
void Hall(const std::vector<float>& In, std::vector<float>& Out, int Spread)
{
    const int CombLengths[6] = {1116, 1188, 1277, 1356, 1422, 1491};
    const int AllpassLengths[3] = {556, 441, 341};
    std::vector<Comb> Combs;
    for (int L : CombLengths)
        Combs.push_back({std::vector<float>(size_t(L + Spread), 0.0f)});
    std::vector<Allpass> Allpasses;
    for (int L : AllpassLengths)
        Allpasses.push_back({std::vector<float>(size_t(L + Spread), 0.0f)});
    for (size_t I = 0; I < In.size(); ++I) {
        double Sum = 0.0;
        for (Comb& C : Combs)
            Sum += C.Run(In[I] * 0.05, 0.86, 0.3);
        for (Allpass& A : Allpasses)
            Sum = A.Run(Sum);
        Out[I] += float(Sum);
    }
}

}  // namespace

void ApplyReverb(const std::vector<float>& Send, StereoBuffer& Out)
{
    Hall(Send, Out.Left, 0);
    Hall(Send, Out.Right, 23);
}
