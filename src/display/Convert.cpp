// The eight converters run the fastest path this processor has; the choice
// is made once, on first use.
#include "display/Convert.h"

#include <initializer_list>

#include "display/ConvertPaths.h"

namespace {

const ConverterSet PlainConverters = {PlainRGB32,  PlainBGR32,  PlainRGB24,  PlainBGR24,
                                      PlainRGB565, PlainBGR565, PlainRGB555, PlainBGR555};

#if defined(__x86_64__)
constexpr RowConverter ConverterSet::*Fields[] = {
    &ConverterSet::RGB32,  &ConverterSet::BGR32,  &ConverterSet::RGB24,  &ConverterSet::BGR24,
    &ConverterSet::RGB565, &ConverterSet::BGR565, &ConverterSet::RGB555, &ConverterSet::BGR555,
};

// A path's own converters over the full set of the path before it.
ConverterSet Merge(ConverterSet Below, const ConverterSet& Own)
{
    for (auto Field : Fields)
        if (Own.*Field)
            Below.*Field = Own.*Field;
    return Below;
}
#endif

bool Supports(ConvertPath Path)
{
#if defined(__x86_64__)
    __builtin_cpu_init();
    switch (Path) {
    case ConvertPath::Plain:
    case ConvertPath::Sse2: return true;
    case ConvertPath::Ssse3: return __builtin_cpu_supports("ssse3");
    case ConvertPath::Avx2: return __builtin_cpu_supports("avx2");
    }
    return false;
#else
    return Path == ConvertPath::Plain;
#endif
}

struct AllPaths {
    ConverterSet Sets[4];
    AllPaths()
    {
        Sets[0] = PlainConverters;
#if defined(__x86_64__)
        Sets[1] = Merge(Sets[0], Sse2Converters);
        Sets[2] = Merge(Sets[1], Ssse3Converters);
        Sets[3] = Merge(Sets[2], Avx2Converters);
#endif
    }
};

const ConverterSet& Chosen()
{
    static const ConverterSet& Set = *ConvertersOf(BestConvertPath());
    return Set;
}

}  // namespace

const ConverterSet* ConvertersOf(ConvertPath Path)
{
    static const AllPaths Paths;
    return Supports(Path) ? &Paths.Sets[static_cast<int>(Path)] : nullptr;
}

ConvertPath BestConvertPath()
{
    for (ConvertPath Path : {ConvertPath::Avx2, ConvertPath::Ssse3, ConvertPath::Sse2})
        if (Supports(Path))
            return Path;
    return ConvertPath::Plain;
}

void ConvRGB32(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Chosen().RGB32(Source, Dest, Count);
}

void ConvBGR32(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Chosen().BGR32(Source, Dest, Count);
}

void ConvRGB24(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Chosen().RGB24(Source, Dest, Count);
}

void ConvBGR24(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Chosen().BGR24(Source, Dest, Count);
}

void ConvRGB565(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Chosen().RGB565(Source, Dest, Count);
}

void ConvBGR565(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Chosen().BGR565(Source, Dest, Count);
}

void ConvRGB555(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Chosen().RGB555(Source, Dest, Count);
}

void ConvBGR555(const uint32_t* Source, uint8_t* Dest, uint32_t Count)
{
    Chosen().BGR555(Source, Dest, Count);
}

RowConverter SelectConverter(uint32_t Bits, uint32_t RedMask, uint32_t GreenMask,
                             uint32_t BlueMask)
{
    struct Layout {
        uint32_t Bits, Red, Green, Blue;
        RowConverter Converter;
    };
    static const Layout Layouts[] = {
        {32, 0xFF0000, 0xFF00, 0xFF, ConvRGB32}, {32, 0xFF, 0xFF00, 0xFF0000, ConvBGR32},
        {24, 0xFF0000, 0xFF00, 0xFF, ConvRGB24}, {24, 0xFF, 0xFF00, 0xFF0000, ConvBGR24},
        {16, 0xF800, 0x7E0, 0x1F, ConvRGB565},   {16, 0x1F, 0x7E0, 0xF800, ConvBGR565},
        {16, 0x7C00, 0x3E0, 0x1F, ConvRGB555},   {16, 0x1F, 0x3E0, 0x7C00, ConvBGR555},
    };
    for (const Layout& L : Layouts)
        if (L.Bits == Bits && L.Red == RedMask && L.Green == GreenMask && L.Blue == BlueMask)
            return L.Converter;
    return nullptr;
}
