#include "codec/ScaledPicture.h"

#include <turbojpeg.h>

#include <memory>

#include "codec/JpegDecoder.h"
#include "codec/PictureReader.h"

namespace rastrix {

namespace {

// The decoder's reduction averages 2 x 2, 4 x 4 or 8 x 8 blocks, which is a box filter, not
// the Lanczos filter: decoded just down to the scaled size, an 8000 x 6000 photo scaled to
// 800 x 480 came out 1.35 levels from the Lanczos result of the whole picture on average;
// kept at twice the scaled size, so the filter does the last halving, 0.69 levels, for about a
// fifth more time (bench/RESULTS.md).
constexpr int kJpegMargin = 2;

// The size a JPEG's header gives, or 0 x 0 when it cannot be read (the decoder then says why).
Point JpegSize(std::span<const std::uint8_t> bytes) {
    std::unique_ptr<void, int (*)(void*)> tj(tjInitDecompress(), tjDestroy);
    int width = 0, height = 0, subsampling = 0, colourSpace = 0;
    if (!tj || tjDecompressHeader3(tj.get(), bytes.data(), static_cast<unsigned long>(bytes.size()), &width, &height,
                                   &subsampling, &colourSpace) != 0)
        return {};
    return {width, height};
}

}  // namespace

BmpReadResult DecodeScaled(std::span<const std::uint8_t> bytes, const ScaleTarget& target,
                           const PictureOptions& options) {
    if (target.width < 1 || target.height < 1) return {std::nullopt, BmpError::BadSize};
    PictureOptions read = options;
    if (IsJpeg(bytes) && target.filter == ScaleFilter::Lanczos) {
        const Point size = JpegSize(bytes);
        if (size.x > 0 && size.y > 0) {
            const ScaleLayout l = LayOutScale(size.x, size.y, target.width, target.height, target.fit);
            read.minWidth = l.scaled.Width() * kJpegMargin;
            read.minHeight = l.scaled.Height() * kJpegMargin;
        }
    }
    BmpReadResult r = DecodePicture(bytes, read);
    if (!r.image) return r;
    std::optional<Bitmap> scaled =
        ScaleBitmap(r.image->bitmap, target.width, target.height, target.fit, target.filter, options.background);
    if (!scaled) return {std::nullopt, BmpError::OutOfMemory};
    r.image->bitmap = std::move(*scaled);
    if (r.image->alpha) {
        std::optional<Bitmap> alpha =
            ScaleBitmap(*r.image->alpha, target.width, target.height, target.fit, target.filter, 0x00FFFFFFu);
        if (!alpha) return {std::nullopt, BmpError::OutOfMemory};
        r.image->alpha = std::move(*alpha);
    }
    return r;
}

}  // namespace rastrix
