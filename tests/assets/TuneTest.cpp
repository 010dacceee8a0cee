// The tune as the demo will play it: decoded from the MP3 the build wrote,
// and the score and synthesizer it comes from.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include <mpg123.h>

#include "Score.h"
#include "Song.h"
#include "Synth.h"

namespace {

struct Decoded {
    long Rate = 0;
    int Channels = 0;
    int Bitrate = 0;
    bool Constant = false;
    std::vector<int16_t> Samples;  // interleaved
    double Seconds() const { return Channels ? double(Samples.size()) / Channels / double(Rate) : 0.0; }
};

const Decoded& Tune()
{
    static Decoded D = [] {
        Decoded Out;
        mpg123_init();
        int Error = 0;
        std::unique_ptr<mpg123_handle, void (*)(mpg123_handle*)> H(mpg123_new(nullptr, &Error), mpg123_delete);
        if (!H)
            return Out;
        mpg123_format_none(H.get());
        mpg123_format(H.get(), 44100, MPG123_STEREO | MPG123_MONO, MPG123_ENC_SIGNED_16);
        if (mpg123_open(H.get(), ASSET_FOLDER "/Brumalid.mp3") != MPG123_OK)
            return Out;
        int Encoding = 0;
        mpg123_getformat(H.get(), &Out.Rate, &Out.Channels, &Encoding);
        std::vector<unsigned char> Buffer(65536);
        for (;;) {
            size_t Done = 0;
            int R = mpg123_read(H.get(), Buffer.data(), Buffer.size(), &Done);
            const int16_t* S = reinterpret_cast<const int16_t*>(Buffer.data());
            Out.Samples.insert(Out.Samples.end(), S, S + Done / 2);
            if (R == MPG123_NEW_FORMAT)
                mpg123_getformat(H.get(), &Out.Rate, &Out.Channels, &Encoding);
            else if (R != MPG123_OK)
                break;
        }
        mpg123_frameinfo Info{};
        if (mpg123_info(H.get(), &Info) == MPG123_OK) {
            Out.Bitrate = Info.bitrate;
            Out.Constant = Info.vbr == MPG123_CBR;
        }
        mpg123_close(H.get());
        return Out;
    }();
    return D;
}

double Db(double Level) { return 20.0 * std::log10(std::max(Level, 1e-9)); }

// RMS of both channels over [From, To) seconds, against full scale.
double RmsDb(const Decoded& D, double From, double To)
{
    size_t A = size_t(From * D.Rate) * size_t(D.Channels), B = size_t(To * D.Rate) * size_t(D.Channels);
    B = std::min(B, D.Samples.size());
    double Sum = 0.0;
    for (size_t I = A; I < B; ++I)
        Sum += double(D.Samples[I]) * D.Samples[I];
    return B > A ? Db(std::sqrt(Sum / double(B - A)) / 32768.0) : -200.0;
}

}  // namespace

TEST(Tune, DecodesAsStereo44100At192Kbits)
{
    const Decoded& D = Tune();
    ASSERT_FALSE(D.Samples.empty()) << "Brumalid.mp3 did not decode";
    EXPECT_EQ(D.Rate, 44100);
    EXPECT_EQ(D.Channels, 2);
    EXPECT_EQ(D.Bitrate, 192);
    EXPECT_TRUE(D.Constant);
}

TEST(Tune, LastsTheWholeDemoAndTheArrangement)
{
    const Decoded& D = Tune();
    // About four minutes of demo plus ten seconds (the whole-demo test checks
    // the tune against the demo's measured length).
    EXPECT_GE(D.Seconds(), 240.0);
    EXPECT_LE(D.Seconds(), 300.0);
    // The encoder adds its delay and padding, well under a tenth of a second.
    EXPECT_NEAR(D.Seconds(), TuneSeconds(), 0.1);
}

TEST(Tune, PeaksBelowFullScaleAndLoudEnough)
{
    const Decoded& D = Tune();
    ASSERT_FALSE(D.Samples.empty());
    int Peak = 0;
    for (int16_t S : D.Samples)
        Peak = std::max(Peak, std::abs(int(S)));
    EXPECT_LT(Peak, 32000) << "clips";
    EXPECT_GT(Peak, 16000) << "too quiet";
    double Whole = RmsDb(D, 0.0, D.Seconds());
    EXPECT_GT(Whole, -20.0);
    EXPECT_LT(Whole, -9.0);
}

TEST(Tune, NeverSilentForTenSecondsAndEndsInSilence)
{
    const Decoded& D = Tune();
    ASSERT_GT(D.Seconds(), 20.0);
    for (double From = 0.0; From + 10.0 <= D.Seconds(); From += 1.0)
        ASSERT_GT(RmsDb(D, From, From + 10.0), -40.0) << "silence from " << From << " s";
    // The last chord dies away rather than stopping dead.
    EXPECT_LT(RmsDb(D, D.Seconds() - 0.3, D.Seconds()), -50.0);
    EXPECT_GT(RmsDb(D, D.Seconds() - 6.0, D.Seconds() - 4.0), -35.0);
}

TEST(Tune, ClimaxIsLouderThanTheOpening)
{
    const Decoded& D = Tune();
    double Opening = RmsDb(D, 0.0, 30.0), Climax = RmsDb(D, 140.0, 190.0);
    EXPECT_GT(Climax, Opening + 3.0);
}

