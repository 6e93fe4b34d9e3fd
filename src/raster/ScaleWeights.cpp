#include "raster/ScaleWeights.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rastrix {

namespace {

constexpr double kLobes = 3.0;

double Sinc(double x) {
    if (x == 0.0) return 1.0;
    const double px = std::numbers::pi * x;
    return std::sin(px) / px;
}

}  // namespace

double Lanczos3(double x) {
    if (x <= -kLobes || x >= kLobes) return 0.0;
    return Sinc(x) * Sinc(x / kLobes);
}

int ShrinkFactor(int srcLen, int scaledLen) {
    if (scaledLen <= 0 || srcLen < 6 * std::int64_t(scaledLen)) return 1;
    return int(srcLen / (3 * std::int64_t(scaledLen)));
}

ScaleAxis LanczosAxis(int srcLen, int scaledLen, int from, int count, int shrink, int shrunkLen) {
    ScaleAxis axis;
    // In the units of the (perhaps averaged) source: a scaled position's centre, and how much
    // the kernel is stretched so that it spans as many source positions as the reduction asks.
    const double ratio = double(srcLen) / double(scaledLen) / double(shrink);
    const double stretch = std::max(ratio, 1.0);
    const double reach = kLobes * stretch;
    axis.taps = std::min(int(std::ceil(reach)) * 2 + 1, shrunkLen);
    axis.first.resize(std::size_t(count));
    axis.count.resize(std::size_t(count));
    axis.weight.assign(std::size_t(count) * std::size_t(axis.taps), 0);
    std::vector<double> w(std::size_t(axis.taps));
    for (int i = 0; i < count; ++i) {
        const double centre = (double(from + i) + 0.5) * ratio;
        const int lo = std::max(0, int(std::floor(centre - reach + 0.5)));
        const int hi = std::min(shrunkLen, int(std::floor(centre + reach + 0.5)));
        int n = std::max(0, std::min(hi - lo, axis.taps));
        double sum = 0.0;
        for (int j = 0; j < n; ++j) {
            // An averaged position stands for `shrink` source positions, the last one perhaps for
            // fewer: its weight is taken at its true centre and scaled by its true size.
            const int pos = lo + j;
            const std::int64_t held = std::clamp<std::int64_t>(srcLen - std::int64_t(pos) * shrink, 0, shrink);
            const double size = double(held) / shrink;
            w[std::size_t(j)] = Lanczos3((double(pos) + size / 2 - centre) / stretch) * size;
            sum += w[std::size_t(j)];
        }
        int first = lo;
        if (n == 0 || sum == 0.0) {  // a window that met no weight: the nearest position alone
            first = std::clamp(int(centre), 0, shrunkLen - 1);
            n = 1;
            w[0] = sum = 1.0;
        }
        axis.first[std::size_t(i)] = first;
        axis.count[std::size_t(i)] = n;
        std::int32_t* out = axis.weight.data() + std::size_t(i) * std::size_t(axis.taps);
        constexpr double one = double(1 << kScaleWeightBits);
        std::int64_t total = 0;
        int largest = 0;
        for (int j = 0; j < n; ++j) {
            out[j] = std::int32_t(std::lround(w[std::size_t(j)] / sum * one));
            total += out[j];
            if (out[j] > out[largest]) largest = j;
        }
        // The rounding error goes to the largest weight, so the weights add up to exactly one
        // and a flat area keeps its value.
        out[largest] += std::int32_t((std::int64_t(1) << kScaleWeightBits) - total);
    }
    return axis;
}

std::vector<int> NearestAxis(int srcLen, int scaledLen, int from, int count) {
    std::vector<int> map(std::size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const std::int64_t d = from + i;
        map[std::size_t(i)] = int(std::min<std::int64_t>((2 * d + 1) * srcLen / (2 * std::int64_t(scaledLen)), srcLen - 1));
    }
    return map;
}

}  // namespace rastrix
