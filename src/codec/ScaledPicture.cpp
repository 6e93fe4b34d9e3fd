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

// Scales a picture's rows as they are decoded, so a large picture is never held whole.
class ScalingSink final : public PictureRowSink {
public:
    ScalingSink(const ScaleTarget& target, Pixel background) : target_(target), background_(background) {}

    bool Begin(int width, int height, bool withAlpha) override {
        pixels_ = RowScaler::Create(width, height, target_.width, target_.height, target_.fit, background_);
        if (withAlpha) alpha_ = RowScaler::Create(width, height, target_.width, target_.height, target_.fit, Pixel{0x00FFFFFFu});
        return pixels_ && (!withAlpha || alpha_);
    }
    void Row(const Pixel* pixels, const Pixel* alpha) override {
        pixels_->Add(pixels);
        if (alpha_ && alpha) alpha_->Add(alpha);
    }

    // Both planes scaled to the target; false when memory could not be had.
    bool Finish(BmpImage& image) {
        std::optional<Bitmap> pixels = pixels_ ? pixels_->Take() : std::nullopt;
        if (!pixels) return false;
        image.bitmap = std::move(*pixels);
        if (alpha_) {
            image.alpha = alpha_->Take();
            if (!image.alpha) return false;
        }
        return true;
    }

private:
    ScaleTarget target_;
    Pixel background_;
    std::optional<RowScaler> pixels_, alpha_;
};

}  // namespace

BmpReadResult DecodeScaled(std::span<const std::uint8_t> bytes, const ScaleTarget& target,
                           const PictureOptions& options, const ReadFinished& finished) {
    if (target.width < 1 || target.height < 1) return {std::nullopt, BmpError::BadSize};
    // The scaled picture is an image like any opened one, and is refused before any reading.
    if (target.width > kBmpMaxSide || target.height > kBmpMaxSide ||
        std::int64_t(target.width) * target.height > kBmpMaxPixels)
        return {std::nullopt, BmpError::TooLarge};
    // With the Lanczos filter a PNG or JPEG picture is scaled row by row as it is decoded.
    if (target.filter == ScaleFilter::Lanczos && (IsPng(bytes) || IsJpeg(bytes))) {
        PictureOptions read = options;
        if (IsJpeg(bytes)) {
            const std::optional<PictureSize> size = JpegHeaderSize(bytes);
            if (size && size->width > 0 && size->height > 0) {
                const ScaleLayout l = LayOutScale(size->width, size->height, target.width, target.height, target.fit);
                read.minWidth = l.scaled.Width() * kJpegMargin;
                read.minHeight = l.scaled.Height() * kJpegMargin;
            }
        }
        ScalingSink sink(target, options.background);
        BmpReadResult r = IsPng(bytes) ? DecodePngRows(bytes, read, sink, finished) : DecodeJpegRows(bytes, read, sink, finished);
        if (r.image && !sink.Finish(*r.image)) return {std::nullopt, BmpError::OutOfMemory};
        return r;
    }
    BmpReadResult r = DecodePicture(bytes, options, finished);
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
