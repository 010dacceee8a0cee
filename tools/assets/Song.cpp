#include "Song.h"

#include <algorithm>

namespace {

// The themes, one string a bar. Theme A rides on Am F C G, theme B on the
// snow's Dm Bb F C, the blob melody drifts in quarter notes, and the close
// sings theme A's answer in major.
const std::vector<std::string> ThemeA = {
    "a5 - e5 a5 c6 - b5 -", "a5 - f5 a5 c6 - d6 -", "e6 - d6 c6 g5 - c6 -", "b5 - - - d6 - b5 -",
    "a5 - e5 a5 c6 - b5 -", "a5 - f5 a5 c6 - a5 -", "g5 - e5 g5 c6 - e6 -", "d6 - - - b5 - g5 -"};
const std::vector<std::string> ThemeB = {
    "d5 . f5 . a5 . d6 - c6 - a5 - f5 - e5 -", "d5 . f5 . bb5 . d6 - c6 - bb5 - f5 - d5 -",
    "c5 . f5 . a5 . c6 - d6 - c6 - a5 - f5 -", "e5 - - - g5 - - - c6 - - - g5 - e5 -",
    "d5 . f5 . a5 . d6 - e6 - f6 - e6 - d6 -", "d6 - - - bb5 - - - f5 - - - d5 - f5 -",
    "e5 - g5 - c6 - e6 - d6 - c6 - g5 - e5 -", "g#5 - - - b5 - - - e6 - - - d6 - b5 -"};
const std::vector<std::string> BlobTheme = {
    "a5 - - g5", "e5 - - -", "g5 - - e5", "b4 - - -", "f5 - - e5", "d5 - a4 -",
    "c5 - - b4", "a4 - - -", "c5 - e5 -", "d5 - b4 -", "a4 - - -", ". . . ."};
const std::vector<std::string> WordBells = {
    "e5 - - -", "a5 - g5 -", "a5 - - -", "c6 - a5 -", "g5 - - -", "e5 - c5 -", "d5 - - -", "b4 - d5 -",
    "e5 - - -", "a5 - b5 -", "c6 - - -", "a5 - f5 -", "d5 - f5 -", "e5 - - -", "g#5 - - -"};
const std::vector<std::string> CloseTheme = {
    "e5 - g5 - c6 - - -", "b5 - d6 - g5 - - -", "c6 - b5 - a5 - e5 -", "f5 - a5 - g5 - - -",
    "e5 - g5 - c6 - e6 -", "d6 - - b5 - g5 - -", "c6 - b5 - a5 - c6 -", "a5 - - - g5 - - -"};

struct Writer {
    Score& Out;
    const Section& Sec;
    int StartBar;                 // bar of the whole tune where the section starts
    std::vector<Chord> Chords;    // one a bar of the section

    double At(int Bar) const { return double(StartBar + Bar); }
    const Chord& ChordOf(int Bar) const { return Chords[size_t(Bar)]; }
    int Root(int Bar) const { return ChordOf(Bar).Root + Sec.Transpose; }

    // A chord held for Bars bars, voiced between G3 and G4.
    void PadChord(int Bar, int Bars, double Velocity)
    {
        const Chord& C = ChordOf(Bar);
        for (int Tone : C.Tones) {
            int Pitch = C.Root + Sec.Transpose + Tone;
            while (Pitch < 55)
                Pitch += 12;
            while (Pitch > 67)
                Pitch -= 12;
            Out.Notes.push_back({Pad, {At(Bar) * BarSeconds, Bars * BarSeconds - 0.05, double(Pitch), Velocity}});
        }
        Out.Notes.push_back({Pad, {At(Bar) * BarSeconds, Bars * BarSeconds - 0.05, double(C.Root + Sec.Transpose + 24), Velocity * 0.6}});
    }

