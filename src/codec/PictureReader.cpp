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
