#include "codec/BmpReader.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <new>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <tmmintrin.h>
#endif

#include "codec/BmpBytes.h"
#include "codec/BmpRle.h"
#include "codec/JpegDecoder.h"
#include "codec/PngDecoder.h"
#include "raster/Bands.h"

namespace rastrix {

namespace {

BmpReadResult Fail(BmpError e) { return {std::nullopt, e}; }

// Colour table entries are blue, green, red (and a reserved byte unless the header is OS/2 1.x).
BmpError ReadPalette(std::span<const std::uint8_t> b, const BmpLayout& l, BmpPalette& palette) {
    palette.fill(Pixel{0});
    if (l.bitCount > 8) return BmpError::None;
    const std::size_t end = l.colorTableOffset + l.colorCount * l.colorEntrySize;
    if (end > b.size()) return BmpError::TruncatedColorTable;
    for (std::size_t i = 0; i < l.colorCount; ++i) {
        const std::uint8_t* e = b.data() + l.colorTableOffset + i * l.colorEntrySize;
        palette[i] = PixelFromRgb(e[2], e[1], e[0]);
    }
    return BmpError::None;
}

std::uint32_t Load32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

std::uint64_t Load64(const std::uint8_t* p) { return Load32(p) | (std::uint64_t(Load32(p + 4)) << 32); }

// Two pixels from one word (the compiler makes it a single store).
void StorePair(Pixel* dst, std::uint64_t lowThenHigh) {
    dst[0] = Pixel(lowThenHigh);
    dst[1] = Pixel(lowThenHigh >> 32);
}

// Packed colour indexes of Bits bits, leftmost pixel in the high bits of each byte.
template <int Bits>
void IndexedRow(const std::uint8_t* src, Pixel* dst, int width, const Pixel* palette) {
    constexpr int perByte = 8 / Bits;
    constexpr unsigned mask = (1u << Bits) - 1;
    int x = 0;
    for (; x + perByte <= width; x += perByte) {
        const unsigned byte = *src++;
        for (int k = 0; k < perByte; ++k) dst[x + k] = palette[(byte >> (8 - Bits * (k + 1))) & mask];
    }
    if (x < width) {
        const unsigned byte = *src;
        for (int k = 0; x < width; ++k, ++x) dst[x] = palette[(byte >> (8 - Bits * (k + 1))) & mask];
    }
}

// One byte per pixel: eight indexes are fetched with one load.
template <>
void IndexedRow<8>(const std::uint8_t* src, Pixel* dst, int width, const Pixel* palette) {
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const std::uint64_t v = Load64(src + x);
        for (int k = 0; k < 8; ++k) dst[x + k] = palette[(v >> (8 * k)) & 0xFF];
    }
    for (; x < width; ++x) dst[x] = palette[src[x]];
}

// Blue, green, red bytes: the same order as a pixel word's low three bytes. Four pixels are
// twelve bytes, loaded as two words and cut apart with shifts.
void Row24(const std::uint8_t* src, Pixel* dst, int width) {
    int x = 0;
    for (; x + 4 <= width; x += 4, src += 12) {
        const std::uint64_t a = Load64(src);
        const std::uint64_t b = Load32(src + 8);
        const std::uint64_t p0 = a & 0xFFFFFF, p1 = (a >> 24) & 0xFFFFFF;
        const std::uint64_t p2 = ((a >> 48) | (b << 16)) & 0xFFFFFF, p3 = b >> 8;
        StorePair(dst + x, p0 | (p1 << 32));
        StorePair(dst + x + 2, p2 | (p3 << 32));
    }
    for (; x < width; ++x, src += 3) dst[x] = PixelFromRgb(src[2], src[1], src[0]);
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define RASTRIX_HAVE_SSSE3_ROWS 1
// The same with one byte shuffle per four pixels, on processors that have it. A 16-byte load
// takes 5 1/3 pixels, so the loop stops while two pixels remain and the plain loop ends the row.
__attribute__((target("ssse3"))) void Row24Shuffled(const std::uint8_t* src, Pixel* dst, int width) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    int x = 0;
    for (; x + 6 <= width; x += 4, src += 12) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), _mm_shuffle_epi8(v, spread));
    }
    Row24(src, dst + x, width - x);
}
#endif

using Row24Function = void (*)(const std::uint8_t*, Pixel*, int);

