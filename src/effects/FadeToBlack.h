#pragma once
// The fade's program-wide divisor, for the tests to reach.

// 1.0 on the first call; grows by 0.001 at most once every 50 ms.
extern float FadeDivisor;
