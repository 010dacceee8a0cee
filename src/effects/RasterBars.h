#pragma once
// The raster bars' state, program-wide; tests read and set it.
#include <cstdint>

#include "core/FrameTimer.h"

struct RasterBar {
    float Top;  // top row in the view
    float Vel;  // rows per move; 0 while the bar waits for the cascade
};

// The bars in the order they are drawn.
enum RasterBarIndex { BarR, BarG, BarB, BarV, BarY, BarCount };

struct RasterBarsState {
    RasterBar Bars[BarCount];
    float BarSpeed;    // the common speed, redrawn at each bounce of RasterR
    float BarDivisor;  // blend divisor of the bars; 0 copies
    float ScrollSpeed;  // columns per frame of both text copies
    float ScrollX1, ScrollY1;  // the front copy of ScrollText
    float ScrollX2, ScrollY2;  // the blended echo, 100 rows lower
    FrameTimer MoveTimer;  // paces the bars and the echo
    FrameTimer FadeTimer;  // paces the divisor; first read when the fade begins
};

extern RasterBarsState RasterBarsVars;