Row24Function ChooseRow24() {
#ifdef RASTRIX_HAVE_SSSE3_ROWS
    if (__builtin_cpu_supports("ssse3")) return Row24Shuffled;
#endif
    return Row24;
}

// 32-bit pixels with the usual 8-bit red, green and blue; the top byte is dropped.
void Row32(const std::uint8_t* src, Pixel* dst, int width) {
    for (int x = 0; x < width; ++x, src += 4) dst[x] = Pixel{Load32(src) & 0x00FFFFFFu};
}

// One colour channel of a masked pixel, widened to 8 bits by v * 255 / max, rounded.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;
    std::uint8_t table[256] = {};  // used when the channel is 8 bits or narrower

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0) return;  // an absent channel reads as 0
        shift = std::countr_zero(m);
        max = m >> shift;
        for (std::uint32_t v = 0; v <= max && v < 256; ++v) table[v] = std::uint8_t((v * 255 + max / 2) / max);
    }
    std::uint32_t Expand(std::uint32_t pixel) const {
        const std::uint32_t v = (pixel & mask) >> shift;
        if (max <= 255) return table[v];
        return std::uint32_t((std::uint64_t(v) * 255 + max / 2) / max);
    }
};

struct MaskedFormat {
    Channel red, green, blue;
    explicit MaskedFormat(const std::array<std::uint32_t, 3>& m) : red(m[0]), green(m[1]), blue(m[2]) {}
    Pixel Convert(std::uint32_t v) const { return Pixel{(red.Expand(v) << 16) | (green.Expand(v) << 8) | blue.Expand(v)}; }
};

void Row32Masked(const std::uint8_t* src, Pixel* dst, int width, const MaskedFormat& f) {
    for (int x = 0; x < width; ++x, src += 4) dst[x] = f.Convert(Load32(src));
}

// Every 16-bit value maps through one table, so the row loop is a lookup per pixel.
void Row16(const std::uint8_t* src, Pixel* dst, int width, const Pixel* table) {
    for (int x = 0; x < width; ++x, src += 2) dst[x] = table[src[0] | (src[1] << 8)];
}

std::unique_ptr<Pixel[]> Build16BitTable(const std::array<std::uint32_t, 3>& masks) {
    std::unique_ptr<Pixel[]> table(new (std::nothrow) Pixel[65536]);
    if (!table) return table;
    const MaskedFormat f(masks);
    for (std::uint32_t v = 0; v < 65536; ++v) table[v] = f.Convert(v);
    return table;
}

// Row pointers into the bitmap in the order the file stores them.
Pixel* DestinationRow(Bitmap& bmp, const BmpLayout& l, int stored) {
    return bmp.Row(l.topDown ? stored : l.height - 1 - stored);
}

// Rows are padded to whole 32-bit words.
std::uint64_t RowStride(const BmpLayout& l) {
    return (std::uint64_t(l.width) * std::uint64_t(l.bitCount) + 31) / 32 * 4;
}

// The last row's padding is not needed; some writers leave it out.
std::uint64_t UncompressedBytesNeeded(const BmpLayout& l) {
    return RowStride(l) * std::uint64_t(l.height - 1) + (std::uint64_t(l.width) * std::uint64_t(l.bitCount) + 7) / 8;
}