TEST(Score, NoteTokens)
{
    EXPECT_EQ(NoteNumber("a4"), 69);
    EXPECT_EQ(NoteNumber("c4"), 60);
    EXPECT_EQ(NoteNumber("c#5"), 73);
    EXPECT_EQ(NoteNumber("bb3"), 58);
    EXPECT_EQ(NoteNumber("b3"), 59);
    EXPECT_EQ(NoteNumber("-"), -1);
    EXPECT_EQ(NoteNumber("."), -1);
    EXPECT_EQ(NoteNumber("h4"), -1);
    EXPECT_EQ(NoteNumber("a"), -1);
    EXPECT_EQ(NoteNumber("a4x"), -1);
}

TEST(Score, ChordsSitInTheBassOctave)
{
    Chord Am = ParseChord("Am");
    EXPECT_EQ(Am.Root, 45);
    EXPECT_EQ(Am.Tones, (std::vector<int>{0, 3, 7}));
    EXPECT_EQ(ParseChord("E").Root, 40);
    EXPECT_EQ(ParseChord("D#").Root, 51);
    EXPECT_EQ(ParseChord("Bb").Root, 46);
    EXPECT_EQ(ParseChord("Fmaj7").Tones, (std::vector<int>{0, 4, 7, 11}));
    EXPECT_EQ(ParseChords("Am F C G").size(), 4u);
}

TEST(Score, LinesHoldAndRest)
{
    Score S;
    PlayLine(S, Lead, "a4 - - . c5 -", 1.0, 2, 2, 0.5);
    ASSERT_EQ(S.Notes.size(), 2u);
    EXPECT_DOUBLE_EQ(S.Notes[0].N.Start, BarSeconds);
    EXPECT_DOUBLE_EQ(S.Notes[0].N.Pitch, 71.0);
    EXPECT_NEAR(S.Notes[0].N.Length, (6 - 0.2) * StepSeconds, 1e-9);
    EXPECT_DOUBLE_EQ(S.Notes[1].N.Start, BarSeconds + 8 * StepSeconds);
    EXPECT_NEAR(S.Notes[1].N.Length, (4 - 0.2) * StepSeconds, 1e-9);
    PlayBeat(S, Drum::Kick, "X.o.", 0.0, 0.8);
    ASSERT_EQ(S.Hits.size(), 2u);
    EXPECT_DOUBLE_EQ(S.Hits[1].Start, 2 * StepSeconds);
    EXPECT_DOUBLE_EQ(S.Hits[1].Velocity, 0.4 * 0.8);
}

TEST(Score, EverySectionFillsItsBars)
{
    const Score S = ComposeTune();
    double Bar = 0.0;
    for (const Section& Sec : Arrangement()) {
        // Something sounds in every bar of every section.
        for (int I = 0; I < Sec.Bars; ++I, Bar += 1.0) {
            double From = Bar * BarSeconds, To = From + BarSeconds;
            bool Sounds = false;
            for (const ScoreNote& N : S.Notes)
                Sounds |= N.N.Start < To && N.N.Start + N.N.Length > From;
            ASSERT_TRUE(Sounds) << "bar " << Bar;
        }
    }
    EXPECT_DOUBLE_EQ(TuneSeconds(), Bar * BarSeconds + TailSeconds);
    for (const ScoreNote& N : S.Notes)
        ASSERT_LE(N.N.Start + N.N.Length, TuneSeconds()) << "a note outlasts the tune";
}

TEST(Synth, SineNoteHasItsPitchAndEnvelope)
{
    Buses Out;
    Out.Resize(0, SampleRate);
    Instrument Sine;
    Sine.Osc = Wave::Sine;
    Sine.Amp = {0.01, 0.1, 1.0, 0.05};
    Sine.Gain = 0.5;
    RenderNote(Out, Sine, {0.1, 0.5, 69.0, 1.0}, 7);
    // Silent before the note and after its release.
    EXPECT_EQ(Out.Dry.Left[size_t(0.05 * SampleRate)], 0.0f);
    EXPECT_EQ(Out.Dry.Left[size_t(0.9 * SampleRate)], 0.0f);
    // 440 Hz: count upward zero crossings over 0.2 s of the held note.
    int Crossings = 0;
    for (size_t I = size_t(0.2 * SampleRate); I < size_t(0.4 * SampleRate); ++I)
        Crossings += Out.Dry.Left[I - 1] < 0.0f && Out.Dry.Left[I] >= 0.0f;
    EXPECT_NEAR(Crossings, 88, 1);
}

TEST(Synth, LowPassDarkensASaw)
{
    auto Roughness = [](double Cutoff) {
        Buses Out;
        Out.Resize(0, SampleRate / 2);
        Instrument Saw;
        Saw.Cutoff = Cutoff;
        RenderNote(Out, Saw, {0.0, 0.4, 45.0, 1.0}, 3);
        // Energy of the slope: high partials weigh the most.
        double Slope = 0.0;
        for (size_t I = 1000; I < 10000; ++I)
            Slope += std::pow(Out.Dry.Left[I] - Out.Dry.Left[I - 1], 2.0);
        return Slope;
    };
    EXPECT_LT(Roughness(400.0), Roughness(12000.0) * 0.2);
}

TEST(Synth, DrumsStayInTheirBuffers)
{
    // Hits near the end and before a late start are cut, not written past.
    Buses Out;
    Out.Resize(SampleRate, SampleRate / 10);
    RenderDrum(Out, Drum::Crash, 1.05, 1.0, 0.0, 5);
    RenderDrum(Out, Drum::Kick, 0.5, 1.0, 0.0, 5);
    double Energy = 0.0;
    for (float S : Out.Dry.Left)
        Energy += S * S;
    EXPECT_GT(Energy, 0.0);
    EXPECT_EQ(Out.Dry.Left[0], 0.0f);
}
