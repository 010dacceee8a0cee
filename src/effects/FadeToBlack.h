#pragma once
// The fade's state, for the tests to reach.

struct FadeToBlackState {
    float Divisor;  // 1.0 on the first call; grows by 0.001 at most once every 50 ms
};
extern FadeToBlackState FadeToBlackVars;
