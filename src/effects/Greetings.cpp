// Slot 14: greeting names and credits over a bouncing background, each text
// drawn solid with a wobble and four times as blended echoes that drift
// apart and fade; white flashes mark the font change and the last credit.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/FrameTimer.h"
#include "core/Numbers.h"
#include "core/Screen.h"
#include "effects/Effects.h"
#include "effects/Greetings.h"
#include "effects/ResourceSet.h"
#include "image/Image.h"

const char* const GreetTable[GreetCount] = {
    "ZANOFREL", "QUORB",   "MELVASTIK", "TROVELN",    "SOLVARN QUIMET",
    "GLENTHWICK", "ZORPH", "KARVELON",  "CODE   QIM", "DESIGN  MORVADENTE",
};

GreetingsState GreetingsVars;

namespace {

GreetingsState& S = GreetingsVars;

constexpr int8_t LastName = 7;
constexpr int8_t FirstCredit = 8;
constexpr int8_t LastCredit = 9;

// Every text, the credits in Fonte2 included, is centred with the size of
// the first FireFonte glyph.
void CentreText()
{
    const Image* Glyph = Resources.FireFonte[0];
    const uint32_t Length = uint32_t(std::strlen(GreetTable[S.TextIndex]));
    S.TextX = int32_t((uint32_t{MainScreen->ViewWidth} - Length * uint32_t(Glyph->Width)) >> 1);
    S.TextY = (int32_t{MainScreen->ViewHeight} - Glyph->Height) / 2;
}

void Start()
{
    const Image* Back = Resources.BackgroundRaster;
    S.EchoDivisor = 1.5f;
    S.RangeX = Back->Width - MainScreen->ViewWidth;
    S.RangeY = Back->Height - MainScreen->ViewHeight;
    S.BackX = float(-(S.RangeX / 2));
    S.BackY = float(-(S.RangeY / 2));
    S.BackVX = float(2.002);
    S.BackVY = float(1.002);
    RestartTimer(EffectTimer);
    S.TextIndex = 0;
    CentreText();
    S.EchoSpread = 0.0f;
    S.Glyphs = Resources.FireFonte;
}

// Reverses at 0.0 and beyond, and at Range or more to the left.
void Bounce(float Position, int32_t Range, float& Velocity)
{
    if (std::llabs(int64_t{TruncToInt32(Position)}) >= Range || Position >= 0.0f)
        Velocity = -Velocity;
}

void MoveBackground()
{
    Bounce(S.BackX, S.RangeX, S.BackVX);
    Bounce(S.BackY, S.RangeY, S.BackVY);
    S.BackX += S.BackVX;
    S.BackY += S.BackVY;
    PutImage(Resources.BackgroundRaster, TruncToInt32(S.BackX), TruncToInt32(S.BackY), 0.0f);
    S.WobbleX = TruncToInt32(10.0 * std::sin(double(S.BackX) / 10.0));
    S.WobbleY = TruncToInt32(10.0 * std::sin(double(S.BackY) / 10.0));
}

// Four blended echoes, then the solid copy on top.
void DrawText()
{
    const char* Text = GreetTable[S.TextIndex];
    const float X = float(S.TextX), Y = float(S.TextY), Spread = S.EchoSpread;
    const double Spread18 = 1.8 * double(S.EchoSpread);
    PutString(S.Glyphs, TruncToInt32(X - Spread), TruncToInt32(Y - Spread), Text, S.EchoDivisor);
    PutString(S.Glyphs, S.TextX + S.WobbleX, TruncToInt32(double(S.TextY) - Spread18), Text, S.EchoDivisor);
    PutString(S.Glyphs, TruncToInt32(X + Spread), TruncToInt32(Y + Spread), Text, S.EchoDivisor);
    PutString(S.Glyphs, TruncToInt32(double(S.TextX) - 1.8 * double(S.WobbleX)),
              TruncToInt32(double(S.TextY) + Spread18), Text, S.EchoDivisor);
    PutString(S.Glyphs, S.TextX + S.WobbleX, S.TextY + S.WobbleY, Text, 0.0f);
}

// The current text is done: flash where the font changes and between the
// credits, then centre the next text.
void NextText()
{
    if (S.TextIndex == LastName) {
        S.Glyphs = Resources.Fonte2;
        FillViewWhite();
    }
    if (S.TextIndex == FirstCredit)
        FillViewWhite();
    ++S.TextIndex;
    CentreText();
    S.EchoSpread = 0.0f;
    S.EchoDivisor = 1.5f;
}

}  // namespace

int32_t Greetings(int32_t* Step)
{
    if (*Step == 0) {
        *Step = 1;
        Start();
    }
    MoveBackground();
    DrawText();

    if (ReadTimer(EffectTimer) < 50)
        return 0;
    S.EchoDivisor = float(double(S.EchoDivisor) + 0.1);
    S.EchoSpread = float(double(S.EchoSpread) + 2.4);
    if (S.EchoDivisor > 10.0) {
        if (S.TextIndex == LastCredit)
            return 1;
        // The EffectTimer is left running, so the next text steps at once.
        NextText();
        return 0;
    }
    RestartTimer(EffectTimer);
    return 0;
}