    // Semitones above the bar's root, a token a sixteenth; "-" and "." as in PlayLine.
    void BassLine(Part Voice, int Bar, const std::string& Offsets, double Velocity)
    {
        std::string Tokens;
        std::string Token;
        for (char Ch : Offsets + " ") {
            if (Ch != ' ') {
                Token += Ch;
                continue;
            }
            if (Token.empty())
                continue;
            if (Token == "-" || Token == ".")
                Tokens += Token + " ";
            else
                Tokens += NoteName(Root(Bar) + std::stoi(Token)) + " ";
            Token.clear();
        }
        PlayLine(Out, Voice, Tokens, At(Bar), 1, 0, Velocity);
    }

    // Chord tones climbing in sixteenths from an octave, indexes into the chord.
    void Arpeggio(Part Voice, int Bar, const std::string& Indexes, int Octave, double Velocity)
    {
        const Chord& C = ChordOf(Bar);
        for (size_t I = 0; I < Indexes.size(); ++I) {
            if (Indexes[I] < '0' || Indexes[I] > '9')
                continue;
            size_t K = size_t(Indexes[I] - '0');
            int Pitch = C.Root + Sec.Transpose + 12 * Octave + C.Tones[K % C.Tones.size()] +
                        12 * int(K / C.Tones.size());
            Out.Notes.push_back({Voice, {(At(Bar) * 16 + double(I)) * StepSeconds, StepSeconds * 0.8,
                                         double(Pitch), Velocity}});
        }
    }

    void Melody(Part Voice, const std::vector<std::string>& Theme, int Bar, int ThemeBar, int Step,
                int Shift, double Velocity)
    {
        PlayLine(Out, Voice, Theme[size_t(ThemeBar) % Theme.size()], At(Bar), Step, Sec.Transpose + Shift, Velocity);
    }

    // A snare run into the next section over the last half bar.
    void Fill(int Bar, double Velocity)
    {
        for (int I = 8; I < 16; ++I)
            Out.Hits.push_back({Drum::Snare, (At(Bar) * 16 + I) * StepSeconds, Velocity * (0.4 + 0.06 * I), 0.0});
    }

