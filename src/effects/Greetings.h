#pragma once
// The greetings' state, program-wide; tests read and set it.
#include <cstdint>

struct Image;

constexpr int GreetCount = 10;
extern const char* const GreetTable[GreetCount];

struct GreetingsState {
    int32_t RangeX, RangeY;    // how far the background can move
    float BackX, BackY;        // the background's top-left corner in the view
    float BackVX, BackVY;      // its motion per frame
    int8_t TextIndex;          // into GreetTable
    int32_t TextX, TextY;      // the current text, centred
    float EchoDivisor;         // blend divisor of the four echo copies
    float EchoSpread;          // how far the echo copies have drifted
    int32_t WobbleX, WobbleY;  // offsets of the solid copy
    Image* const* Glyphs;      // FireFonte for the names, Fonte2 for the credits
};

extern GreetingsState GreetingsVars;
