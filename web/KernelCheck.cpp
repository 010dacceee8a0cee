// The golden frames prove the SIMD paths at the demo's own sizes; these
// cases take them where it never goes: pictures 1 to 3 pixels wide or
// high, row lengths off every multiple of 16, the tails of a row copy,
// fades past the divisors the demo reaches and pixels with a byte above
// red. In the plain program the same cases run the plain paths.
#include "KernelCheck.h"

#include <cstdint>
#include <vector>

#include "effects/BlurPass.h"
#include "effects/FadePixels.h"
#include "image/CopyRows.h"
#include "image/Image.h"

namespace {

uint32_t Seed = 12345;

// 24 bits a call.
uint32_t Next()
{
    Seed = Seed * 1103515245u + 12345u;
    return Seed >> 8;
}

bool BlurSame(int32_t Width, int32_t Height)
{
    std::vector<uint8_t> Wide(size_t(Width) * Height * 3), Plain;
    for (uint8_t& Byte : Wide)
        Byte = uint8_t(Next());
    Plain = Wide;
    Image A{Width, Width, Height, Height, 3, 0, 0, uint32_t(Wide.size()), Wide.data(), 0};
    Image B = A;
    B.Data = Plain.data();
    for (int Pass = 0; Pass < 3; ++Pass) {
        BlurPass(&A);
        BlurPassPlain(&B);
    }
    return Wide == Plain;
}

// Both copies, from an odd source address, into a row whose pixels beside
// the copied ones must stay.
bool CopySame(int32_t Count)
{
    std::vector<uint8_t> From(size_t(Count) * 3 + 1);
    for (uint8_t& Byte : From)
        Byte = uint8_t(Next() % 3);  // few colours: the key is met often
    const uint8_t* Source = From.data() + 1;
    const uint32_t Key = 0x010201, Beside = 0xAB000000u;
    std::vector<uint32_t> Copied(size_t(Count) + 2, Beside), Keyed = Copied;
    std::vector<uint32_t> WantCopied = Copied, WantKeyed = Copied;
    for (int32_t c = 0; c < Count; ++c) {
        const uint32_t Colour = SourceColour(Source + 3 * c);
        WantCopied[size_t(c) + 1] = Colour;
        WantKeyed[size_t(c) + 1] = Colour == Key ? Beside : Colour;
    }
    CopyRow(Source, Copied.data() + 1, Count);
    KeyedCopyRow(Source, Keyed.data() + 1, Count, Key);
    return Copied == WantCopied && Keyed == WantKeyed;
}

bool FadeSame(size_t Count, float Divisor, bool AboveRed)
{
    std::vector<uint32_t> Pixels(Count);
    for (uint32_t& P : Pixels)
        P = (Next() << 8 | (Next() & 0xFF)) & (AboveRed && Next() % 4 == 0 ? 0x7FFFFFFFu : 0xFFFFFFu);
    std::vector<uint32_t> Want = Pixels;
    for (uint32_t& P : Want)
        P = Faded(int32_t(P) >> 16, Divisor) << 16 | Faded(int32_t((P >> 8) & 0xFF), Divisor) << 8 |
            Faded(int32_t(P & 0xFF), Divisor);
    const size_t Done = FadeFoursSimd128(Pixels.data(), Count, Divisor);
    for (size_t i = 0; i < Done; ++i)
        if (Pixels[i] != Want[i])
            return false;
    return Done <= Count;
}

}  // namespace

KernelCount CheckKernels()
{
    KernelCount Count{0, 0};
    const auto Case = [&Count](bool Same) {
        ++Count.Cases;
        Count.Differ += !Same;
    };
    for (int32_t Width : {1, 2, 3, 5, 6, 11, 16, 17, 37, 90})
        for (int32_t Height : {1, 2, 3, 4, 15, 16, 17, 31})
            Case(BlurSame(Width, Height));
    for (int32_t Pixels = 0; Pixels <= 40; ++Pixels)
        Case(CopySame(Pixels));
    for (int Step = 0; Step <= 200; Step += 5)
        for (size_t Pixels : {size_t{0}, size_t{3}, size_t{4}, size_t{5}, size_t{67}})
            Case(FadeSame(Pixels, 1.0f + 0.001f * float(Step), Step % 2 == 1));
    return Count;
}