    static std::string NoteName(int Pitch)
    {
        static const char* Names[12] = {"c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b"};
        return std::string(Names[Pitch % 12]) + char('0' + Pitch / 12 - 1);
    }
};

void WriteDawn(Writer& W)
{
    W.PadChord(0, W.Sec.Bars, 0.4);
    W.Out.Notes.push_back({SoftBass, {W.At(0) * BarSeconds, W.Sec.Bars * BarSeconds, double(W.Root(0)), 0.35}});
    for (int Bar = 0; Bar < W.Sec.Bars; ++Bar)
        PlayLine(W.Out, Bell, Bar % 2 ? ". . b5 - e5 - . ." : "e6 - . . a5 - c6 -", W.At(Bar), 2, W.Sec.Transpose, 0.4);
    W.Out.Hits.push_back({Drum::Riser, (W.At(W.Sec.Bars) - 1.0) * BarSeconds, 0.6, BarSeconds});
}

void WriteWords(Writer& W)
{
    for (int Bar = 0; Bar < W.Sec.Bars; ++Bar) {
        if (Bar % 2 == 0 || Bar == W.Sec.Bars - 1)
            W.PadChord(Bar, Bar == W.Sec.Bars - 1 ? 1 : 2, 0.5);
        W.BassLine(SoftBass, Bar, "0 - - - - - - - 7 - - - 12 - - -", 0.45);
        W.Arpeggio(Pluck, Bar, "0.1.2.3.2.1.3.2.", 2, 0.45);
        W.Melody(Bell, WordBells, Bar, Bar, 4, 0, 0.55);
        if (Bar >= 5) {
            PlayBeat(W.Out, Drum::Kick, "x.......x.......", W.At(Bar), 0.8);
            PlayBeat(W.Out, Drum::ClosedHat, "..o...o...o...oo", W.At(Bar), 0.8, 0.3);
        }
        if (Bar >= 9)
            PlayBeat(W.Out, Drum::Clap, "....o.......o...", W.At(Bar), 0.7, -0.2);
    }
    W.Fill(W.Sec.Bars - 1, 0.6);
}

void WriteDoors(Writer& W)
{
    for (int Bar = 0; Bar < W.Sec.Bars; ++Bar) {
        W.PadChord(Bar, 1, 0.8);
        W.BassLine(Bass, Bar, "0 . 0 . 0 . 0 . 0 . 0 . 0 . 12 .", 0.8 + 0.05 * Bar);
        PlayBeat(W.Out, Drum::Kick, "X...x...X...x...", W.At(Bar), 0.9);
        PlayBeat(W.Out, Drum::Tom, Bar % 2 ? "......x.....x.x." : "..........x.....", W.At(Bar), 0.8, 90.0 + 20 * Bar);
        PlayBeat(W.Out, Drum::ClosedHat, "xxoxxxoxxxoxxxox", W.At(Bar), 0.7, 0.3);
    }
    W.Out.Hits.push_back({Drum::Riser, (W.At(W.Sec.Bars) - 2.0) * BarSeconds, 1.0, 2 * BarSeconds});
    W.Fill(W.Sec.Bars - 1, 1.0);
}

// The driving four-to-the-floor of the plasma and the climax.
void DrivingDrums(Writer& W, int Bar, bool Busy)
{
    PlayBeat(W.Out, Drum::Kick, Busy ? "X...x...X...x..x" : "X...x...X...x...", W.At(Bar), 1.0);
    PlayBeat(W.Out, Drum::Snare, "....X.......X...", W.At(Bar), 0.9);
    PlayBeat(W.Out, Drum::ClosedHat, Busy ? "xoxoxoxoxoxoxoxo" : "x.x.x.x.x.x.x.x.", W.At(Bar), 0.9, 0.35);
    PlayBeat(W.Out, Drum::OpenHat, "..x...x...x...x.", W.At(Bar), 0.6, -0.35);
    if (Bar % 8 == 0)
        W.Out.Hits.push_back({Drum::Crash, W.At(Bar) * BarSeconds, 0.9, 0.0});
}

void WritePlasma(Writer& W)
{
    for (int Bar = 0; Bar < W.Sec.Bars; ++Bar) {
        bool Last = Bar == W.Sec.Bars - 1;
        W.PadChord(Bar, 1, 0.6);
        W.BassLine(Bass, Bar, "0 . 12 . 0 . 12 . 0 . 12 . 0 . 12 .", 0.9);
        W.Arpeggio(Arp, Bar, "0123012301230123", 4, 0.5);
        DrivingDrums(W, Bar, false);
        if (Bar >= 4 && !Last)
            W.Melody(Lead, ThemeA, Bar, Bar - 4, 2, 0, 0.8);
        if (Last)
            W.Fill(Bar, 0.9);
    }
}

void WriteSnow(Writer& W)
{
    for (int Bar = 0; Bar < W.Sec.Bars; ++Bar) {
        W.PadChord(Bar, 1, 0.55);
        W.BassLine(Bass, Bar, "0 - . 12 . . 0 . 7 - . 0 . 12 . 10", 0.95);
        W.Arpeggio(Arp, Bar, "0.2.1.3.0.2.1.3.", 4, 0.4);
        PlayBeat(W.Out, Drum::Kick, "X.....x...x.....", W.At(Bar), 1.0);
        PlayBeat(W.Out, Drum::Snare, "....X.......X..o", W.At(Bar), 0.9);
        PlayBeat(W.Out, Drum::ClosedHat, "xoxxxoxxxoxxxoxx", W.At(Bar), 0.8, 0.3);
        if (Bar % 8 == 0)
            W.Out.Hits.push_back({Drum::Crash, W.At(Bar) * BarSeconds, 0.8, 0.0});
        W.Melody(Lead, ThemeB, Bar, Bar, 1, 0, 0.75);
        if (Bar >= 8)
            W.Melody(LeadLow, ThemeB, Bar, Bar, 1, -12, 0.5);
    }
    W.Fill(W.Sec.Bars - 1, 0.8);
}

void WriteBlobs(Writer& W)
{
    for (int Bar = 0; Bar < W.Sec.Bars; ++Bar) {
        W.PadChord(Bar, 1, 0.6);
        W.BassLine(SoftBass, Bar, "0 - - - - - - - - - 7 - 12 - - -", 0.55);
        W.Arpeggio(Pluck, Bar, "0..2..1..3..2...", 3, 0.45);
        PlayBeat(W.Out, Drum::Kick, "X.........x.....", W.At(Bar), 0.8);
        PlayBeat(W.Out, Drum::Snare, "........x.......", W.At(Bar), 0.7);
        PlayBeat(W.Out, Drum::ClosedHat, "o.x.o.x.o.x.o.xo", W.At(Bar), 0.6, 0.3);
        W.Melody(Lead, BlobTheme, Bar, Bar, 4, 0, 0.6);
    }
}

void WriteBreath(Writer& W)
{
    W.PadChord(0, W.Sec.Bars, 0.5);
    W.Out.Notes.push_back({SoftBass, {W.At(0) * BarSeconds, W.Sec.Bars * BarSeconds, double(W.Root(0)), 0.4}});
    for (int Bar = 0; Bar < W.Sec.Bars; ++Bar)
        PlayLine(W.Out, Bell, "e6 - - - b5 - - - g#5 - - - e5 - - -", W.At(Bar), 1, W.Sec.Transpose, 0.4);
    W.Out.Hits.push_back({Drum::Riser, W.At(0) * BarSeconds, 1.0, W.Sec.Bars * BarSeconds});
}

void WriteRaster(Writer& W)
{
    for (int Bar = 0; Bar < W.Sec.Bars; ++Bar) {
        bool Last = Bar == W.Sec.Bars - 1;
        W.PadChord(Bar, 1, 0.7);
        W.BassLine(Bass, Bar, "0 . 12 . 0 . 12 0 . 12 . 0 12 . 0 12", 1.0);
        W.Arpeggio(Arp, Bar, Bar % 2 ? "3210321032103210" : "0123012301230123", 4, 0.5);
        DrivingDrums(W, Bar, true);
        if (Last) {
            W.Fill(Bar, 1.0);
            continue;
        }
        W.Melody(Lead, ThemeA, Bar, Bar, 2, 0, 0.9);
        W.Melody(LeadLow, ThemeA, Bar, Bar, 2, -12, 0.7);
    }
}

void WriteGreetings(Writer& W)
{
    for (int Bar = 0; Bar < W.Sec.Bars; ++Bar) {
        W.PadChord(Bar, 1, 0.8);
        W.BassLine(Bass, Bar, "0 - - . . . 7 . 12 - - . 7 . . .", 0.7);
        W.Arpeggio(Pluck, Bar, "0.2.1.3.2.1.0.2.", 3, 0.45);
        PlayBeat(W.Out, Drum::Kick, "X.......x.x.....", W.At(Bar), 0.8);
        PlayBeat(W.Out, Drum::Clap, "....x.......x...", W.At(Bar), 0.7);
        PlayBeat(W.Out, Drum::ClosedHat, "oxoxoxoxoxoxoxox", W.At(Bar), 0.5, 0.3);
        if (Bar % 8 == 0)
            W.Out.Hits.push_back({Drum::Crash, W.At(Bar) * BarSeconds, 0.6, 0.0});
        // The theme waits four bars, then sings twice in the bell and the lead.
        if (Bar >= 4)
            W.Melody(Bar >= 12 ? Lead : Bell, CloseTheme, Bar, Bar - 4, 2, 0, Bar >= 12 ? 0.65 : 0.6);
    }
}

void WriteFarewell(Writer& W)
{
    const int Last = W.Sec.Bars - 1;
    for (int Bar = 0; Bar < Last; ++Bar) {
        W.PadChord(Bar, 1, 0.8);
        W.BassLine(SoftBass, Bar, "0 - - - - - - - 7 - - - - - - -", 0.8);
        W.Arpeggio(Pluck, Bar, "0.1.2.3.4.3.2.1.", 3, 0.45);
    }
    // The final chord rings on into the tail.
    const Chord& End = W.ChordOf(Last);
    double Start = W.At(Last) * BarSeconds, Hold = BarSeconds + TailSeconds * 0.5;
    for (int Tone : End.Tones)
        for (int Octave : {12, 24})
            W.Out.Notes.push_back({Pad, {Start, Hold, double(End.Root + W.Sec.Transpose + Tone + Octave), 0.8}});
    W.Out.Notes.push_back({SoftBass, {Start, Hold, double(End.Root + W.Sec.Transpose), 0.9}});
    PlayLine(W.Out, Bell, "c6 - g5 - e5 - c5 -", W.At(Last), 4, W.Sec.Transpose, 0.6);
    W.Out.Hits.push_back({Drum::Crash, Start, 0.5, 0.0});
    W.Out.Hits.push_back({Drum::Kick, Start, 0.8, 0.0});
}

void WriteSection(Writer& W)
{
    switch (W.Sec.Kind) {
    case Mood::Dawn: WriteDawn(W); break;
    case Mood::Words: WriteWords(W); break;
    case Mood::Doors: WriteDoors(W); break;
    case Mood::Plasma: WritePlasma(W); break;
    case Mood::Snow: WriteSnow(W); break;
    case Mood::Blobs: WriteBlobs(W); break;
    case Mood::Breath: WriteBreath(W); break;
    case Mood::Raster: WriteRaster(W); break;
    case Mood::Greetings: WriteGreetings(W); break;
    case Mood::Farewell: WriteFarewell(W); break;
    }
}

}  // namespace

