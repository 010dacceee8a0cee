#pragma once
// The header of a binary PPM file as LoadPPM reads it, field by field.
// Every field goes through one 256-byte buffer and must fit in it with its
// terminating zero; the reader never reads past the end of the file.
#include <cstdint>
#include <cstdio>

// Skips the comment lines that follow the magic, then reads the width (up
// to a space) and the height (up to a line feed). Accepts each side from 1
// to MaxImageSide and at most MaxImageBytes of pixels. On failure logs one
// line and returns false.
bool ReadPpmSize(FILE* File, int32_t* Width, int32_t* Height);

// Reads the four bytes of the maximum value; Text gets the first three as
// a string. Logs one line and returns false when the file ends first.
bool ReadPpmMaxValue(FILE* File, char Text[4]);

// atoi with an overflow check: leading white space and a sign, then digits
// up to the first other byte. False when the value does not fit 32 bits.
bool ParsePpmNumber(const char* Text, int32_t* Value);

constexpr int32_t MaxImageSide = 16384;
constexpr int64_t MaxImageBytes = 64 * 1024 * 1024;
