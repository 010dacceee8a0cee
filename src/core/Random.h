#pragma once
// The effects' pseudo-random generator: one sequence per run, never
// reseeded, so every picture that depends on it is the same on every run.
#include <cstdint>

// 1 when the program starts. Tests set it back to replay the run's sequence.
extern uint32_t RandomState;

// A number from 0 to 32767. The first three of a run are 41, 18467, 6334.
int32_t NextRandom();
