#include "codec/ScaledPicture.h"

#include <memory>

#include "codec/JpegDecoder.h"
#include "codec/PictureReader.h"
#include "codec/PngDecoder.h"

namespace rastrix {

namespace {

// The decoder's reduction averages 2 x 2, 4 x 4 or 8 x 8 blocks, which is a box filter, not
// the Lanczos filter: decoded just down to the scaled size, an 8000 x 6000 photo scaled to
// 800 x 480 came out 1.35 levels from the Lanczos result of the whole picture on average;
// kept at twice the scaled size, so the filter does the last halving, 0.69 levels, for about a
// fifth more time (bench/RESULTS.md).
constexpr int kJpegMargin = 2;

// Averages a PNG's rows down as they are decoded, so a large picture is never held whole.
class AveragingSink final : public PngRowSink {
public:
    explicit AveragingSink(ScaleShrink shrink) : shrink_(shrink) {}

    bool Begin(int width, int height, bool withAlpha) override {
        width_ = width;
        height_ = height;
        pixels_ = BlockAverager::Create(width, height, shrink_.kx, shrink_.ky);
        if (withAlpha) alpha_ = BlockAverager::Create(width, height, shrink_.kx, shrink_.ky);
        return pixels_ && (!withAlpha || alpha_);
    }
    void Row(const Pixel* pixels, const Pixel* alpha) override {
        pixels_->Add(pixels);
        if (alpha_ && alpha) alpha_->Add(alpha);
    }

    // Both planes scaled to the target; false when memory could not be had.
    bool Finish(const ScaleTarget& target, Pixel background, BmpImage& image) {
        std::optional<Bitmap> pixels = Scaled(pixels_, target, background);
        if (!pixels) return false;
        image.bitmap = std::move(*pixels);
        if (alpha_) {
            image.alpha = Scaled(alpha_, target, Pixel{0x00FFFFFFu});
            if (!image.alpha) return false;
        }
        return true;
    }

private:
    std::optional<Bitmap> Scaled(std::optional<BlockAverager>& plane, const ScaleTarget& target, Pixel background) {
        std::optional<Bitmap> averaged = plane ? plane->Take() : std::nullopt;
        if (!averaged) return std::nullopt;
        return ScaleAveraged(*averaged, width_, height_, shrink_, target.width, target.height, target.fit, background);
    }

    ScaleShrink shrink_;
    int width_ = 0, height_ = 0;
    std::optional<BlockAverager> pixels_, alpha_;
};

// A PNG that is averaged down first goes through the sink; nullopt when it is not.
std::optional<BmpReadResult> DecodePngAveraged(std::span<const std::uint8_t> bytes, const ScaleTarget& target,
                                               const PictureOptions& options, const ReadFinished& finished) {
    const std::optional<PictureSize> size = PngHeaderSize(bytes);
    if (!size || size->width < 1 || size->height < 1) return std::nullopt;
    const ScaleShrink shrink = PlanShrink(size->width, size->height, target.width, target.height, target.fit, target.filter);
    if (shrink.kx == 1 && shrink.ky == 1) return std::nullopt;
    AveragingSink sink(shrink);
    BmpReadResult r = DecodePngRows(bytes, options, sink, finished);
    if (r.image && !sink.Finish(target, options.background, *r.image)) return BmpReadResult{std::nullopt, BmpError::OutOfMemory};
    return r;
}

}  // namespace

BmpReadResult DecodeScaled(std::span<const std::uint8_t> bytes, const ScaleTarget& target,
                           const PictureOptions& options, const ReadFinished& finished) {
    if (target.width < 1 || target.height < 1) return {std::nullopt, BmpError::BadSize};
    // The scaled picture is an image like any opened one, and is refused before any reading.
    if (target.width > kBmpMaxSide || target.height > kBmpMaxSide ||
        std::int64_t(target.width) * target.height > kBmpMaxPixels)
        return {std::nullopt, BmpError::TooLarge};
    PictureOptions read = options;
    if (IsJpeg(bytes) && target.filter == ScaleFilter::Lanczos) {
        const std::optional<PictureSize> size = JpegHeaderSize(bytes);
        if (size && size->width > 0 && size->height > 0) {
            const ScaleLayout l = LayOutScale(size->width, size->height, target.width, target.height, target.fit);
            read.minWidth = l.scaled.Width() * kJpegMargin;
            read.minHeight = l.scaled.Height() * kJpegMargin;
        }
    }
    if (std::optional<BmpReadResult> averaged = DecodePngAveraged(bytes, target, options, finished)) return std::move(*averaged);
    BmpReadResult r = DecodePicture(bytes, read, finished);
    if (!r.image) return r;
    std::optional<Bitmap> scaled =
        ScaleBitmap(r.image->bitmap, target.width, target.height, target.fit, target.filter, options.background);
    if (!scaled) return {std::nullopt, BmpError::OutOfMemory};
    r.image->bitmap = std::move(*scaled);
    if (r.image->alpha) {
        std::optional<Bitmap> alpha =
            ScaleBitmap(*r.image->alpha, target.width, target.height, target.fit, target.filter, Pixel{0x00FFFFFFu});
        if (!alpha) return {std::nullopt, BmpError::OutOfMemory};
        r.image->alpha = std::move(*alpha);
    }
    return r;
}

}  // namespace rastrix
