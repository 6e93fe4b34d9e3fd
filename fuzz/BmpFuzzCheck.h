#pragma once
// What must hold for any bytes given to the BMP reader, shared by the fuzz target and the
// regression test that replays the inputs it once failed on. Memory faults are left to the
// sanitizers; this checks that the results agree with each other and with the limits.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "codec/BmpHeader.h"
#include "codec/BmpReader.h"

namespace rastrix::fuzz {

// A few bytes of run-length data may claim a bitmap of up to kBmpMaxPixels, which the reader
// rightly allocates; first touching a gigabyte takes seconds on a busy machine, which the fuzzer
// would report as a hang. Such inputs get the header checks only. (Uncompressed files must hold
// every row, so their cost follows their size and they are always decoded.)
inline constexpr std::int64_t kDecodedRunLengthPixelsMax = std::int64_t(1) << 22;

inline bool IsLargeRunLength(std::span<const std::uint8_t> bytes) {
    const BmpLayoutResult parsed = ParseBmpLayout(bytes);
    if (!parsed.layout) return false;
    const BmpLayout& l = *parsed.layout;
    return (l.compression == BmpCompression::Rle8 || l.compression == BmpCompression::Rle4) &&
           std::int64_t(l.width) * l.height > kDecodedRunLengthPixelsMax;
}

// Decoded pixels carry colour only, never a top byte.
inline std::string CheckNoTopBytes(const Bitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Pixel* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            if ((ValueOf(row[x]) & 0xFF000000u) != 0) return "a decoded pixel has a top byte";
    }
    return {};
}

// Empty when every rule holds, else what went wrong.
inline std::string CheckBmpInput(std::span<const std::uint8_t> bytes) {
    const BmpHeaderResult header = ReadBmpHeader(bytes);
    const BmpReadResult read = IsLargeRunLength(bytes) ? BmpReadResult{} : DecodeBmp(bytes);
    // The header reader promises to need only the start of the file.
    const BmpHeaderResult start = ReadBmpHeader(bytes.first(std::min(bytes.size(), kBmpHeaderReadBytes)));

    if (start.error != header.error || start.info.has_value() != header.info.has_value())
        return "the header reads differently from the file's start than from the whole file";
    if (header.info && (start.info->width != header.info->width || start.info->height != header.info->height ||
                        start.info->bitDepth != header.info->bitDepth))
        return "the header's size differs between the file's start and the whole file";

    if (!read.image) {
        if (IsLargeRunLength(bytes)) return header.info ? "" : "a run-length header is both accepted and refused";
        if (read.error == BmpError::None || read.Message().empty()) return "refused without a reason";
        if (!header.info && read.error != header.error) return "the header and the reader refuse for different reasons";
        return {};
    }
    if (read.error != BmpError::None) return "decoded, yet an error is reported";
    if (!header.info) return "decoded a file whose header is refused";

    const Bitmap& bitmap = read.image->bitmap;
    // A PNG or JPEG picture inside tells its depth only when decoded.
    const BmpLayoutResult parsed = ParseBmpLayout(bytes);
    const bool embedded = parsed.layout && (parsed.layout->compression == BmpCompression::Png ||
                                            parsed.layout->compression == BmpCompression::Jpeg);
    if (bitmap.Width() != header.info->width || bitmap.Height() != header.info->height ||
        (!embedded && read.image->bitDepth != header.info->bitDepth))
        return "the bitmap's size or depth differs from the header's";
    if (bitmap.Width() <= 0 || bitmap.Height() <= 0 || bitmap.Width() > kBmpMaxSide ||
        bitmap.Height() > kBmpMaxSide || std::int64_t(bitmap.Width()) * bitmap.Height() > kBmpMaxPixels)
        return "the bitmap's size is outside the limits";

    if (read.image->incomplete) {
        const BmpLayoutResult layout = ParseBmpLayout(bytes);
        if (!layout.layout || (layout.layout->compression != BmpCompression::Rle8 &&
                               layout.layout->compression != BmpCompression::Rle4))
            return "an uncompressed bitmap is marked incomplete";
    }

    return CheckNoTopBytes(bitmap);
}

}  // namespace rastrix::fuzz
