#include "codec/PngDecoder.h"

#include <spng.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "codec/PictureConversion.h"

namespace rastrix {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Ancillary chunks (text, colour profiles) are kept in memory while the file is read; a picture
// needs none of them, so a file that claims many megabytes of them is refused.
constexpr std::size_t kChunkCacheLimit = std::size_t(64) << 20;

struct ContextDeleter {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};
using Context = std::unique_ptr<spng_ctx, ContextDeleter>;

BmpReadResult Fail(BmpError e) { return {std::nullopt, e}; }

// Where Adam7 puts a pass's pixels in a row: the first column and the step; a picture that is
// not interlaced has one pass of every pixel.
struct PassColumns {
    int first = 0;
    int step = 1;
};

PassColumns ColumnsOf(const spng_ihdr& ihdr, int pass) {
    static constexpr PassColumns kAdam7[7] = {{0, 8}, {4, 8}, {0, 4}, {2, 4}, {0, 2}, {1, 2}, {0, 1}};
    if (ihdr.interlace_method == 0 || pass < 0 || pass > 6) return {};
    return kAdam7[pass];
}

// The decoder hands out RGBA rows of 8 or 16 bits a channel; only the pass's columns are new.
// The alpha, when kept, goes to `alpha` in each of a pixel's three bytes.
void ConvertRow8(const std::uint8_t* rgba, Pixel* dst, int width, PassColumns c, Pixel paper, Pixel* alpha) {
    for (int x = c.first; x < width; x += c.step) {
        const std::uint8_t* p = rgba + std::size_t(x) * 4;
        dst[x] = p[3] == 255 ? (Pixel(p[0]) << 16) | (Pixel(p[1]) << 8) | p[2] : OnBackground(p[0], p[1], p[2], p[3], paper);
        if (alpha) alpha[x] = Pixel(p[3]) * 0x010101u;
    }
}

void ConvertRow16(const std::uint8_t* rgba, Pixel* dst, int width, PassColumns c, Pixel paper, Pixel* alpha) {
    for (int x = c.first; x < width; x += c.step) {
        std::uint16_t v[4];
        std::memcpy(v, rgba + std::size_t(x) * 8, sizeof v);  // host order, as the decoder writes them
        const unsigned a = Narrow16(v[3]);
        dst[x] = OnBackground(Narrow16(v[0]), Narrow16(v[1]), Narrow16(v[2]), a, paper);
        if (alpha) alpha[x] = Pixel(a) * 0x010101u;
    }
}

bool HasTransparencyChunk(spng_ctx* ctx) {
    spng_trns trns;
    return spng_get_trns(ctx, &trns) == 0;
}

// The depth the picture counts as (PictureBitDepth): palette and grey pictures by their sample
// depth, colour pictures by their channels.
int DepthOf(const spng_ihdr& ihdr, bool transparencyChunk) {
    const int bits = ihdr.bit_depth;
    switch (ihdr.color_type) {
        case SPNG_COLOR_TYPE_INDEXED: return PictureBitDepth(bits, false);
        case SPNG_COLOR_TYPE_GRAYSCALE: return PictureBitDepth(transparencyChunk ? 2 * bits : bits, transparencyChunk);
        case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA: return PictureBitDepth(2 * bits, true);
        case SPNG_COLOR_TYPE_TRUECOLOR: return PictureBitDepth(3 * bits, transparencyChunk);
        default: return PictureBitDepth(4 * bits, true);
    }
}

BmpError HeaderError(int code) {
    switch (code) {
        case SPNG_ESIGNATURE: return BmpError::NotPicture;
        case SPNG_EWIDTH:
        case SPNG_EHEIGHT:
        case SPNG_EUSER_WIDTH:
        case SPNG_EUSER_HEIGHT: return BmpError::TooLarge;
        default: return BmpError::DamagedPng;
    }
}

}  // namespace

bool IsPng(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= sizeof kSignature && std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

BmpReadResult DecodePng(std::span<const std::uint8_t> bytes, const PictureOptions& options) {
    if (!IsPng(bytes)) return Fail(BmpError::NotPicture);
    Context ctx(spng_ctx_new(0));
    if (!ctx) return Fail(BmpError::OutOfMemory);
    spng_set_image_limits(ctx.get(), kBmpMaxSide, kBmpMaxSide);
    spng_set_chunk_limits(ctx.get(), kChunkCacheLimit, kChunkCacheLimit);
    if (spng_set_png_buffer(ctx.get(), bytes.data(), bytes.size()) != 0) return Fail(BmpError::DamagedPng);

    spng_ihdr ihdr{};
    if (int e = spng_get_ihdr(ctx.get(), &ihdr); e != 0) return Fail(HeaderError(e));
    const int width = int(ihdr.width), height = int(ihdr.height);
    if (std::int64_t(width) * height > kBmpMaxPixels) return Fail(BmpError::TooLarge);

    const bool deep = ihdr.bit_depth == 16;
    const int format = deep ? SPNG_FMT_RGBA16 : SPNG_FMT_RGBA8;
    if (spng_decode_image(ctx.get(), nullptr, 0, format, SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE) != 0)
        return Fail(BmpError::DamagedPng);

    std::optional<Bitmap> bmp = Bitmap::TryCreate(width, height, Bitmap::NewPixels::Unset);
    const std::size_t rowBytes = std::size_t(width) * (deep ? 8 : 4);
    std::unique_ptr<std::uint8_t[]> row(new (std::nothrow) std::uint8_t[rowBytes]);
    if (!bmp || !row) return Fail(BmpError::OutOfMemory);
    const bool transparencyChunk = HasTransparencyChunk(ctx.get());
    std::optional<Bitmap> alpha;
    if (options.keepAlpha && (transparencyChunk || (ihdr.color_type & 4) != 0)) {
        alpha = Bitmap::TryCreate(width, height, Bitmap::NewPixels::Unset);
        if (!alpha) return Fail(BmpError::OutOfMemory);
    }

    for (;;) {
        spng_row_info info{};
        if (spng_get_row_info(ctx.get(), &info) != 0 || info.row_num >= ihdr.height) return Fail(BmpError::DamagedPng);
        const int e = spng_decode_row(ctx.get(), row.get(), rowBytes);
        if (e != 0 && e != SPNG_EOI) return Fail(BmpError::DamagedPng);
        const PassColumns columns = ColumnsOf(ihdr, info.pass);
        const int y = int(info.row_num);
        Pixel* alphaRow = alpha ? alpha->Row(y) : nullptr;
        if (deep) ConvertRow16(row.get(), bmp->Row(y), width, columns, options.background, alphaRow);
        else ConvertRow8(row.get(), bmp->Row(y), width, columns, options.background, alphaRow);
        if (e == SPNG_EOI) break;
    }

    BmpImage image;
    image.bitDepth = DepthOf(ihdr, transparencyChunk);
    image.bitmap = std::move(*bmp);
    image.alpha = std::move(alpha);
    return {std::move(image), BmpError::None};
}

}  // namespace rastrix
