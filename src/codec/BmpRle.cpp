#include "codec/BmpRle.h"

#include <algorithm>
#include <cstddef>

namespace rastrix {

namespace {

// Escape codes that follow a zero count.
constexpr unsigned kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2;

}  // namespace

bool DecodeRle(std::span<const std::uint8_t> data, bool fourBit, const BmpPalette& palette, Bitmap& out) {
    const int width = out.Width();
    const int height = out.Height();
    const std::uint8_t* p = data.data();
    const std::uint8_t* const end = p + data.size();
    // x never passes the width (nothing beyond it is drawn), so it cannot overflow on long data.
    int x = 0;
    int line = 0;  // counted from the bottom row

    while (line < height) {
        if (end - p < 2) return false;
        const unsigned count = p[0];
        const unsigned value = p[1];
        p += 2;
        Pixel* row = out.Row(height - 1 - line);

        if (count > 0) {  // a run of one index (8 bits) or two alternating indexes (4 bits)
            const int n = std::min(int(count), width - x);
            if (fourBit) {
                const Pixel pair[2] = {palette[value >> 4], palette[value & 15]};
                for (int i = 0; i < n; ++i) row[x + i] = pair[i & 1];
            } else {
                std::fill_n(row + x, n, palette[value]);
            }
            x = std::min(x + int(count), width);
            continue;
        }

        if (value == kEndOfLine) {
            x = 0;
            ++line;
        } else if (value == kEndOfBitmap) {
            return true;
        } else if (value == kDelta) {
            if (end - p < 2) return false;
            x = std::min(x + int(p[0]), width);
            line += p[1];
            p += 2;
        } else {  // literal indexes, stored in a whole number of 16-bit words
            const std::size_t bytes = fourBit ? (value + 1) / 2 : value;
            const std::size_t present = std::min(bytes, std::size_t(end - p));
            const int pixels = std::min(int(value), int(fourBit ? present * 2 : present));
            const int drawn = std::min(pixels, width - x);
            for (int i = 0; i < drawn; ++i) {
                const unsigned index = fourBit ? (i & 1 ? p[i / 2] & 15 : p[i / 2] >> 4) : p[i];
                row[x + i] = palette[index];
            }
            x = std::min(x + int(value), width);
            if (present < bytes) return false;
            p += std::min(bytes + (bytes & 1), std::size_t(end - p));
        }
    }
    return true;
}

}  // namespace rastrix
