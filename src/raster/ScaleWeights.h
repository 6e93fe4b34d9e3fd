#pragma once
#include <cstdint>
#include <vector>

namespace rastrix {

// The precomputed weights of one axis of a scale. Internal to Scale.cpp and its tests.

// Weights are fixed point with this many fraction bits: a weighted sum of 8-bit values with
// weights adding up to 1 (and negative lobes of a few tenths) stays inside 32 bits.
inline constexpr int kScaleWeightBits = 22;

struct ScaleAxis {
    int taps = 0;                     // weights stored per position (the widest window)
    std::vector<int> first;           // first source position read, per scaled position
    std::vector<int> count;           // source positions read, per scaled position
    std::vector<std::int32_t> weight; // taps per scaled position; each run sums to 1 << kScaleWeightBits
    int Size() const { return int(first.size()); }
};

// Lanczos-3 weights for the scaled positions from..from+count-1 of an axis that scales srcLen
// positions to scaledLen. The source may have been reduced by a whole factor `shrink` first
// (each of its positions the average of `shrink` original ones, the last perhaps of fewer, which
// then weighs only as much as the positions it holds): `shrunkLen` is its length, and the
// window is taken in its units. Reducing widens the window
// by the reduction factor, so every source position contributes.
ScaleAxis LanczosAxis(int srcLen, int scaledLen, int from, int count, int shrink, int shrunkLen);

// The one source position whose area holds each scaled position's centre:
// floor((2d+1) * srcLen / (2 * scaledLen)).
std::vector<int> NearestAxis(int srcLen, int scaledLen, int from, int count);

// The whole factor by which an axis is first reduced by plain averaging: reductions of 6x and
// more are averaged down by a whole factor that leaves at least 3x for the Lanczos filter,
// which keeps its quality and spares most of the work of its wide window. 1 = no averaging.
int ShrinkFactor(int srcLen, int scaledLen);

// The Lanczos-3 kernel: sinc(x) * sinc(x / 3) inside |x| < 3, else 0.
double Lanczos3(double x);

}  // namespace rastrix
