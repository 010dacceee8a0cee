// The scroll text: one line of chunky letters, drawn at half size and
// doubled so every pixel is a 2 x 2 block, on the black key.

#include "Lettering.h"
#include "Pictures.h"
#include "Text.h"

const char ScrollMessage[] =
    "VORLUNE BY QV...   NO, THE OLDSCHOOL IS NOT DEAD!   COPPER BARS, PLASMA, SNOW AND BLOBS, "
    "ALL BY HAND...   SEE YOU!";

Canvas DrawScrollText()
{
    const int Height = 40;
    Lettering Chrome;
    Chrome.Fill = Ramp{{{255, 255, 255}, {120, 220, 255}, {40, 90, 230}, {255, 120, 40}, {255, 240, 140}}};
    Chrome.Bands = 7;
    Chrome.Outline = {30, 30, 120};
    Chrome.OutlineRadius = 1;
    Chrome.Shadow = {70, 40, 120};
    Chrome.ShadowX = 1;
    Chrome.ShadowY = 1;
    Chrome.Highlight = White;
    Chrome.Shade = {20, 40, 140};
    Chrome.Bevel = 0.35;

    TextMask Line = RenderText({"DejaVuSansCondensed-Bold.ttf", 16, 16}, ScrollMessage, 1);
    Canvas Half = MakeCanvas(ScrollWidth / 2, Height / 2);
    int Y = (Half.Height - Line.Ink.Height) / 2;
    PaintLettering(Half, Line.Ink, 4, Y, Chrome, Line.BaselineY - 12, 12);
    return Enlarge(Half, 2);
}
