#include "Score.h"

#include <sstream>

int NoteNumber(const std::string& Token)
{
    static const int Offsets[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (Token.size() < 2 || Token[0] < 'a' || Token[0] > 'g')
        return -1;
    int Note = Offsets[Token[0] - 'a'];
    size_t I = 1;
    if (Token[I] == '#')
        ++Note, ++I;
    else if (Token[I] == 'b' && I + 1 < Token.size())
        --Note, ++I;
    if (I + 1 != Token.size() || Token[I] < '0' || Token[I] > '9')
        return -1;
    return 12 * (Token[I] - '0' + 1) + Note;
}

Chord ParseChord(const std::string& Name)
{
    Chord C;
    static const int Offsets[7] = {9, 11, 0, 2, 4, 5, 7};
    int Pitch = Offsets[(Name[0] | 0x20) - 'a'];
    size_t I = 1;
    if (I < Name.size() && Name[I] == '#')
        ++Pitch, ++I;
    else if (I < Name.size() && Name[I] == 'b')
        --Pitch, ++I;
    // The bass octave: E2 to D#3.
    C.Root = 40 + ((Pitch - 4) % 12 + 12) % 12;
    std::string Kind = Name.substr(I);
    if (Kind == "m")
        C.Tones = {0, 3, 7};
    else if (Kind == "m7")
        C.Tones = {0, 3, 7, 10};
    else if (Kind == "maj7")
        C.Tones = {0, 4, 7, 11};
    else if (Kind == "7")
        C.Tones = {0, 4, 7, 10};
    else if (Kind == "sus4")
        C.Tones = {0, 5, 7};
    else if (Kind == "add9")
        C.Tones = {0, 4, 7, 14};
    else if (Kind == "madd9")
        C.Tones = {0, 3, 7, 14};
    else
        C.Tones = {0, 4, 7};
    return C;
}

std::vector<Chord> ParseChords(const std::string& Names)
{
    std::vector<Chord> Chords;
    std::istringstream In(Names);
    for (std::string Name; In >> Name;)
        Chords.push_back(ParseChord(Name));
    return Chords;
}

void PlayLine(Score& S, Part Voice, const std::string& Tokens, double Bar, int Step, int Transpose,
              double Velocity)
{
    std::istringstream In(Tokens);
    double At = Bar * BarSeconds;
    ScoreNote* Open = nullptr;
    for (std::string Token; In >> Token; At += Step * StepSeconds) {
        if (Token == "-") {
            if (Open)
                Open->N.Length += Step * StepSeconds;
            continue;
        }
        int Pitch = NoteNumber(Token);
        if (Pitch < 0) {
            Open = nullptr;
            continue;
        }
        S.Notes.push_back({Voice, {At, Step * StepSeconds * 0.9, double(Pitch + Transpose), Velocity}});
        Open = &S.Notes.back();
    }
}

void PlayBeat(Score& S, Drum Kind, const std::string& Steps, double Bar, double Velocity, double Param)
{
    for (size_t I = 0; I < Steps.size(); ++I) {
        double Level = Steps[I] == 'X' ? 1.0 : Steps[I] == 'x' ? 0.75 : Steps[I] == 'o' ? 0.4 : 0.0;
        if (Level > 0.0)
            S.Hits.push_back({Kind, (Bar * 16 + double(I)) * StepSeconds, Level * Velocity, Param});
    }
}
