// Cutting a rectangle out of an image (the glyphs out of a font sheet).
#include <cstring>

#include "image/Image.h"
#include "log/Log.h"

namespace {

void LogEntry(uint16_t Left, uint16_t Top, uint16_t Width, uint16_t Height)
{
    LogPrint("BlockCut Entry\nBeginX = <%d> : BeginY = <%d> : Width = <%d> : Height = <%d>\n", int32_t{Left},
             int32_t{Top}, int32_t{Width}, int32_t{Height});
}

bool InsideSource(const Image& Source, uint16_t Left, uint16_t Top, uint16_t Width, uint16_t Height)
{
    return int32_t{Left} + Width <= Source.Width && int32_t{Top} + Height <= Source.Height;
}

}  // namespace

Image* BlockCut(const Image* Source, uint16_t Left, uint16_t Top, uint16_t Width, uint16_t Height)
{
    // Checked before anything is made: a rectangle outside the source
    // would read past its pixels.
    if (!Source || !InsideSource(*Source, Left, Top, Width, Height)) {
        LogEntry(Left, Top, Width, Height);
        LogPrint("Error!! BlockCut rectangle outside the source image\n");
        return nullptr;
    }
    Image* Cut = CreateImage(0, Source->KeyColor, Source->Extra, Width, Height);
    if (!Cut)
        return nullptr;
    LogEntry(Left, Top, Width, Height);
    const size_t RowBytes = size_t{Width} * 3;
    for (size_t i = 0; i < Height; ++i) {
        const size_t From = ((Top + i) * size_t(Source->Width) + Left) * 3;
        std::memcpy(Cut->Data + i * RowBytes, Source->Data + From, RowBytes);
    }
    return Cut;
}
