#pragma once
// What must hold for any bytes given to the JPEG marker pass (the checks made before the
// library decodes anything), the JPEG decoder and the EXIF orientation reader; shared by the
// fuzz target and the regression test that replays the inputs it once failed on. Memory
// faults are left to the sanitizers; this checks that the results agree with each other and
// with the limits.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "BmpFuzzCheck.h"
#include "codec/BmpHeader.h"
#include "codec/ExifOrientation.h"
#include "codec/JpegDecoder.h"
#include "codec/JpegMarkers.h"

namespace rastrix::fuzz {

// Decoding a claimed gigabyte takes seconds, which the fuzzer would report as a hang; larger
// pictures get the checks of their markers only. (The checks bound what they may cost.)
inline constexpr std::int64_t kDecodedJpegPixelsMax = std::int64_t(1) << 22;

// The figures of a prefix can only be those of the whole file cut short: no more of anything.
inline std::string CheckPrefix(const JpegOutline& part, const JpegOutline& whole) {
    if (part.scans > whole.scans || part.scanBlocks > whole.scanBlocks) return "a prefix holds more scans than the file";
    if (part.endFound && !whole.endFound) return "a prefix has an end the file has not";
    if (part.frameFound && (!whole.frameFound || part.width != whole.width || part.height != whole.height ||
                            part.frameBlocks != whole.frameBlocks))
        return "a prefix reads another frame than the file";
    return {};
}

// Empty when every rule holds, else what went wrong.
inline std::string CheckJpegInput(std::span<const std::uint8_t> bytes) {
    const int orientation = ReadExifOrientation(bytes);
    if (orientation < 1 || orientation > 8) return "an orientation outside 1..8";

    const JpegOutline o = ReadJpegOutline(bytes);
    if (std::string fault = CheckPrefix(ReadJpegOutline(bytes.first(bytes.size() / 2)), o); !fault.empty())
        return fault;
    if (o.frameFound && o.width > 0 && o.height > 0 && o.frameBlocks == 0) return "a frame without blocks";
    if (o.coefficientBytes != 0 && o.coefficientBytes < o.frameBlocks * 128)
        return "less coefficient memory than the blocks hold";
    if (o.firstScanMeasured && o.firstScanBlocks > o.scanBlocks) return "the first scan codes more than all scans";

    const bool large = std::int64_t(o.width) * o.height > kDecodedJpegPixelsMax;
    if (large) return {};
    const BmpReadResult read = DecodeJpeg(bytes);
    if (!read.image) {
        if (read.error == BmpError::None || read.Message().empty()) return "refused without a reason";
        return {};
    }
    // Decoded: every check made before the library passed.
    if (!IsJpeg(bytes) || !o.frameFound || !o.endFound) return "decoded without a frame header or an end";
    if (o.scans > kJpegMaxScans || JpegScansTooMuchWork(o) || JpegFirstScanTooShort(o) ||
        o.coefficientBytes > kJpegMaxCoefficientBytes)
        return "decoded although its scans or their memory are beyond the bounds";
    const Bitmap& bitmap = read.image->bitmap;
    if (bitmap.Width() != o.width || bitmap.Height() != o.height) return "the bitmap's size differs from the frame's";
    if (read.image->bitDepth != 8 && read.image->bitDepth != 24) return "a JPEG picture of neither 8 nor 24 bits";
    return CheckNoTopBytes(bitmap);
}

}  // namespace rastrix::fuzz
