#pragma once
// The plasma effect's program-wide state, for the tests to reach. Zero at
// program start; only PlasmaDivisor and InsetReady are set on the first
// call, the rest runs on from wherever it stands.
#include <cstdint>

struct PlasmaDoorsState {
    uint8_t RowPhaseA;    // first cosine index at the top-left pixel; +5 per frame
    uint8_t RowPhaseB;    // second one; moved by a sine each frame
    uint8_t ColPhaseA;    // third index at the start of every row; +3 per frame
    uint8_t ColPhaseB;    // fourth one; -8 per frame
    int32_t DoorOffset;   // the upper half's top view row while opening; falls from 0
    int32_t DoorStep;     // frames of door motion so far
    float PlasmaDivisor;  // the plasma is divided by it; grows in the final fade
    int32_t InsetReady;   // ViewInset's first-call flag
};

extern PlasmaDoorsState PlasmaDoorsVars;
