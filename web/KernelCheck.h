#pragma once
// The SIMD paths held to the per-pixel rules where the demo never takes
// them: the sizes, tails and inputs its pictures don't have.

struct KernelCount {
    int Cases, Differ;
};

KernelCount CheckKernels();
