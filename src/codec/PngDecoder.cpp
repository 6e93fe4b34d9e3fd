#include "codec/PngDecoder.h"

#include <spng.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "codec/PictureConversion.h"
#include "raster/Bands.h"
#include "raster/RowQueue.h"

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
        dst[x] = p[3] == 255 ? PixelFromRgb(p[0], p[1], p[2]) : OnBackground(p[0], p[1], p[2], p[3], paper);
        if (alpha) alpha[x] = Pixel{p[3] * 0x010101u};
    }
}

void ConvertRow16(const std::uint8_t* rgba, Pixel* dst, int width, PassColumns c, Pixel paper, Pixel* alpha) {
    for (int x = c.first; x < width; x += c.step) {
        std::uint16_t v[4];
        std::memcpy(v, rgba + std::size_t(x) * 8, sizeof v);  // host order, as the decoder writes them
        const unsigned a = Narrow16(v[3]);
        dst[x] = OnBackground(Narrow16(v[0]), Narrow16(v[1]), Narrow16(v[2]), a, paper);
        if (alpha) alpha[x] = Pixel{a * 0x010101u};
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

// Bytes of filtered rows the picture's compressed data must expand to: every row of every
// Adam7 pass that has pixels, with its filter byte.
std::uint64_t RawBytes(const spng_ihdr& ihdr) {
    int channels = 1;
    switch (ihdr.color_type) {
        case SPNG_COLOR_TYPE_TRUECOLOR: channels = 3; break;
        case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA: channels = 2; break;
        case SPNG_COLOR_TYPE_TRUECOLOR_ALPHA: channels = 4; break;
        default: break;
    }
    const std::uint64_t bits = std::uint64_t(channels) * ihdr.bit_depth;
    const auto rows = [bits](std::uint64_t w, std::uint64_t h) { return w && h ? h * (1 + (w * bits + 7) / 8) : 0; };
    if (ihdr.interlace_method == 0) return rows(ihdr.width, ihdr.height);
    static constexpr int kStart[7][2] = {{0, 0}, {4, 0}, {0, 4}, {2, 0}, {0, 2}, {1, 0}, {0, 1}};
    static constexpr int kStep[7][2] = {{8, 8}, {8, 8}, {4, 8}, {4, 4}, {2, 4}, {2, 2}, {1, 2}};
    std::uint64_t total = 0;
    for (int p = 0; p < 7; ++p) {
        const auto count = [](std::uint64_t size, int start, int step) {
            return size > std::uint64_t(start) ? (size - std::uint64_t(start) + std::uint64_t(step) - 1) / std::uint64_t(step) : 0;
        };
        total += rows(count(ihdr.width, kStart[p][0], kStep[p][0]), count(ihdr.height, kStart[p][1], kStep[p][1]));
    }
    return total;
}

// The bytes of the IDAT chunks, walked from the chunk lengths (a chunk cut short counts what
// the file holds of it), until `enough` are counted: a real picture's file is then not walked to
// its end, which would bring every page of a large mapped file in before the first row.
std::uint64_t CompressedBytes(std::span<const std::uint8_t> bytes, std::uint64_t enough) {
    std::uint64_t total = 0;
    for (std::size_t at = sizeof kSignature; at + 8 <= bytes.size() && total < enough;) {
        const std::uint64_t length = std::uint64_t(bytes[at]) << 24 | std::uint64_t(bytes[at + 1]) << 16 |
                                     std::uint64_t(bytes[at + 2]) << 8 | bytes[at + 3];
        const std::uint64_t held = std::min<std::uint64_t>(length, bytes.size() - at - 8);
        if (std::memcmp(bytes.data() + at + 4, "IDAT", 4) == 0) total += held;
        if (std::memcmp(bytes.data() + at + 4, "IEND", 4) == 0 || held < length) break;
        at += std::size_t(length) + 12;
    }
    return total;
}

// Deflate expands data at most 1032 times; compressed data that could not fill the picture
// even so belongs to a damaged file or one made to claim memory.
constexpr std::uint64_t kDeflateMostExpansion = 1032;

BmpError DecodeError(int code) {
    return code == SPNG_ECHUNK_LIMITS ? BmpError::PngChunkLimits : BmpError::DamagedPng;
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

std::optional<PictureSize> PngHeaderSize(std::span<const std::uint8_t> bytes) {
    Context ctx(spng_ctx_new(0));
    if (!IsPng(bytes) || !ctx || spng_set_png_buffer(ctx.get(), bytes.data(), bytes.size()) != 0) return std::nullopt;
    spng_ihdr ihdr{};
    if (spng_get_ihdr(ctx.get(), &ihdr) != 0) return std::nullopt;
    return PictureSize{int(std::min<std::uint32_t>(ihdr.width, 1u << 30)), int(std::min<std::uint32_t>(ihdr.height, 1u << 30))};
}

namespace {

// The file's bytes handed to the decoder as it asks for them, so the caller can be told how far
// it has read.
struct ByteStream {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;

    static int Read(spng_ctx*, void* user, void* dest, std::size_t length) {
        auto* s = static_cast<ByteStream*>(user);
        if (length > s->bytes.size() - s->at) return SPNG_IO_EOF;
        std::memcpy(dest, s->bytes.data() + s->at, length);
        s->at += length;
        return 0;
    }
};

// Rows decoded with `overlapRows` wait in a queue of this many.
constexpr int kQueuedRows = 16;

// Decodes the rows in turn, each into the buffer `into` gives, then tells `done` of it; None, or
// why the rows stopped (the row that failed is not told).
template <class Into, class Done>
BmpError ReadRows(spng_ctx* ctx, const spng_ihdr& ihdr, std::size_t rowBytes, const Into& into, const Done& done) {
    for (;;) {
        spng_row_info info{};
        // An interlaced picture whose last pass has no pixels (one row high) ends here.
        const int where = spng_get_row_info(ctx, &info);
        if (where == SPNG_EOI) return BmpError::None;
        if (where != 0 || info.row_num >= ihdr.height) return BmpError::DamagedPng;
        const int e = spng_decode_row(ctx, into(), rowBytes);
        if (e != 0 && e != SPNG_EOI) return DecodeError(e);
        done(info);
        if (e == SPNG_EOI) return BmpError::None;
    }
}

// With a sink, a picture that is not interlaced is decoded into one row that goes to the sink
// as it is done; an interlaced one is decoded whole and handed out after.
BmpReadResult Decode(std::span<const std::uint8_t> bytes, const PictureOptions& options, PictureRowSink* sink,
                     const ReadFinished& finished) {
    if (!IsPng(bytes)) return Fail(BmpError::NotPicture);
    Context ctx(spng_ctx_new(0));
    if (!ctx) return Fail(BmpError::OutOfMemory);
    spng_set_image_limits(ctx.get(), kBmpMaxSide, kBmpMaxSide);
    spng_set_chunk_limits(ctx.get(), kChunkCacheLimit, kChunkCacheLimit);
    ByteStream stream{bytes};
    const int set = finished ? spng_set_png_stream(ctx.get(), &ByteStream::Read, &stream)
                             : spng_set_png_buffer(ctx.get(), bytes.data(), bytes.size());
    if (set != 0) return Fail(BmpError::DamagedPng);

    spng_ihdr ihdr{};
    if (int e = spng_get_ihdr(ctx.get(), &ihdr); e != 0) return Fail(HeaderError(e));
    const int width = int(ihdr.width), height = int(ihdr.height);
    if (std::int64_t(width) * height > kBmpMaxPixels) return Fail(BmpError::TooLarge);
    const std::uint64_t raw = RawBytes(ihdr);
    const std::uint64_t needed = std::max<std::uint64_t>(1, (raw + kDeflateMostExpansion - 1) / kDeflateMostExpansion);
    const std::uint64_t compressed = CompressedBytes(bytes, needed);
    if (compressed == 0) return Fail(BmpError::DamagedPng);  // no pixel data at all
    if (compressed * kDeflateMostExpansion < raw) return Fail(BmpError::PictureDataTooShort);

    const bool deep = ihdr.bit_depth == 16;
    const int format = deep ? SPNG_FMT_RGBA16 : SPNG_FMT_RGBA8;
    if (int e = spng_decode_image(ctx.get(), nullptr, 0, format, SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE); e != 0)
        return Fail(DecodeError(e));

    const bool streamed = sink && ihdr.interlace_method == 0;
    const int heldRows = streamed ? 1 : height;
    std::optional<Bitmap> bmp = Bitmap::TryCreate(width, heldRows, Bitmap::NewPixels::UnsetMappedAsWritten);
    const std::size_t rowBytes = std::size_t(width) * (deep ? 8 : 4);
    std::unique_ptr<std::uint8_t[]> row(new (std::nothrow) std::uint8_t[rowBytes]);
    if (!bmp || !row) return Fail(BmpError::OutOfMemory);
    const bool transparencyChunk = HasTransparencyChunk(ctx.get());
    std::optional<Bitmap> alpha;
    if (options.keepAlpha && (transparencyChunk || (ihdr.color_type & 4) != 0)) {
        alpha = Bitmap::TryCreate(width, heldRows, Bitmap::NewPixels::UnsetMappedAsWritten);
        if (!alpha) return Fail(BmpError::OutOfMemory);
    }
    if (streamed && !sink->Begin(width, height, alpha.has_value())) return Fail(BmpError::OutOfMemory);

    const auto convert = [&](const std::uint8_t* raw, PassColumns columns, int y) {
        Pixel* alphaRow = alpha ? alpha->Row(y) : nullptr;
        if (deep) ConvertRow16(raw, bmp->Row(y), width, columns, options.background, alphaRow);
        else ConvertRow8(raw, bmp->Row(y), width, columns, options.background, alphaRow);
        if (streamed) sink->Row(bmp->Row(y), alphaRow);
    };
    const auto told = [&] {
        if (finished) finished(stream.at);
    };
    BmpError failed = BmpError::None;
    // Overlapped, this thread decodes into the queue's slots while the helper converts the rows
    // already decoded and hands them to the sink, in the same order.
    const std::unique_ptr<RowQueue> queue =
        streamed && options.overlapRows && BandThreads() >= 2 ? RowQueue::Create(rowBytes, kQueuedRows) : nullptr;
    const bool overlapped = queue && RunBeside(
        [&] {
            while (const std::uint8_t* raw = queue->Take()) {
                convert(raw, {}, 0);
                queue->Taken();
            }
        },
        [&] {
            failed = ReadRows(ctx.get(), ihdr, rowBytes, [&] { return queue->Fill(); }, [&](const spng_row_info&) {
                queue->Filled();
                told();
            });
            queue->Close();
        });
    if (!overlapped)
        failed = ReadRows(ctx.get(), ihdr, rowBytes, [&] { return row.get(); }, [&](const spng_row_info& info) {
            convert(row.get(), ColumnsOf(ihdr, info.pass), streamed ? 0 : int(info.row_num));
            told();
        });
    if (failed != BmpError::None) return Fail(failed);
    // The chunks after the rows: the rest of the image data is checked (its checksums too). A
    // file that ends after its last image data, without its end chunk, has lost no pixel.
    if (int e = spng_decode_chunks(ctx.get()); e != 0 && e != SPNG_EOF && e != SPNG_IO_EOF)
        return Fail(DecodeError(e));
    if (sink && !streamed) {
        if (!sink->Begin(width, height, alpha.has_value())) return Fail(BmpError::OutOfMemory);
        for (int y = 0; y < height; ++y) sink->Row(bmp->Row(y), alpha ? alpha->Row(y) : nullptr);
    }
    if (sink) bmp = Bitmap(), alpha.reset();

    BmpImage image;
    image.bitDepth = DepthOf(ihdr, transparencyChunk);
    image.bitmap = std::move(*bmp);
    image.alpha = std::move(alpha);
    return {std::move(image), BmpError::None};
}

}  // namespace

BmpReadResult DecodePng(std::span<const std::uint8_t> bytes, const PictureOptions& options) {
    return Decode(bytes, options, nullptr, {});
}

BmpReadResult DecodePngRows(std::span<const std::uint8_t> bytes, const PictureOptions& options, PictureRowSink& sink,
                            const ReadFinished& finished) {
    return Decode(bytes, options, &sink, finished);
}

}  // namespace rastrix
