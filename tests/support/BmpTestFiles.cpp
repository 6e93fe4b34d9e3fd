#include "support/BmpTestFiles.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <iomanip>

namespace rastrix {

void PrintTo(const Bitmap& b, std::ostream* os) {
    *os << b.Width() << " x " << b.Height() << std::hex << std::setfill('0');
    for (int y = 0; y < b.Height(); ++y) {
        *os << "\n ";
        for (int x = 0; x < b.Width(); ++x) *os << ' ' << std::setw(6) << b.Row(y)[x];
    }
    *os << std::dec;
}

}  // namespace rastrix

namespace rastrix::testing {

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}

Bytes BuildBmp(const TestBmp& s) {
    const bool core = s.headerSize == 12;
    const std::size_t maskBytes = s.headerSize == 40 ? s.masks.size() * 4 : 0;
    const std::size_t entry = core ? 3 : 4;
    const std::size_t tableAt = 14 + s.headerSize + maskBytes;
    const std::size_t pixelsAt = tableAt + s.palette.size() * entry + s.gap;
    Bytes b(pixelsAt + s.pixels.size(), 0);

    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, std::uint32_t(b.size()));
    Put32(b, kOffPixelOffset, std::uint32_t(pixelsAt));
    Put32(b, kOffHeaderSize, s.headerSize);
    if (core) {
        Put16(b, 18, std::uint32_t(s.width));
        Put16(b, 20, std::uint32_t(s.height));
        Put16(b, 22, s.planes);
        Put16(b, 24, s.bitCount);
    } else {
        Put32(b, kOffWidth, std::uint32_t(s.width));
        Put32(b, kOffHeight, std::uint32_t(s.height));
        Put16(b, kOffPlanes, s.planes);
        Put16(b, kOffBitCount, s.bitCount);
        Put32(b, kOffCompression, s.compression);
        Put32(b, 34, std::uint32_t(s.pixels.size()));
        Put32(b, 38, 2835);  // 72 dots per inch
        Put32(b, 42, 2835);
        Put32(b, kOffColorsUsed, s.colorsUsed.value_or(std::uint32_t(s.palette.size())));
        for (std::size_t i = 0; i < s.masks.size(); ++i) Put32(b, 54 + 4 * i, s.masks[i]);
    }
    for (std::size_t i = 0; i < s.palette.size(); ++i) {
        const Pixel p = s.palette[i];
        b[tableAt + i * entry] = BlueOf(p);
        b[tableAt + i * entry + 1] = GreenOf(p);
        b[tableAt + i * entry + 2] = RedOf(p);
    }
    std::memset(b.data() + pixelsAt - s.gap, 0xEE, s.gap);
    std::copy(s.pixels.begin(), s.pixels.end(), b.begin() + std::ptrdiff_t(pixelsAt));
    return b;
}

Bytes StoreRows(int width, int height, int bits, bool topDown, const std::function<std::uint32_t(int, int)>& value) {
    const std::size_t stride = (std::size_t(width) * bits + 31) / 32 * 4;
    Bytes out(stride * height, 0);
    for (int i = 0; i < height; ++i) {
        const int y = topDown ? i : height - 1 - i;
        std::uint8_t* row = out.data() + stride * i;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = value(x, y);
            if (bits < 8) {
                const int bit = x * bits;
                row[bit / 8] |= std::uint8_t(v << (8 - bits - bit % 8));
            } else {
                for (int k = 0; k < bits / 8; ++k) row[x * (bits / 8) + k] = std::uint8_t(v >> (8 * k));
            }
        }
    }
    return out;
}

std::vector<Pixel> TestPalette(int count) {
    std::vector<Pixel> p;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t r = (i * 53 + 17) & 0xFF, g = (i * 101 + 5) & 0xFF, b = (r + 64 + i) & 0xFF;
        p.push_back(Pixel{(r << 16) | (g << 8) | b});
    }
    return p;
}

std::uint32_t ExpandChannel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const double max = double(mask >> shift);
    return std::uint32_t(std::lround(double((value & mask) >> shift) * 255.0 / max));
}

Bitmap FlippedRows(const Bitmap& b) {
    Bitmap f(b.Width(), b.Height());
    for (int y = 0; y < b.Height(); ++y)
        std::copy(b.Row(y), b.Row(y) + b.Width(), f.Row(b.Height() - 1 - y));
    return f;
}

Bitmap FromMap(const std::vector<const char*>& rows, const std::vector<Pixel>& palette) {
    Bitmap b(int(std::strlen(rows[0])), int(rows.size()));
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            b.Row(y)[x] = rows[y][x] == '.' ? Pixel{0} : palette[rows[y][x] - '0'];
    return b;
}

}  // namespace rastrix::testing
