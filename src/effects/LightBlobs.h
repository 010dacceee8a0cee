#pragma once
// The light blobs' program-wide state and set-up, for the tests to reach.
#include <cstdint>

constexpr int32_t LightSize = 256;  // the light disc's table is LightSize x LightSize
constexpr int32_t BlobCount = 10;

struct Blob {
    int16_t X;       // centre column in the view
    int16_t Y;       // centre row in the view
    int16_t Radius;  // half the drawn size, pixels
    int16_t DX;      // column step per frame
    int16_t DY;      // row step per frame
};

struct LightBlobsState {
    uint32_t LightTable[LightSize * LightSize];  // grey disc, row after row
    Blob Blobs[BlobCount];
    float GreenDivisor;  // the blobs' green is their red divided by it
    float BlueDivisor;   // likewise for blue
};

extern LightBlobsState LightBlobsVars;

// The disc: white out to about 38 pixels, then a cosine fall to 0 at 128.
void BuildLightTable();
// The ten blobs from the next 50 NextRandom draws (the run's first 50).
void SeedBlobs();
// The 16.16 step that walks the table's 256 entries across 2 x Radius pixels.
int32_t BlobStep(int16_t Radius);
