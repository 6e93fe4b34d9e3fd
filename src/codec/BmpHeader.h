#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace rastrix {

// Why a BMP file cannot be opened. The caller shows the message in a box naming the file.
enum class BmpError {
    None,
    NotBmp,                  // no "BM" signature, or shorter than the file header
    TruncatedHeader,         // ends inside the info header or its colour masks
    UnknownHeader,           // info header of a size no writer uses
    BadSize,                 // width <= 0, height 0
    TooLarge,                // beyond kBmpMaxSide / kBmpMaxPixels
    BadPlanes,               // plane count other than 1
    BadBitCount,             // bit count we do not know
    UnsupportedCompression,  // OS/2 Huffman or 24-bit RLE, or an unknown code
    BadCompression,          // a compression that does not fit the bit count
    CompressedTopDown,       // run-length data cannot run top-down
    BadMasks,                // colour masks overlap, have holes or lie outside the pixel
    BadColorTable,          // colour table larger than the bit count allows, or missing
    BadPixelOffset,          // pixel data said to start inside the headers
    TruncatedColorTable,
    NoPixelData,             // the pixel offset lies at or past the end of the file
    TruncatedPixels,         // uncompressed rows cut short
    OutOfMemory,
    // Pictures stored as PNG or JPEG data, in a file of their own or inside a bitmap.
    NotPicture,              // neither a BMP, a PNG nor a JPEG signature
    DamagedPng,              // the PNG data is damaged or ends early
    DamagedJpeg,             // the JPEG data is damaged or ends early
    UnsupportedJpeg,         // JPEG data in CMYK colours or another kind we cannot turn into RGB
    EmbeddedSizeMismatch,    // the bitmap's header and the picture inside it differ in size
    PictureDataTooShort,     // far too little data for the size the picture's header claims
    JpegTooManyScans,        // more scans than kJpegMaxScans
    UnsupportedJpegPrecision,  // 12- or 16-bit JPEG samples
    PngChunkLimits,          // more text or colour-profile chunks than the reader keeps
    JpegTooMuchScanWork,     // scans that pass over the picture more than kJpegMaxScanPasses times
    JpegCoefficientsTooLarge,  // several scans whose coefficients need more than kJpegMaxCoefficientBytes
};

std::string_view BmpErrorMessage(BmpError error);

// Largest bitmap we open: 65535 pixels a side and 2^28 pixels (1 GiB of 32-bit pixels) in all,
// for example 16384 x 16384. A header claiming more is refused before anything is allocated.
// These bound everything reading a BMP file allocates: the file itself, read whole up to
// kMaxReadableFileBytes (FileRead.h, derived from these), the bitmap of 4 bytes a pixel, and
// for 16-bit files a 256 KiB table. An uncompressed file must hold all its rows before the
// bitmap is allocated; run-length data may be short, so a small file can still claim (and get)
// the largest bitmap.
inline constexpr int kBmpMaxSide = 65535;
inline constexpr std::int64_t kBmpMaxPixels = std::int64_t(1) << 28;

// Bytes that hold every kind of header: the 14-byte file header and the largest (124-byte) info
// header; colour masks after a 40-byte header end before that (14 + 40 + 16).
inline constexpr std::size_t kBmpHeaderReadBytes = 14 + 124;

enum class BmpCompression { None, Rle8, Rle4, BitFields, Jpeg, Png };

// Everything the headers say about where and how the pixels are stored, after checking.
struct BmpLayout {
    int width = 0;
    int height = 0;             // always positive
    bool topDown = false;       // first stored row is the top row
    int bitCount = 0;           // 1, 2, 4, 8, 16, 24 or 32; 0 when the pixels are PNG or JPEG data
    BmpCompression compression = BmpCompression::None;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue; used for 16 and 32 bits
    std::size_t colorTableOffset = 0;
    std::size_t colorEntrySize = 4;       // 3 for the old OS/2 header
    std::size_t colorCount = 0;           // entries the header declares (0 above 8 bits)
    std::size_t pixelOffset = 0;           // from the file header
};

struct BmpLayoutResult {
    std::optional<BmpLayout> layout;
    BmpError error = BmpError::None;
};

// Reads and checks the file and info headers (and the colour masks). Needs only the first
// kBmpHeaderReadBytes of the file, so it also serves callers that read just the start of a file;
// it does not look at the colour table or the pixels.
BmpLayoutResult ParseBmpLayout(std::span<const std::uint8_t> bytes);

// Size and bit depth shown before a file is opened (the join dialog).
struct BmpHeaderInfo {
    int width = 0;
    int height = 0;
    int bitDepth = 0;  // a PNG or JPEG picture inside counts as 24 until it is decoded
};

struct BmpHeaderResult {
    std::optional<BmpHeaderInfo> info;
    BmpError error = BmpError::None;
    std::string_view Message() const { return BmpErrorMessage(error); }
};

BmpHeaderResult ReadBmpHeader(std::span<const std::uint8_t> fileStart);

}  // namespace rastrix
