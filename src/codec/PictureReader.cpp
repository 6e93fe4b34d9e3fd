#include "codec/PictureReader.h"

#include <algorithm>

#include "codec/ExifOrientation.h"
#include "codec/JpegDecoder.h"
#include "codec/PngDecoder.h"

namespace rastrix {

BmpReadResult DecodePicture(std::span<const std::uint8_t> bytes, const ReadFinished& finished) {
    return DecodePicture(bytes, PictureOptions{}, finished);
}

BmpReadResult DecodePicture(std::span<const std::uint8_t> bytes, const PictureOptions& options,
                            const ReadFinished& finished) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return DecodeBmp(bytes, finished);
    if (IsPng(bytes)) return DecodePng(bytes, options);
    if (IsJpeg(bytes)) return DecodeJpeg(bytes, options);
    return {std::nullopt, BmpError::NotPicture};
}

BmpReadResult DecodeUpright(std::span<const std::uint8_t> bytes, int orientation, const PictureOptions& options,
                            const ReadFinished& finished) {
    if (const std::optional<Turn> turn = SideSwappingTurn(orientation); turn && IsJpeg(bytes))
        return DecodeJpegTurned(bytes, *turn, options);
    BmpReadResult r = DecodePicture(bytes, options, finished);
    if (r.image && !TurnUpright(r.image->bitmap, orientation)) return {std::nullopt, BmpError::OutOfMemory};
    return r;
}

namespace {

// Whether the bytes begin as `signature` does, as far as they go.
bool StartsAs(std::span<const std::uint8_t> first, std::span<const std::uint8_t> signature) {
    const std::size_t n = std::min(first.size(), signature.size());
    return std::equal(first.begin(), first.begin() + std::ptrdiff_t(n), signature.begin());
}

constexpr std::uint8_t kBmpSignature[] = {'B', 'M'};
constexpr std::uint8_t kJpegSignature[] = {0xFF, 0xD8, 0xFF};
// The PNG signature, then the first chunk, which must be the 13-byte header.
constexpr std::uint8_t kPngStart[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
constexpr std::size_t kPngSignatureBytes = 8;

}  // namespace

BmpError PictureStartError(std::span<const std::uint8_t> first, bool whole) {
    if (first.size() >= 2 && StartsAs(first, kBmpSignature)) {
        // The header alone decides these errors, so its bytes are enough.
        if (first.size() < kBmpHeaderReadBytes) return BmpError::None;
        return ReadBmpHeader(first.first(kBmpHeaderReadBytes)).error;
    }
    if (first.size() >= kPngSignatureBytes && StartsAs(first.first(kPngSignatureBytes), kPngStart))
        return StartsAs(first, kPngStart) ? BmpError::None : BmpError::DamagedPng;
    if (first.size() >= 3 && StartsAs(first, kJpegSignature)) {
        // Fill bytes, a marker of the frame's family, or one the decoder passes over.
        const bool marker = first.size() < 4 || first[3] == 0x01 || first[3] >= 0xC0;
        return marker ? BmpError::None : BmpError::DamagedJpeg;
    }
    if (!whole && first.size() < kPngSignatureBytes &&
        (StartsAs(first, kBmpSignature) || StartsAs(first, kPngStart) || StartsAs(first, kJpegSignature)))
        return BmpError::None;  // too few bytes to tell yet
    return BmpError::NotPicture;
}

std::string_view PictureErrorMessage(std::span<const std::uint8_t> bytes, BmpError error) {
    if (IsPng(bytes) || IsJpeg(bytes)) {
        if (error == BmpError::TooLarge)
            return "The picture is too large: this program opens at most 65535 pixels a side and 268,435,456 "
                   "pixels in all.";
        if (error == BmpError::OutOfMemory) return "There is not enough memory to open the picture.";
    }
    return BmpErrorMessage(error);
}

}  // namespace rastrix
