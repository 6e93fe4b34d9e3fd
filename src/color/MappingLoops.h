#pragma once
// The row loops that map an image pixel by pixel, shared by the palette mapping and the levels
// mapping. Each loop is written once and takes a mapper that says how a pixel is read, which
// code it becomes and what colour that code stands for:
//
//   static constexpr int kChannels;          // values a pixel is read as (1 grey, 3 colour)
//   static constexpr int kTop;               // the largest value (255, or more for finer steps)
//   using Code = ...;                        // what is stored for a pixel
//   static void Read(Pixel p, int* v);       // the pixel's values, 0..kTop each
//   Code Pick(const int* v);                 // the code for these values
//   void Entry(Code code, int* e) const;     // the values the code shows
//
// and an output whose Row(y) gives the row of codes to fill.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "color/PaletteMapping.h"  // BayerRank
#include "raster/Bitmap.h"

namespace rastrix::mapping_loops {

struct Tap {
    int dx, dy, weight;
};

// Weights are in units of 1 / 2^shift.
struct FloydSteinbergKernel {
    static constexpr int kShift = 4;
    static constexpr int kRows = 2;
    static constexpr Tap kTaps[] = {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}};
};
struct AtkinsonKernel {
    static constexpr int kShift = 3;
    static constexpr int kRows = 3;
    static constexpr Tap kTaps[] = {{1, 0, 1}, {2, 0, 1}, {-1, 1, 1}, {0, 1, 1}, {1, 1, 1}, {0, 2, 1}};
};

// Error rows hold two spare cells at each end, where error leaving the image is dropped.
inline constexpr int kMargin = 2;

// A code as the output row's element (an index byte, a pixel word).
template <class Element, class Code>
constexpr Element As(Code code) {
    return static_cast<Element>(code);
}

// Error diffusion: rows top row first, each from the left; each pixel's error (its values with
// the error it was given, less what its code shows) is spread by the kernel's weights.
template <class Kernel, class Mapper, class Out>
void Diffuse(const Bitmap& image, Mapper& mapper, Out& out) {
    constexpr int C = Mapper::kChannels;
    const int w = image.Width();
    const std::size_t cells = std::size_t(w + 2 * kMargin) * C;
    // Accumulated error of the rows still to come, scaled by 2^shift; a ring of kRows rows.
    std::vector<std::int32_t> rows[Kernel::kRows];
    for (auto& r : rows) r.assign(cells, 0);
    constexpr std::int32_t half = 1 << (Kernel::kShift - 1);
    for (int y = 0; y < image.Height(); ++y) {
        std::int32_t* ring[Kernel::kRows];
        for (int k = 0; k < Kernel::kRows; ++k) ring[k] = rows[(y + k) % Kernel::kRows].data() + kMargin * C;
        const Pixel* src = image.Row(y);
        auto* dst = out.Row(y);
        using Element = std::remove_reference_t<decltype(dst[0])>;
        for (int x = 0; x < w; ++x) {
            int v[C], e[C];
            Mapper::Read(src[x], v);
            for (int c = 0; c < C; ++c) v[c] = std::clamp(v[c] + ((ring[0][x * C + c] + half) >> Kernel::kShift), 0, Mapper::kTop);
            const auto code = mapper.Pick(v);
            dst[x] = As<Element>(code);
            mapper.Entry(code, e);
            for (int c = 0; c < C; ++c) {
                const std::int32_t error = v[c] - e[c];
                if (error == 0) continue;
                for (const Tap& t : Kernel::kTaps) ring[t.dy][(x + t.dx) * C + c] += error * t.weight;
            }
        }
        std::fill(rows[y % Kernel::kRows].begin(), rows[y % Kernel::kRows].end(), 0);
    }
}

// Ordered dithering: each value moved by the pattern's offset, (rank + 1/2) / 64 - 1/2 of that
// channel's spread, so a value halfway between two codes takes the upper one on exactly half
// the pattern.
template <class Mapper, class Out>
void Ordered(const Bitmap& image, Mapper& mapper, const int (&spread)[Mapper::kChannels], Out& out) {
    constexpr int C = Mapper::kChannels;
    int offset[C][8][8];
    for (int c = 0; c < C; ++c)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) offset[c][y][x] = ((2 * BayerRank(x, y) + 1 - 64) * spread[c]) / 128;
    for (int y = 0; y < image.Height(); ++y) {
        const Pixel* src = image.Row(y);
        auto* dst = out.Row(y);
        using Element = std::remove_reference_t<decltype(dst[0])>;
        for (int x = 0; x < image.Width(); ++x) {
            int v[C];
            Mapper::Read(src[x], v);
            for (int c = 0; c < C; ++c) v[c] = std::clamp(v[c] + offset[c][y & 7][x & 7], 0, Mapper::kTop);
            dst[x] = As<Element>(mapper.Pick(v));
        }
    }
}

// Each pixel its own code, nothing spread.
template <class Mapper, class Out>
void Nearest(const Bitmap& image, Mapper& mapper, Out& out) {
    for (int y = 0; y < image.Height(); ++y) {
        const Pixel* src = image.Row(y);
        auto* dst = out.Row(y);
        using Element = std::remove_reference_t<decltype(dst[0])>;
        for (int x = 0; x < image.Width(); ++x) {
            int v[Mapper::kChannels];
            Mapper::Read(src[x], v);
            dst[x] = As<Element>(mapper.Pick(v));
        }
    }
}

}  // namespace rastrix::mapping_loops
