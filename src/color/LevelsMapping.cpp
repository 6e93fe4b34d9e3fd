#include "color/LevelsMapping.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "color/MappingLoops.h"

namespace rastrix {

namespace {

// Values are read with 12 bits (each byte's bits repeated), so the pattern's offsets and the
// diffused error keep a sixteenth of a step between 8-bit values: a level of a 6-bit channel
// is only about 4 of them apart.
constexpr int kFineTop = 4095;
constexpr int Fine(int v8) { return v8 << 4 | v8 >> 4; }

// Picks each channel's nearest level on its own; the code is the pixel of shown levels.
class LevelsMapper {
public:
    static constexpr int kChannels = 3;
    static constexpr int kTop = kFineTop;
    using Code = Pixel;

    explicit LevelsMapper(ChannelBits bits) {
        const int depths[3] = {bits.red, bits.green, bits.blue};
        for (int c = 0; c < 3; ++c) {
            // The nearest level to each value; the lower one when two are as near.
            int level = 0;
            const int top = (1 << depths[c]) - 1;
            const auto fine = [&](int l) { return Fine(LevelValue(l, depths[c])); };
            for (int v = 0; v <= kFineTop; ++v) {
                while (level < top && std::abs(fine(level + 1) - v) < std::abs(fine(level) - v)) ++level;
                nearest_[std::size_t(c)][std::size_t(v)] = std::uint8_t(LevelValue(level, depths[c]));
            }
        }
    }
    static void Read(Pixel p, int* v) { v[0] = Fine(RedOf(p)), v[1] = Fine(GreenOf(p)), v[2] = Fine(BlueOf(p)); }
    Pixel Pick(const int* v) const {
        return PixelFromRgb(nearest_[0][std::size_t(v[0])], nearest_[1][std::size_t(v[1])], nearest_[2][std::size_t(v[2])]);
    }
    static void Entry(Pixel code, int* e) { Read(code, e); }

private:
    std::array<std::array<std::uint8_t, kFineTop + 1>, 3> nearest_{};
};

// The pattern spans the smallest step between two levels (the widened levels lie 8 or 9 apart
// for 5 bits), so a value that is a level never moves past half a step to its neighbour.
int SmallestStep(int bits) {
    int step = kFineTop;
    for (int l = 0; l + 1 < (1 << bits); ++l) step = std::min(step, Fine(LevelValue(l + 1, bits)) - Fine(LevelValue(l, bits)));
    return step;
}

}  // namespace

std::optional<Bitmap> MapToLevels(const Bitmap& image, ChannelBits bits, Dither dither) {
    using namespace mapping_loops;
    std::optional<Bitmap> out = Bitmap::TryCreate(image.Width(), image.Height(), Bitmap::NewPixels::Unset);
    if (!out) return std::nullopt;
    LevelsMapper mapper(bits);
    switch (dither) {
        case Dither::None:
            Nearest(image, mapper, *out);
            break;
        case Dither::FloydSteinberg:
            Diffuse<FloydSteinbergKernel>(image, mapper, *out);
            break;
        case Dither::Atkinson:
            Diffuse<AtkinsonKernel>(image, mapper, *out);
            break;
        case Dither::Ordered: {
            const int spread[3] = {SmallestStep(bits.red), SmallestStep(bits.green), SmallestStep(bits.blue)};
            Ordered(image, mapper, spread, *out);
            break;
        }
    }
    return out;
}

}  // namespace rastrix
