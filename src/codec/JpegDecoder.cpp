#include "codec/JpegDecoder.h"

#include <turbojpeg.h>

#include <algorithm>
#include <bit>
#include <memory>

#include "codec/JpegMarkers.h"
#include "codec/PictureConversion.h"
#include "raster/Bands.h"

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

// CMYK inks to RGB by the plain formula red = (1 - cyan)(1 - black) and so on, with no colour
// profile (a printer's profile is not at hand, and a viewer without one does the same).
// The values are taken as stored inverted (255 = no ink), as Photoshop writes them: the
// readers people use (Pillow, ImageMagick, djpeg) take every CMYK JPEG so, with Adobe's marker
// or without it, and a picture read otherwise comes out nearly black.
// Reads in place: each 4-byte CMYK pixel becomes a 0x00RRGGBB word.
void CmykToPixels(Pixel* pixels, std::size_t count) {
    auto* bytes = reinterpret_cast<const std::uint8_t*>(pixels);
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned c = bytes[4 * i], m = bytes[4 * i + 1], y = bytes[4 * i + 2], k = bytes[4 * i + 3];
        pixels[i] = Pixel{(((c * k + 127) / 255) << 16) | (((m * k + 127) / 255) << 8) | ((y * k + 127) / 255)};
    }
}

// The largest reduction by 2, 4 or 8 that leaves at least minWidth x minHeight; 1 for none.
int ReductionFor(int width, int height, const PictureOptions& options) {
    if (options.minWidth <= 0 && options.minHeight <= 0) return 1;
    for (int d : {8, 4, 2})
        if ((width + d - 1) / d >= options.minWidth && (height + d - 1) / d >= options.minHeight) return d;
    return 1;
}

}  // namespace

bool IsJpeg(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

std::optional<PictureSize> JpegHeaderSize(std::span<const std::uint8_t> bytes) {
    if (!IsJpeg(bytes)) return std::nullopt;
    const JpegOutline outline = ReadJpegOutline(bytes, true);
    if (!outline.frameFound) return std::nullopt;
    return PictureSize{outline.width, outline.height};
}

BmpReadResult DecodeJpeg(std::span<const std::uint8_t> bytes, const PictureOptions& options) {
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
    if (JpegScansTooMuchWork(outline)) return Fail(BmpError::JpegTooMuchScanWork);
    if (outline.coefficientBytes > kJpegMaxCoefficientBytes) return Fail(BmpError::JpegCoefficientsTooLarge);
    // Without its end the data cannot be whole, and the library would say so only after
    // decoding every scan.
    if (!outline.endFound) return Fail(BmpError::DamagedJpeg);
    Handle tj(tjInitDecompress());
    if (!tj) return Fail(BmpError::OutOfMemory);

    int width = 0, height = 0, subsampling = 0, colorSpace = 0;
    if (tjDecompressHeader3(tj.get(), bytes.data(), static_cast<unsigned long>(bytes.size()), &width, &height,
                            &subsampling, &colorSpace) != 0)
        return Fail(BmpError::DamagedJpeg);
    if (width <= 0 || height <= 0) return Fail(BmpError::DamagedJpeg);
    if (width > kBmpMaxSide || height > kBmpMaxSide || std::int64_t(width) * height > kBmpMaxPixels)
        return Fail(BmpError::TooLarge);
    const bool cmyk = colorSpace == TJCS_CMYK || colorSpace == TJCS_YCCK;
    if (cmyk && !options.convertCmyk) return Fail(BmpError::UnsupportedJpeg);
    // The decoder's scaled sizes are rounded up, as here.
    const int reduction = ReductionFor(width, height, options);
    width = (width + reduction - 1) / reduction;
    height = (height + reduction - 1) / reduction;

    std::optional<Bitmap> bmp = Bitmap::TryCreate(width, height, Bitmap::NewPixels::UnsetMappedAsWritten);
    if (!bmp) return Fail(BmpError::OutOfMemory);
    // Blue, green, red and a spare byte: the memory order of a 0x00RRGGBB pixel word.
    static_assert(sizeof(Pixel) == 4 && std::endian::native == std::endian::little);
    auto* out = reinterpret_cast<unsigned char*>(bmp->Data());
    if (tjDecompress2(tj.get(), bytes.data(), static_cast<unsigned long>(bytes.size()), out, width,
                      width * int(sizeof(Pixel)), height, cmyk ? TJPF_CMYK : TJPF_BGRX, kDecodeFlags) != 0)
        return Fail(BmpError::DamagedJpeg);
    Pixel* p = bmp->Data();
    const std::size_t count = std::size_t(width) * std::size_t(height);
    if (cmyk) {
        CmykToPixels(p, count);
    } else {
        // The library fills the spare byte; pixels keep it zero. In bands across the cores.
        ForEachBand(height, 1, BandItems(width), [p, width](int first, int last) {
            Pixel* const end = p + std::size_t(last) * std::size_t(width);
            for (Pixel* q = p + std::size_t(first) * std::size_t(width); q != end; ++q) *q = ClearTopByte(*q);
        });
    }

    BmpImage image;
    image.bitDepth = PictureBitDepth(colorSpace == TJCS_GRAY ? 8 : 24, false);
    image.bitmap = std::move(*bmp);
    return {std::move(image), BmpError::None};
}

}  // namespace rastrix
