#include "document/BmpWriter.h"

#include <bit>
#include <cstring>
#include <new>
#include <stdexcept>

namespace rastrix {

std::string ColorLossText(int paletteCapacity) {
    std::string text(kColorLossTextBefore);
    text += std::to_string(paletteCapacity);
    text += kColorLossTextAfter;
    return text;
}

std::string_view EncodeStatusMessage(EncodeStatus status) {
    switch (status) {
        case EncodeStatus::OutOfMemory:
            return "There is not enough memory to build the file.";
        case EncodeStatus::TooLarge:
            return "The image is too large to be saved as a BMP file at this depth.";
        case EncodeStatus::Ok:
        case EncodeStatus::Declined:
            break;
    }
    return {};
}

namespace {

// Blue, green, red per pixel. A pixel word's low three bytes are already in that order in
// memory, so four pixels become three little-endian words.
void EncodeRow24(const Pixel* src, int width, std::uint8_t* dst) {
    int x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; x + 4 <= width; x += 4, dst += 12) {
            const std::uint32_t p0 = src[x] & 0x00FFFFFFu, p1 = src[x + 1] & 0x00FFFFFFu;
            const std::uint32_t p2 = src[x + 2] & 0x00FFFFFFu, p3 = src[x + 3] & 0x00FFFFFFu;
            const std::uint32_t w[3] = {p0 | (p1 << 24), (p1 >> 8) | (p2 << 16), (p2 >> 16) | (p3 << 8)};
            std::memcpy(dst, w, 12);
        }
    }
    for (; x < width; ++x, dst += 3) {
        const Pixel p = src[x];
        dst[0] = std::uint8_t(p);
        dst[1] = std::uint8_t(p >> 8);
        dst[2] = std::uint8_t(p >> 16);
    }
}

// Each packer writes the row's index bytes (a partly filled last byte has its low bits
// zero) and returns the count written, or -1 when the user declined.
long EncodeRow8(const Pixel* src, int width, std::uint8_t* dst, Palette& pal, const ColourLossQuestion& ask) {
    for (int x = 0; x < width; ++x) {
        const int i = pal.IndexOfPixel(src[x], ask);
        if (i < 0) return -1;
        dst[x] = std::uint8_t(i);
    }
    return width;
}

long EncodeRow4(const Pixel* src, int width, std::uint8_t* dst, Palette& pal, const ColourLossQuestion& ask) {
    long n = 0;
    int x = 0;
    for (; x + 2 <= width; x += 2) {
        const int a = pal.IndexOfPixel(src[x], ask);
        if (a < 0) return -1;
        const int b = pal.IndexOfPixel(src[x + 1], ask);
        if (b < 0) return -1;
        dst[n++] = std::uint8_t((a << 4) | b);
    }
    if (x < width) {
        const int a = pal.IndexOfPixel(src[x], ask);
        if (a < 0) return -1;
        dst[n++] = std::uint8_t(a << 4);
    }
    return n;
}

long EncodeRow1(const Pixel* src, int width, std::uint8_t* dst, Palette& pal, const ColourLossQuestion& ask) {
    long n = 0;
    unsigned acc = 0;
    int bits = 0;
    for (int x = 0; x < width; ++x) {
        const int i = pal.IndexOfPixel(src[x], ask);
        if (i < 0) return -1;
        acc = (acc << 1) | unsigned(i & 1);  // leftmost pixel ends up in bit 7
        if (++bits == 8) {
            dst[n++] = std::uint8_t(acc);
            acc = 0;
            bits = 0;
        }
    }
    if (bits > 0) dst[n++] = std::uint8_t(acc << (8 - bits));
    return n;
}

EncodeStatus EncodePixels(const Bitmap& image, const FileLayout& l, const ColourLossQuestion& ask,
                          std::uint8_t* file) {
    const int w = image.Width();
    const int h = image.Height();
    std::uint8_t* rows = file + l.pixelOffset;
    if (l.saveDepth == 24) {
        for (int y = h - 1; y >= 0; --y, rows += l.stride) {
            EncodeRow24(image.Row(y), w, rows);
            std::memset(rows + 3 * std::size_t(w), 0, l.stride - 3 * std::size_t(w));
        }
        return EncodeStatus::Ok;
    }
    Palette pal(l.paletteCapacity);
    if (IsStripShaped(w, h)) pal.PresortStripPalette(image);
    const auto encodeRow = l.saveDepth == 8 ? EncodeRow8 : l.saveDepth == 4 ? EncodeRow4 : EncodeRow1;
    for (int y = h - 1; y >= 0; --y, rows += l.stride) {
        const long n = encodeRow(image.Row(y), w, rows, pal, ask);
        if (n < 0) return EncodeStatus::Declined;
        std::memset(rows + n, 0, l.stride - std::size_t(n));
    }
    // The table is final only after the last row; entries no colour took stay white.
    std::uint8_t* table = file + kBmpHeaderBytes;
    for (int j = 0; j < pal.Capacity(); ++j, table += 4) {
        const std::uint32_t q = pal.Entries()[j];
        table[0] = std::uint8_t(q);
        table[1] = std::uint8_t(q >> 8);
        table[2] = std::uint8_t(q >> 16);
        table[3] = 0;
    }
    return EncodeStatus::Ok;
}

}  // namespace

EncodeStatus EncodeBmpInto(const Bitmap& image, int depth, const ColourLossQuestion& ask,
                           std::vector<std::uint8_t>& buffer) {
    const FileLayout l = ComputeFileLayout(image.Width(), image.Height(), depth);
    if (!l.FitsHeader() || l.fileSize > buffer.max_size()) return EncodeStatus::TooLarge;
    try {
        buffer.resize(std::size_t(l.fileSize));
    } catch (const std::bad_alloc&) {
        return EncodeStatus::OutOfMemory;
    } catch (const std::length_error&) {
        return EncodeStatus::OutOfMemory;
    }
    WriteBmpHeader(buffer.data(), l, image.Width(), image.Height());
    return EncodePixels(image, l, ask, buffer.data());
}

EncodedBmp EncodeBmp(const Bitmap& image, int depth, const ColourLossQuestion& ask) {
    EncodedBmp out;
    out.saveDepth = ComputeFileLayout(image.Width(), image.Height(), depth).saveDepth;
    out.status = EncodeBmpInto(image, depth, ask, out.bytes);
    if (out.status != EncodeStatus::Ok) {
        out.bytes.clear();
        out.bytes.shrink_to_fit();
    }
    return out;
}

}  // namespace rastrix
