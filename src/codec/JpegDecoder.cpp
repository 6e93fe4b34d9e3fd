#include "codec/JpegDecoder.h"

#include <turbojpeg.h>

#include <bit>
#include <memory>

#include "codec/JpegMarkers.h"
#include "codec/PictureConversion.h"

namespace rastrix {

namespace {

struct HandleDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleDeleter>;

BmpReadResult Fail(BmpError e) { return {std::nullopt, e}; }

// The library reports its errors as return values (its own jumps stay inside it); a warning
// means the picture came out damaged, so it stops at the first one.
constexpr int kDecodeFlags = TJFLAG_ACCURATEDCT | TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS;

}  // namespace

bool IsJpeg(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

std::optional<PictureSize> JpegHeaderSize(std::span<const std::uint8_t> bytes) {
    if (!IsJpeg(bytes)) return std::nullopt;
    const JpegOutline outline = ReadJpegOutline(bytes);
    if (!outline.frameFound) return std::nullopt;
    return PictureSize{outline.width, outline.height};
}

BmpReadResult DecodeJpeg(std::span<const std::uint8_t> bytes) {
    if (!IsJpeg(bytes)) return Fail(BmpError::NotPicture);
    // What the markers claim is checked before the library sees the file: it would take the
    // picture's memory first, and pass over every scan before counting them.
    const JpegOutline outline = ReadJpegOutline(bytes);
    if (!outline.frameFound) return Fail(BmpError::DamagedJpeg);
    if (outline.width > kBmpMaxSide || outline.height > kBmpMaxSide ||
        std::int64_t(outline.width) * outline.height > kBmpMaxPixels)
        return Fail(BmpError::TooLarge);
    if (outline.precision != 8) return Fail(BmpError::UnsupportedJpegPrecision);
    if (outline.scans > kJpegMaxScans) return Fail(BmpError::JpegTooManyScans);
    if (JpegFirstScanTooShort(outline)) return Fail(BmpError::PictureDataTooShort);
    Handle tj(tjInitDecompress());
    if (!tj) return Fail(BmpError::OutOfMemory);

    int width = 0, height = 0, subsampling = 0, colourSpace = 0;
    if (tjDecompressHeader3(tj.get(), bytes.data(), static_cast<unsigned long>(bytes.size()), &width, &height,
                            &subsampling, &colourSpace) != 0)
        return Fail(BmpError::DamagedJpeg);
    if (width <= 0 || height <= 0) return Fail(BmpError::DamagedJpeg);
    if (width > kBmpMaxSide || height > kBmpMaxSide || std::int64_t(width) * height > kBmpMaxPixels)
        return Fail(BmpError::TooLarge);
    if (colourSpace == TJCS_CMYK || colourSpace == TJCS_YCCK) return Fail(BmpError::UnsupportedJpeg);

    std::optional<Bitmap> bmp = Bitmap::TryCreate(width, height, Bitmap::NewPixels::Unset);
    if (!bmp) return Fail(BmpError::OutOfMemory);
    // Blue, green, red and a spare byte: the memory order of a 0x00RRGGBB pixel word.
    static_assert(sizeof(Pixel) == 4 && std::endian::native == std::endian::little);
    auto* out = reinterpret_cast<unsigned char*>(bmp->Data());
    if (tjDecompress2(tj.get(), bytes.data(), static_cast<unsigned long>(bytes.size()), out, width,
                      width * int(sizeof(Pixel)), height, TJPF_BGRX, kDecodeFlags) != 0)
        return Fail(BmpError::DamagedJpeg);
    // The library fills the spare byte; pixels keep it zero.
    Pixel* p = bmp->Data();
    const std::size_t count = std::size_t(width) * std::size_t(height);
    for (std::size_t i = 0; i < count; ++i) p[i] &= 0x00FFFFFFu;

    BmpImage image;
    image.bitDepth = PictureBitDepth(colourSpace == TJCS_GRAY ? 8 : 24, false);
    image.bitmap = std::move(*bmp);
    return {std::move(image), BmpError::None};
}

}  // namespace rastrix
