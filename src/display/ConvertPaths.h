#pragma once
// The converters' implementations per instruction set. Convert.cpp picks one
// set at start-up; the tests hold every set to the plain loops, and the
// benchmark times them side by side.
#include "display/Convert.h"

// One implementation of each of the eight converters.
struct ConverterSet {
    RowConverter RGB32, BGR32, RGB24, BGR24, RGB565, BGR565, RGB555, BGR555;
};

// From slowest to fastest; each set takes what it does not improve from the
// one before it.
enum class ConvertPath { Plain, Sse2, Ssse3, Avx2 };

// The full set of a path, or null when this build or this processor lacks it.
const ConverterSet* ConvertersOf(ConvertPath Path);
// The fastest path this processor runs, tested once.
ConvertPath BestConvertPath();

// The per-pixel loops: the whole of the plain path and the tails of the others.
void PlainRGB32(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void PlainBGR32(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void PlainRGB24(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void PlainBGR24(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void PlainRGB565(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void PlainBGR565(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void PlainRGB555(const uint32_t* Source, uint8_t* Dest, uint32_t Count);
void PlainBGR555(const uint32_t* Source, uint8_t* Dest, uint32_t Count);

// The block paths; a null entry means "as the path before".
extern const ConverterSet Sse2Converters;
extern const ConverterSet Ssse3Converters;
extern const ConverterSet Avx2Converters;
