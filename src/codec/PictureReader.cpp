#include "codec/PictureReader.h"

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

}  // namespace rastrix
