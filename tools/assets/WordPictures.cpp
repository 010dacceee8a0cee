// The five words of the opening sentence, hot copper letters on black,
// each picture a whole number of heights wide so the zoom keeps its shape.
#include <algorithm>

#include "Lettering.h"
#include "Pictures.h"
#include "Text.h"

namespace {

const char* const Words[5] = {"This", "Progress Bar", "Is", "A Pure", "Fake"};
constexpr int Border = 6;  // black all round, for the blur to melt into

}  // namespace

Canvas DrawWord(int Index)
{
    Lettering Hot;
    Hot.Fill = Ramp{{{255, 255, 230}, {255, 230, 110}, {255, 150, 40}, {220, 50, 60}, {255, 120, 160}}};
    Hot.Bands = 9;
    Hot.Outline = {70, 10, 60};
    Hot.OutlineRadius = 2;
    Hot.Shadow = {110, 40, 140};
    Hot.ShadowX = 3;
    Hot.ShadowY = 3;
    Hot.Highlight = White;
    Hot.Shade = {150, 30, 60};
    Hot.Bevel = 0.45;

    TextMask Word = RenderText({"DejaVuSans-Bold.ttf", 54, 60}, Words[Index], 1);
    const int M = LetteringMargin(Hot);
    const int H = Word.Ink.Height + 2 * (M + Border);
    const int Need = Word.Ink.Width + 2 * (M + Border);
    const int W = std::max(1, (Need + H - 1) / H) * H;
    Canvas Picture = MakeCanvas(W, H);
    const int CapTop = Word.BaselineY - 43;
    PaintLettering(Picture, Word.Ink, (W - Word.Ink.Width) / 2 - 1, M + Border - 1, Hot, CapTop, 43);
    return Picture;
}
