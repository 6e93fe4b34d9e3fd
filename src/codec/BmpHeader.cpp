#include "codec/BmpHeader.h"

#include <bit>
#include <cstdlib>

#include "codec/BmpBytes.h"
#include "codec/JpegMarkers.h"

namespace rastrix {

std::string_view BmpErrorMessage(BmpError error) {
    switch (error) {
        case BmpError::None: return "";
        case BmpError::NotBmp: return "The file is not a BMP file.";
        case BmpError::TruncatedHeader: return "The file ends inside its header.";
        case BmpError::UnknownHeader: return "The bitmap's header is of a kind this program does not read.";
        case BmpError::BadSize: return "The bitmap's width or height is not valid.";
        case BmpError::TooLarge:
            return "The bitmap is too large: this program opens at most 65535 pixels a side and "
                   "268,435,456 pixels in all.";
        case BmpError::BadPlanes: return "The bitmap's plane count is not valid.";
        case BmpError::BadBitCount: return "The bitmap's bit count is not valid.";
        case BmpError::UnsupportedCompression:
            return "The bitmap is compressed in a way this program does not read.";
        case BmpError::BadCompression: return "The bitmap's compression does not fit its bit count.";
        case BmpError::CompressedTopDown:
            return "The bitmap is compressed but stored top row first, which is not valid.";
        case BmpError::BadMasks: return "The bitmap's colour masks are not valid.";
        case BmpError::BadColorTable: return "The bitmap's colour table is missing or too large.";
        case BmpError::BadPixelOffset: return "The bitmap's pixel data offset is not valid.";
        case BmpError::TruncatedColorTable: return "The file ends inside its colour table.";
        case BmpError::NoPixelData: return "The file ends before its pixel data.";
        case BmpError::TruncatedPixels: return "The file ends before the end of its pixel data.";
        case BmpError::OutOfMemory: return "There is not enough memory to open the bitmap.";
        case BmpError::NotPicture: return "The file is not a BMP, PNG or JPEG file.";
        case BmpError::DamagedPng: return "The PNG picture is damaged or cut short.";
        case BmpError::DamagedJpeg: return "The JPEG picture is damaged or cut short.";
        case BmpError::UnsupportedJpeg:
            return "The JPEG picture's colours are of a kind this program does not read.";
        case BmpError::EmbeddedSizeMismatch:
            return "The bitmap's width or height differs from that of the picture stored in it.";
        case BmpError::PictureDataTooShort:
            return "The picture's data is far too short for the size its header claims: the file is damaged or "
                   "cut short.";
        case BmpError::JpegTooManyScans:
            return "The JPEG picture has more than 500 scans, far more than any real picture needs.";
        case BmpError::UnsupportedJpegPrecision:
            return "The JPEG picture has 12- or 16-bit samples, a kind this program does not read.";
        case BmpError::PngChunkLimits:
            return "The PNG picture holds more text or colour-profile data than this program reads.";
        case BmpError::JpegTooMuchScanWork:
            return "The JPEG picture's scans go over it more than 20 times, far more than any real picture needs.";
        case BmpError::JpegCoefficientsTooLarge:
            return "The JPEG picture is stored in several scans and would need more than 1 GiB of memory to "
                   "decode.";
    }
    return "The file cannot be read as a bitmap.";
}

static_assert(kBmpMaxSide == 65535 && kBmpMaxPixels == 268435456, "the TooLarge message states these limits");
static_assert(kJpegMaxScans == 500 && kJpegMaxScanPasses == 20 && kJpegMaxCoefficientBytes == std::uint64_t(1) << 30,
              "the JPEG messages state these limits");

namespace {

// Compression codes of the info header.
constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitFields = 3, kBiJpeg = 4, kBiPng = 5,
                        kBiAlphaBitFields = 6;
// The same codes 3 and 4 mean Huffman and 24-bit RLE in OS/2 2.x headers; neither is read.
constexpr std::uint32_t kOs2Huffman = 3, kOs2Rle24 = 4;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;

bool IsKnownHeaderSize(std::uint32_t size) {
    switch (size) {
        case 12:   // OS/2 1.x core header
        case 16:   // OS/2 2.x, shortened
        case 40:   // the common info header
        case 52:   // info header with colour masks
        case 56:   // ... and an alpha mask
        case 64:   // OS/2 2.x, full
        case 108:  // version 4
        case 124:  // version 5
            return true;
        default:
            return false;
    }
}

bool IsOs2Header(std::uint32_t size) { return size == 16 || size == 64; }

bool IsKnownBitCount(int bits) {
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Masks must be runs of set bits, apart from each other, inside a pixel of bitCount bits.
bool MasksAreValid(const std::array<std::uint32_t, 3>& masks, int bitCount) {
    const std::uint32_t pixelBits = bitCount == 32 ? 0xFFFFFFFFu : ((1u << bitCount) - 1);
    std::uint32_t seen = 0;
    for (std::uint32_t m : masks) {
        if ((m & ~pixelBits) != 0 || (m & seen) != 0) return false;
        if (m != 0) {
            const std::uint32_t run = m >> std::countr_zero(m);
            if ((run & (run + 1)) != 0) return false;  // a hole inside the mask
        }
        seen |= m;
    }
    return seen != 0;
}

struct RawHeader {
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t planes = 0;
    int bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
};

RawHeader ReadRawHeader(std::span<const std::uint8_t> b, std::uint32_t headerSize) {
    RawHeader h;
    h.headerSize = headerSize;
    if (headerSize == kCoreHeaderSize) {
        h.width = ReadU16(b, 18);
        h.height = ReadU16(b, 20);
        h.planes = ReadU16(b, 22);
        h.bitCount = ReadU16(b, 24);
        return h;
    }
    h.width = ReadI32(b, 18);
    h.height = ReadI32(b, 22);
    h.planes = ReadU16(b, 26);
    h.bitCount = ReadU16(b, 28);
    // The shortened OS/2 header stops here; the missing fields count as zero.
    if (headerSize >= 20) h.compression = ReadU32(b, 30);
    if (headerSize >= 36) h.colorsUsed = ReadU32(b, 46);
    return h;
}

BmpError CheckSizeAndFormat(const RawHeader& h, BmpLayout& out) {
    if (h.planes != 1) return BmpError::BadPlanes;
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) return BmpError::BadSize;
    const std::int64_t height = std::llabs(h.height);
    if (h.width > kBmpMaxSide || height > kBmpMaxSide || h.width * height > kBmpMaxPixels)
        return BmpError::TooLarge;
    // PNG or JPEG data carry their own pixel format; the bit count says nothing (it is 0).
    const bool embedded = !IsOs2Header(h.headerSize) && (h.compression == kBiJpeg || h.compression == kBiPng);
    if (!(embedded && h.bitCount == 0) && !IsKnownBitCount(h.bitCount)) return BmpError::BadBitCount;

    out.width = int(h.width);
    out.height = int(height);
    out.topDown = h.height < 0;
    out.bitCount = h.bitCount;

    if (IsOs2Header(h.headerSize) && (h.compression == kOs2Huffman || h.compression == kOs2Rle24))
        return BmpError::UnsupportedCompression;
    switch (h.compression) {
        case kBiRgb: out.compression = BmpCompression::None; break;
        case kBiRle8:
            if (h.bitCount != 8) return BmpError::BadCompression;
            out.compression = BmpCompression::Rle8;
            break;
        case kBiRle4:
            if (h.bitCount != 4) return BmpError::BadCompression;
            out.compression = BmpCompression::Rle4;
            break;
        case kBiJpeg:
        case kBiPng:
            if (h.bitCount != 0) return BmpError::BadCompression;
            out.compression = h.compression == kBiJpeg ? BmpCompression::Jpeg : BmpCompression::Png;
            break;
        case kBiBitFields:
        case kBiAlphaBitFields:
            if (h.bitCount != 16 && h.bitCount != 32) return BmpError::BadCompression;
            out.compression = BmpCompression::BitFields;
            break;
        default: return BmpError::UnsupportedCompression;
    }
    const bool runLength = out.compression == BmpCompression::Rle8 || out.compression == BmpCompression::Rle4;
    if (runLength && out.topDown) return BmpError::CompressedTopDown;
    return BmpError::None;
}

// Reads or defaults the colour masks; returns the bytes of masks stored after a 40-byte header.
BmpError ReadMasks(std::span<const std::uint8_t> b, const RawHeader& h, BmpLayout& out, std::size_t& extra) {
    extra = 0;
    if (out.bitCount != 16 && out.bitCount != 32) return BmpError::None;
    if (out.compression != BmpCompression::BitFields) {
        out.masks = out.bitCount == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                       : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
        return BmpError::None;
    }
    if (h.headerSize < 52) {
        // Masks follow the header: three, or four with an alpha mask we do not use.
        extra = h.compression == kBiAlphaBitFields ? 16 : 12;
        if (b.size() < kFileHeaderSize + h.headerSize + extra) return BmpError::TruncatedHeader;
    }
    out.masks = {ReadU32(b, 54), ReadU32(b, 58), ReadU32(b, 62)};
    return MasksAreValid(out.masks, out.bitCount) ? BmpError::None : BmpError::BadMasks;
}

}  // namespace

BmpLayoutResult ParseBmpLayout(std::span<const std::uint8_t> b) {
    if (b.size() < kFileHeaderSize || b[0] != 'B' || b[1] != 'M') return {std::nullopt, BmpError::NotBmp};
    if (b.size() < kFileHeaderSize + 4) return {std::nullopt, BmpError::TruncatedHeader};
    const std::uint32_t headerSize = ReadU32(b, 14);
    if (!IsKnownHeaderSize(headerSize)) return {std::nullopt, BmpError::UnknownHeader};
    if (b.size() < kFileHeaderSize + headerSize) return {std::nullopt, BmpError::TruncatedHeader};

    const RawHeader raw = ReadRawHeader(b, headerSize);
    BmpLayout layout;
    if (BmpError e = CheckSizeAndFormat(raw, layout); e != BmpError::None) return {std::nullopt, e};
    std::size_t maskBytes = 0;
    if (BmpError e = ReadMasks(b, raw, layout, maskBytes); e != BmpError::None) return {std::nullopt, e};

    layout.colorTableOffset = kFileHeaderSize + headerSize + maskBytes;
    layout.colorEntrySize = headerSize == kCoreHeaderSize ? 3 : 4;
    layout.pixelOffset = ReadU32(b, 10);
    if (layout.pixelOffset < layout.colorTableOffset) return {std::nullopt, BmpError::BadPixelOffset};

    if (layout.bitCount != 0 && layout.bitCount <= 8) {
        const std::size_t full = std::size_t(1) << layout.bitCount;
        if (raw.colorsUsed > full) return {std::nullopt, BmpError::BadColorTable};
        // Some writers declare a full table but store a shorter one before the pixels: use the
        // entries that fit between the headers and the pixel data.
        const std::size_t declared = raw.colorsUsed == 0 ? full : raw.colorsUsed;
        const std::size_t room = (layout.pixelOffset - layout.colorTableOffset) / layout.colorEntrySize;
        layout.colorCount = declared < room ? declared : room;
        if (layout.colorCount == 0) return {std::nullopt, BmpError::BadColorTable};
    }
    return {layout, BmpError::None};
}

BmpHeaderResult ReadBmpHeader(std::span<const std::uint8_t> fileStart) {
    const BmpLayoutResult r = ParseBmpLayout(fileStart);
    if (!r.layout) return {std::nullopt, r.error};
    const int depth = r.layout->bitCount == 0 ? 24 : r.layout->bitCount;
    return {BmpHeaderInfo{r.layout->width, r.layout->height, depth}, BmpError::None};
}

}  // namespace rastrix