// Bars at 120 beats a minute, laid on the demo as it plays (the tune starts
// 2.5 s in): 0-6 s the loading screen, 6-34 the words, 34-44 the doors and
// the flash, 44-68 the plasma, 68-102 the snow, 102-126 the blobs, 126-130
// the fade, 130-190 the raster bars, 190-232 the greetings, then the
// switch-off and a farewell that outlasts the demo by ten seconds.
const std::vector<Section>& Arrangement()
{
    static const std::vector<Section> Sections = {
        {Mood::Dawn, 3, 0, "Amadd9", ""},
        {Mood::Words, 14, 0, "Am Am F F C C G G Am Am F F Dm E", ""},
        {Mood::Doors, 5, 0, "F G Esus4 E", "E"},
        {Mood::Plasma, 12, 0, "Am F C G", "E"},
        {Mood::Snow, 17, 0, "Dm Bb F C Dm Bb C E", "E"},
        {Mood::Blobs, 12, 0, "Fmaj7 Fmaj7 Em7 Em7 Dm7 Dm7 Am Am Fmaj7 G Am Am", ""},
        {Mood::Breath, 2, 0, "Fmaj7 E", ""},
        {Mood::Raster, 15, 0, "Am F C G", "E"},
        {Mood::Raster, 15, 2, "Am F C G", "G"},
        {Mood::Greetings, 21, 2, "C G Am F", "G"},
        {Mood::Farewell, 4, 2, "F G C", "C"},
    };
    return Sections;
}

Score ComposeTune()
{
    Score Out;
    int Bar = 0;
    for (const Section& Sec : Arrangement()) {
        std::vector<Chord> Loop = ParseChords(Sec.Progression);
        Writer W{Out, Sec, Bar, {}};
        for (int I = 0; I < Sec.Bars; ++I)
            W.Chords.push_back(Loop[size_t(I) % Loop.size()]);
        if (!Sec.LastChord.empty())
            W.Chords.back() = ParseChord(Sec.LastChord);
        WriteSection(W);
        Bar += Sec.Bars;
    }
    return Out;
}

double TuneSeconds()
{
    int Bars = 0;
    for (const Section& Sec : Arrangement())
        Bars += Sec.Bars;
    return Bars * BarSeconds + TailSeconds;
}
