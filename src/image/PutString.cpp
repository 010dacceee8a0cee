// Text in a bitmap font: one keyed glyph per letter, through PutImage.
#include <cstring>

#include "image/Image.h"

namespace {

constexpr int GlyphCount = 26;

// strlwr in the default locale: only A to Z change.
unsigned char Lower(unsigned char C)
{
    return (C >= 'A' && C <= 'Z') ? C + ('a' - 'A') : C;
}

}  // namespace

void PutString(Image* const* Glyphs, int32_t X, int32_t Y, const char* Text, float Divisor)
{
    if (!Glyphs || !Text)
        return;
    // The length is a 16-bit count.
    const uint16_t Length = static_cast<uint16_t>(std::strlen(Text));
    if (Length == 0)
        return;
    // Every glyph of a table has the same width.
    const uint32_t Advance = Glyphs[0] ? static_cast<uint32_t>(Glyphs[0]->Width) : 0;
    // Unsigned so that a pen far to the right wraps instead of overflowing.
    uint32_t Pen = static_cast<uint32_t>(X);
    for (uint16_t i = 0; i < Length; ++i) {
        const unsigned char C = Lower(static_cast<unsigned char>(Text[i]));
        if (C >= 'a' && C < 'a' + GlyphCount) {
            PutImage(Glyphs[C - 'a'], static_cast<int32_t>(Pen), Y, Divisor);
            Pen += Advance;
        } else if (C == ' ') {
            Pen += Advance;
        }
    }
}
