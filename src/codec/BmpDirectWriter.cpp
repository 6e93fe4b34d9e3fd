#include "codec/BmpDirectWriter.h"

#include <algorithm>
#include <cstring>

#include "store/FileOps.h"

namespace rastrix {

namespace {

void Put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

struct Masks {
    std::uint32_t red, green, blue, alpha;
};

Masks MasksOf(DirectDepth depth) {
    switch (depth) {
        case DirectDepth::Rgb565: return {0xF800u, 0x07E0u, 0x001Fu, 0};
        case DirectDepth::Rgb555: return {0x7C00u, 0x03E0u, 0x001Fu, 0};
        case DirectDepth::Bgra32: break;
    }
    return {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u};
}

constexpr std::uint32_t kPlainRgb = 0;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kSrgbSpace = 0x73524742u;  // 'sRGB'
constexpr std::uint32_t kIntentImages = 4;          // perceptual

void WriteHeader(std::uint8_t* out, DirectDepth depth, DirectForm form, int width, int height,
                 std::uint64_t imageBytes) {
    const std::uint64_t pixelOffset = PixelOffsetOf(form);
    std::fill(out, out + pixelOffset, std::uint8_t(0));
    out[0] = 'B';
    out[1] = 'M';
    Put32(out + 2, std::uint32_t(pixelOffset + imageBytes));
    Put32(out + 10, std::uint32_t(pixelOffset));
    Put32(out + 14, form == DirectForm::AlphaHeader ? 124 : 40);
    Put32(out + 18, std::uint32_t(width));
    Put32(out + 22, std::uint32_t(height));  // positive: bottom row first
    Put16(out + 26, 1);
    Put16(out + 28, std::uint32_t(DirectBitCount(depth)));
    Put32(out + 30, form == DirectForm::Plain ? kPlainRgb : kBitFields);
    Put32(out + 34, std::uint32_t(imageBytes));
    if (form == DirectForm::Plain) return;
    // After the 40-byte header: the red, green and blue masks; the larger header goes on with
    // the alpha mask, its colour space and rendering intent.
    const Masks m = MasksOf(depth);
    Put32(out + 54, m.red);
    Put32(out + 58, m.green);
    Put32(out + 62, m.blue);
    if (form == DirectForm::AlphaHeader) {
        Put32(out + 66, m.alpha);
        Put32(out + 70, kSrgbSpace);
        Put32(out + 122, kIntentImages);
    }
}

constexpr unsigned Narrow(unsigned v, unsigned levels) { return (v * levels + 127u) / 255u; }

void EncodeRow16(const Pixel* src, int width, bool green6, std::uint8_t* dst) {
    for (int x = 0; x < width; ++x, dst += 2) {
        const Pixel p = src[x];
        const unsigned r = Narrow(RedOf(p), 31), g = GreenOf(p), b = Narrow(BlueOf(p), 31);
        Put16(dst, green6 ? (r << 11) | (Narrow(g, 63) << 5) | b : (r << 10) | (Narrow(g, 31) << 5) | b);
    }
}

void EncodeRow32(const Pixel* src, const Pixel* alpha, int width, Pixel background, std::uint8_t* dst) {
    for (int x = 0; x < width; ++x, dst += 4) {
        const unsigned a = alpha ? ValueOf(alpha[x]) & 0xFFu : 255u;
        Put32(dst, (std::uint32_t(a) << 24) | (a == 255u ? ValueOf(src[x]) & 0x00FFFFFFu : ValueOf(OffBackground(src[x], a, background))));
    }
}

}  // namespace

bool AnyTransparent(const Bitmap& alpha) {
    for (int y = 0; y < alpha.Height(); ++y) {
        const Pixel* row = alpha.Row(y);
        for (int x = 0; x < alpha.Width(); ++x)
            if ((ValueOf(row[x]) & 0xFFu) != 0xFFu) return true;
    }
    return false;
}

int DirectBitCount(DirectDepth depth) { return depth == DirectDepth::Bgra32 ? 32 : 16; }

DirectForm DirectFormOf(DirectDepth depth, const Bitmap* alpha) {
    switch (depth) {
        case DirectDepth::Rgb565: return DirectForm::BitFields;
        case DirectDepth::Rgb555: return DirectForm::Plain;
        case DirectDepth::Bgra32: break;
    }
    return alpha && AnyTransparent(*alpha) ? DirectForm::AlphaHeader : DirectForm::Plain;
}

std::uint64_t PixelOffsetOf(DirectForm form) {
    switch (form) {
        case DirectForm::Plain: return kPlainPixelOffset;
        case DirectForm::BitFields: return kBitFieldsPixelOffset;
        case DirectForm::AlphaHeader: break;
    }
    return kAlphaHeaderPixelOffset;
}

Pixel OffBackground(Pixel laid, unsigned alpha, Pixel background) {
    if (alpha == 0) return ClearTopByte(background);
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        // laid = (c * a + paper * (255 - a)) / 255, solved for c and rounded.
        const int c = int((ValueOf(laid) >> shift) & 0xFFu), paper = int((ValueOf(background) >> shift) & 0xFFu);
        const int a = int(alpha);
        const int straight = (2 * (255 * c - paper * (255 - a)) + a) / (2 * a);
        out |= std::uint32_t(std::clamp(straight, 0, 255)) << shift;
    }
    return Pixel{out};
}

BmpFileBytes EncodeBmpDirect(const Bitmap& image, DirectDepth depth, const Bitmap* alpha, Pixel background,
                             std::vector<std::uint8_t>& buffer) {
    BmpFileBytes file;
    file.saveDepth = DirectBitCount(depth);
    const int w = std::max(image.Width(), 0), h = std::max(image.Height(), 0);
    const std::uint64_t stride = (std::uint64_t(w) * std::uint64_t(file.saveDepth / 8) + 3) / 4 * 4;
    if (alpha && (alpha->Width() != image.Width() || alpha->Height() != image.Height())) alpha = nullptr;
    const DirectForm form = DirectFormOf(depth, alpha);
    if (form != DirectForm::AlphaHeader) alpha = nullptr;  // every pixel opaque
    const std::uint64_t offset = PixelOffsetOf(form);
    file.size = offset + stride * std::uint64_t(h);
    file.status = file.size > 0xFFFFFFFFull ? EncodeStatus::TooLarge : SizeFileBuffer(buffer, file.size);
    if (file.status != EncodeStatus::Ok) return file;
    WriteHeader(buffer.data(), depth, form, w, h, stride * std::uint64_t(h));
    std::uint8_t* row = buffer.data() + offset;
    for (int y = h - 1; y >= 0; --y, row += stride) {
        const std::size_t used = std::size_t(w) * std::size_t(file.saveDepth / 8);
        if (depth == DirectDepth::Bgra32) EncodeRow32(image.Row(y), alpha ? alpha->Row(y) : nullptr, w, background, row);
        else EncodeRow16(image.Row(y), w, depth == DirectDepth::Rgb565, row);
        std::memset(row + used, 0, stride - used);
    }
    file.pieces = WholeBytes(buffer);
    return file;
}

}  // namespace rastrix
