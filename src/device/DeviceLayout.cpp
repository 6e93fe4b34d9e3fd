#include "device/DeviceLayout.h"

#include <algorithm>
#include <array>
#include <new>

namespace rastrix {

namespace {

using L = DeviceLayout;
using K = LayoutKind;

constexpr LayoutInfo kLayouts[] = {
    {L::Mono, "mono", K::Mono, 1, 1, false, "1 bit, rows left to right, the leftmost pixel in the top bit, 1 = white"},
    {L::MonoLsb, "mono-lsb", K::Mono, 1, 1, false, "1 bit, rows left to right, the leftmost pixel in the lowest bit (XBM order), 1 = white"},
    {L::MonoPages, "mono-pages", K::Mono, 1, 1, false, "1 bit, pages of 8 rows: each byte a column of 8 pixels, the top one in bit 0, 1 = white"},
    {L::Grey2, "grey2", K::Grey, 2, 1, false, "2 bits, 4 greys (0 black, 3 white), the leftmost pixel in the top bits"},
    {L::Grey4, "grey4", K::Grey, 4, 1, false, "4 bits, 16 greys (0 black, 15 white), the leftmost pixel in the top bits"},
    {L::Grey8, "grey8", K::Grey, 8, 1, false, "8 bits, 256 greys (0 black, 255 white)"},
    {L::Index1, "index1", K::Index, 1, 1, false, "1 bit, an index into a palette of 2, the leftmost pixel in the top bit"},
    {L::Index2, "index2", K::Index, 2, 1, false, "2 bits, an index into a palette of up to 4, the leftmost pixel in the top bits"},
    {L::Index4, "index4", K::Index, 4, 1, false, "4 bits, an index into a palette of up to 16, the leftmost pixel in the top bits"},
    {L::Index8, "index8", K::Index, 8, 1, false, "8 bits, an index into a palette of up to 256"},
    {L::Planes, "planes", K::Planes, 1, 1, false, "two 1-bit planes, black then red (or yellow), 0 = that ink, rows as mono"},
    {L::Rgb565, "rgb565", K::Color, 16, 2, false, "16-bit words, red 5, green 6, blue 5 bits, low byte first"},
    {L::Rgb565Swapped, "rgb565-swapped", K::Color, 16, 2, false, "the rgb565 words high byte first"},
    {L::Rgb332, "rgb332", K::Color, 8, 1, false, "8 bits, red 3, green 3, blue 2"},
    {L::Rgb888, "rgb888", K::Color, 24, 1, false, "24 bits: blue, green, red bytes"},
    {L::Xrgb8888, "xrgb8888", K::Color, 32, 4, false, "32-bit words 0xFFRRGGBB, low byte first"},
    {L::Argb8888, "argb8888", K::Color, 32, 4, true, "32-bit words 0xAARRGGBB, low byte first, straight alpha"},
    {L::Rgb565A8, "rgb565a8", K::Color, 16, 2, true, "rgb565 words, then one alpha byte a pixel"},
};

static_assert([] {
    for (std::size_t i = 0; i < std::size(kLayouts); ++i)
        if (std::size_t(kLayouts[i].layout) != i) return false;
    return true;
}());

std::size_t Stride(int width, int bits) { return (std::size_t(width) * std::size_t(bits) + 7) / 8; }

// Indexes turned into values `bits` wide, the leftmost pixel in the top bits (or, with
// lowFirst, in the lowest).
void PackRows(const IndexImage& image, int bits, const std::array<std::uint8_t, 256>& value, bool lowFirst,
              std::uint8_t* out) {
    const std::size_t stride = Stride(image.width, bits);
    const int perByte = 8 / bits;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* src = image.Row(y);
        std::uint8_t* dst = out + std::size_t(y) * stride;
        for (int x = 0; x < image.width; x += perByte) {
            std::uint8_t b = 0;
            const int n = std::min(perByte, image.width - x);
            for (int k = 0; k < n; ++k) {
                const int shift = lowFirst ? k * bits : 8 - bits - k * bits;
                b = std::uint8_t(b | value[src[x + k]] << shift);
            }
            dst[x / perByte] = b;
        }
    }
}

// SSD1306-style pages: byte x of page p holds rows 8p..8p+7 of column x, row 8p in bit 0.
void PackPages(const IndexImage& image, const std::array<std::uint8_t, 256>& value, std::uint8_t* out) {
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* src = image.Row(y);
        std::uint8_t* page = out + std::size_t(y / 8) * std::size_t(image.width);
        const int bit = y & 7;
        for (int x = 0; x < image.width; ++x) page[x] = std::uint8_t(page[x] | value[src[x]] << bit);
    }
}

void Put16(std::uint8_t* p, std::uint32_t v, bool highFirst) {
    p[highFirst ? 1 : 0] = std::uint8_t(v);
    p[highFirst ? 0 : 1] = std::uint8_t(v >> 8);
}

std::uint32_t Word565(Pixel p) {
    return std::uint32_t(RedOf(p) >> 3) << 11 | std::uint32_t(GreenOf(p) >> 2) << 5 | std::uint32_t(BlueOf(p) >> 3);
}

void PackColorRow(const Pixel* src, const Pixel* alpha, int width, DeviceLayout layout, std::uint8_t* dst) {
    for (int x = 0; x < width; ++x) {
        const Pixel p = src[x];
        switch (layout) {
            case L::Rgb565:
            case L::Rgb565A8:
                Put16(dst + 2 * x, Word565(p), false);
                break;
            case L::Rgb565Swapped:
                Put16(dst + 2 * x, Word565(p), true);
                break;
            case L::Rgb332:
                dst[x] = std::uint8_t((RedOf(p) >> 5) << 5 | (GreenOf(p) >> 5) << 2 | BlueOf(p) >> 6);
                break;
            case L::Rgb888:
                dst[3 * x] = BlueOf(p), dst[3 * x + 1] = GreenOf(p), dst[3 * x + 2] = RedOf(p);
                break;
            default:  // Xrgb8888, Argb8888
                dst[4 * x] = BlueOf(p), dst[4 * x + 1] = GreenOf(p), dst[4 * x + 2] = RedOf(p);
                dst[4 * x + 3] = alpha && layout == L::Argb8888 ? std::uint8_t(ValueOf(alpha[x])) : 0xFF;
                break;
        }
    }
}

