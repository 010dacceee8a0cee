#pragma once
// The blur that melts the zoomed words away, a pass at a time.
#include <cstdint>

struct Image;

// One pass in place over the picture's bytes: each inner byte becomes the
// mean of itself, its interleaved neighbours left and right and the same
// byte in the rows above and below, rounding down. Bytes written earlier in
// the pass (left, above) are used at once; rows 0 and H - 1 and bytes 0,
// 3W - 2 and 3W - 1 of every row are kept.
void BlurPass(Image* Word);

// The same pass, row by row with a few rows interleaved: the reference, and
// the path where the wide one can't run.
void BlurPassPlain(Image* Word);
// The same pass many rows at a time with AVX2, or with WebAssembly SIMD in
// the browser build that has it; false, with the picture untouched, where
// the processor or the build lacks them.
bool BlurPassWide(Image* Word);