// The caller has checked that UncompressedBytesNeeded bytes follow the pixel offset.
BmpError DecodeUncompressed(std::span<const std::uint8_t> b, const BmpLayout& l, const BmpPalette& palette,
                            Bitmap& bmp, const ReadFinished& finished) {
    const std::uint64_t stride = RowStride(l);
    const std::uint8_t* data = b.data() + l.pixelOffset;
    const std::array<std::uint32_t, 3> standard32{0xFF0000, 0x00FF00, 0x0000FF};
    const Row24Function row24 = ChooseRow24();
    std::unique_ptr<Pixel[]> table16;
    std::optional<MaskedFormat> masked32;
    if (l.bitCount == 16) {
        table16 = Build16BitTable(l.masks);
        if (!table16) return BmpError::OutOfMemory;
    } else if (l.bitCount == 32 && l.masks != standard32) {
        masked32.emplace(l.masks);
    }

    const auto decodeRows = [&](int first, int last) {
        for (int i = first; i < last; ++i) {
            const std::uint8_t* src = data + std::size_t(i) * stride;
            Pixel* dst = DestinationRow(bmp, l, i);
            switch (l.bitCount) {
                case 1: IndexedRow<1>(src, dst, l.width, palette.data()); break;
                case 2: IndexedRow<2>(src, dst, l.width, palette.data()); break;
                case 4: IndexedRow<4>(src, dst, l.width, palette.data()); break;
                case 8: IndexedRow<8>(src, dst, l.width, palette.data()); break;
                case 16: Row16(src, dst, l.width, table16.get()); break;
                case 24: row24(src, dst, l.width); break;
                default:
                    if (masked32) Row32Masked(src, dst, l.width, *masked32);
                    else Row32(src, dst, l.width);
                    break;
            }
        }
    };
    if (!finished) {
        // Rows are independent: in bands across the cores.
        ForEachBand(l.height, 1, BandItems(l.width), decodeRows);
        return BmpError::None;
    }
    // In file order on this thread, telling `finished` after about every 8 MB of the file.
    const int rowsPerReport = int(std::clamp<std::uint64_t>((std::uint64_t(8) << 20) / stride, 1, std::uint64_t(l.height)));
    for (int i = 0; i < l.height; i += rowsPerReport) {
        if (i > 0) finished(l.pixelOffset + std::size_t(i) * stride);
        decodeRows(i, std::min(i + rowsPerReport, l.height));
    }
    return BmpError::None;
}

// Pixels stored as a whole PNG or JPEG file after the headers. The picture must have the size
// the header gives (compared with the picture's own header first, so a picture of another
// size is never decoded); it decides the depth.
BmpReadResult DecodeEmbedded(std::span<const std::uint8_t> b, const BmpLayout& l) {
    const std::span<const std::uint8_t> data = b.subspan(l.pixelOffset);
    const bool png = l.compression == BmpCompression::Png;
    if (const auto size = png ? PngHeaderSize(data) : JpegHeaderSize(data);
        size && (size->width != l.width || size->height != l.height))
        return Fail(BmpError::EmbeddedSizeMismatch);
    BmpReadResult r = l.compression == BmpCompression::Png ? DecodePng(data) : DecodeJpeg(data);
    if (r.error == BmpError::NotPicture)
        r.error = l.compression == BmpCompression::Png ? BmpError::DamagedPng : BmpError::DamagedJpeg;
    if (r.image && (r.image->bitmap.Width() != l.width || r.image->bitmap.Height() != l.height))
        return Fail(BmpError::EmbeddedSizeMismatch);
    return r;
}

}  // namespace

BmpReadResult DecodeBmp(std::span<const std::uint8_t> bytes, const ReadFinished& finished) {
    const BmpLayoutResult parsed = ParseBmpLayout(bytes);
    if (!parsed.layout) return Fail(parsed.error);
    const BmpLayout& l = *parsed.layout;
    if (l.compression == BmpCompression::Png || l.compression == BmpCompression::Jpeg) {
        if (l.pixelOffset >= bytes.size()) return Fail(BmpError::NoPixelData);
        return DecodeEmbedded(bytes, l);
    }

    BmpPalette palette;
    if (BmpError e = ReadPalette(bytes, l, palette); e != BmpError::None) return Fail(e);
    if (l.pixelOffset >= bytes.size()) return Fail(BmpError::NoPixelData);

    const bool runLength = l.compression == BmpCompression::Rle8 || l.compression == BmpCompression::Rle4;
    // Before the allocation, so a short file claiming a huge bitmap costs nothing.
    if (!runLength && UncompressedBytesNeeded(l) > bytes.size() - l.pixelOffset) return Fail(BmpError::TruncatedPixels);

    // Uncompressed rows write every pixel; run-length data may skip some, which stay black.
    std::optional<Bitmap> bmp =
        Bitmap::TryCreate(l.width, l.height, runLength ? Bitmap::NewPixels::Black : Bitmap::NewPixels::Unset);
    if (!bmp) return Fail(BmpError::OutOfMemory);

    BmpImage image;
    image.bitDepth = l.bitCount;
    if (runLength) {
        const bool fourBit = l.compression == BmpCompression::Rle4;
        image.incomplete = !DecodeRle(bytes.subspan(l.pixelOffset), fourBit, palette, *bmp);
    } else if (BmpError e = DecodeUncompressed(bytes, l, palette, *bmp, finished); e != BmpError::None) {
        return Fail(e);
    }
    image.bitmap = std::move(*bmp);
    return {std::move(image), BmpError::None};
}

}  // namespace rastrix