// Each index's value in the layout: Mono takes white (index 1) as 1, Grey its level, Index the
// index; invert flips Mono bits and Grey levels.
std::array<std::uint8_t, 256> Values(const LayoutInfo& info, bool invert) {
    std::array<std::uint8_t, 256> v{};
    const int top = (1 << info.bits) - 1;
    for (int i = 0; i < 256; ++i) {
        const int own = i & top;
        v[std::size_t(i)] = std::uint8_t(invert && info.kind != K::Index ? top - own : own);
    }
    return v;
}

void PackColor(const MappedImage& image, DeviceLayout layout, PackedImage& out) {
    const LayoutInfo& info = InfoOf(layout);
    const Bitmap& pixels = *image.pixels;
    const std::size_t stride = Stride(pixels.Width(), info.bits);
    const std::size_t size = stride * std::size_t(pixels.Height());
    const bool alphaPlane = layout == L::Rgb565A8;
    out.bytes.assign(size + (alphaPlane ? std::size_t(pixels.Width()) * std::size_t(pixels.Height()) : 0), 0);
    out.planes.push_back({"", 0, size, int(stride), info.wordBytes});
    const Bitmap* alpha = image.alpha ? &*image.alpha : nullptr;
    for (int y = 0; y < pixels.Height(); ++y)
        PackColorRow(pixels.Row(y), alpha ? alpha->Row(y) : nullptr, pixels.Width(), layout,
                     out.bytes.data() + std::size_t(y) * stride);
    if (!alphaPlane) return;
    out.planes.push_back({"_alpha", size, out.bytes.size() - size, pixels.Width(), 1});
    std::uint8_t* a = out.bytes.data() + size;
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x) *a++ = alpha ? std::uint8_t(ValueOf(alpha->Row(y)[x])) : 0xFF;
}

void PackIndexes(const MappedImage& image, DeviceLayout layout, bool invert, PackedImage& out) {
    const LayoutInfo& info = InfoOf(layout);
    const IndexImage& idx = image.indexes;
    if (layout == L::MonoPages) {
        const std::size_t size = std::size_t(idx.width) * std::size_t((idx.height + 7) / 8);
        out.bytes.assign(size, 0);
        out.planes.push_back({"", 0, size, idx.width, 1});
        PackPages(idx, Values(info, invert), out.bytes.data());
        return;
    }
    const std::size_t stride = Stride(idx.width, info.bits);
    const std::size_t size = stride * std::size_t(idx.height);
    if (layout == L::Planes) {
        // Index 0 is black, 1 white, 2 the third ink: each plane's bit is 0 for its ink.
        std::array<std::uint8_t, 256> black{}, ink{};
        for (int i = 0; i < 256; ++i) {
            black[std::size_t(i)] = std::uint8_t((i != 0) != invert);
            ink[std::size_t(i)] = std::uint8_t((i != 2) != invert);
        }
        out.bytes.assign(2 * size, 0);
        out.planes.push_back({"_black", 0, size, int(stride), 1});
        out.planes.push_back({"_color", size, size, int(stride), 1});
        PackRows(idx, 1, black, false, out.bytes.data());
        PackRows(idx, 1, ink, false, out.bytes.data() + size);
        return;
    }
    out.bytes.assign(size, 0);
    out.planes.push_back({"", 0, size, int(stride), 1});
    PackRows(idx, info.bits, Values(info, invert), layout == L::MonoLsb, out.bytes.data());
}

}  // namespace

std::span<const LayoutInfo> DeviceLayouts() { return kLayouts; }

const LayoutInfo& InfoOf(DeviceLayout layout) { return kLayouts[std::size_t(layout)]; }

std::optional<DeviceLayout> LayoutByName(std::string_view name) {
    for (const LayoutInfo& l : kLayouts)
        if (l.name == name) return l.layout;
    return std::nullopt;
}

std::string LayoutNames() {
    std::string names;
    for (const LayoutInfo& l : kLayouts) names += (names.empty() ? "" : ", ") + std::string(l.name);
    return names;
}

PaletteColors LayoutPalette(DeviceLayout layout) {
    const LayoutInfo& info = InfoOf(layout);
    switch (info.kind) {
        case K::Mono: return BlackWhitePalette();
        case K::Grey: return GreyPalette(1 << info.bits);
        case K::Planes: return ThreeInkPalette(PixelFromRgb(255, 0, 0));
        case K::Index:
        case K::Color: break;
    }
    return {};
}

int IndexCapacity(DeviceLayout layout) {
    const LayoutInfo& info = InfoOf(layout);
    return info.kind == K::Index ? 1 << info.bits : 0;
}

std::optional<PackedImage> PackLayout(const MappedImage& image, DeviceLayout layout, bool invert) {
    PackedImage out;
    try {
        if (InfoOf(layout).kind == K::Color) {
            if (!image.pixels) return std::nullopt;
            out.width = image.pixels->Width(), out.height = image.pixels->Height();
            PackColor(image, layout, out);
        } else {
            out.width = image.indexes.width, out.height = image.indexes.height;
            PackIndexes(image, layout, invert, out);
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return out;
}

}  // namespace rastrix
