#pragma once
// Pictures of random pixels and how far two pictures lie apart, for the tests of scaling,
// copying and writing pixels.
#include <algorithm>
#include <cstdlib>
#include <random>

#include "raster/Bitmap.h"

namespace rastrix::testing {

// Every pixel a random 0x00RRGGBB word, the same for the same seed.
inline Bitmap Noise(int width, int height, unsigned seed) {
    std::mt19937 rng(seed);
    Bitmap bmp(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bmp.Row(y)[x] = Pixel{std::uint32_t(rng() & 0x00FFFFFFu)};
    return bmp;
}

// The largest and the mean difference of the red, green and blue channels of two pictures of
// the same size.
struct PictureDifference {
    int largest = 0;
    double mean = 0;
};

inline PictureDifference Difference(const Bitmap& a, const Bitmap& b) {
    PictureDifference d;
    long total = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int shift : {0, 8, 16}) {
                const int e = std::abs(int((ValueOf(a.Row(y)[x]) >> shift) & 0xFF) - int((ValueOf(b.Row(y)[x]) >> shift) & 0xFF));
                d.largest = std::max(d.largest, e);
                total += e;
            }
    d.mean = double(total) / (3.0 * a.Width() * a.Height());
    return d;
}

}  // namespace rastrix::testing
