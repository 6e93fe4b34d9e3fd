#include "codec/ScaledPicture.h"

#include <turbojpeg.h>

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

// The size a JPEG's header gives, or 0 x 0 when it cannot be read (the decoder then says why).
Point JpegSize(std::span<const std::uint8_t> bytes) {
    std::unique_ptr<void, int (*)(void*)> tj(tjInitDecompress(), tjDestroy);
    int width = 0, height = 0, subsampling = 0, colourSpace = 0;
    if (!tj || tjDecompressHeader3(tj.get(), bytes.data(), static_cast<unsigned long>(bytes.size()), &width, &height,
                                   &subsampling, &colourSpace) != 0)
        return {};
    return {width, height};
}

// The size in a PNG's header chunk, which always comes first, or 0 x 0 when it is not there
// (the decoder then says why).
Point PngSize(std::span<const std::uint8_t> bytes) {
    if (!IsPng(bytes) || bytes.size() < 24) return {};
    auto be32 = [&](std::size_t at) {
        return (std::uint32_t(bytes[at]) << 24) | (std::uint32_t(bytes[at + 1]) << 16) |
               (std::uint32_t(bytes[at + 2]) << 8) | bytes[at + 3];
    };
    const std::uint32_t w = be32(16), h = be32(20);
    if (w == 0 || h == 0 || w > std::uint32_t(kBmpMaxSide) || h > std::uint32_t(kBmpMaxSide)) return {};
    return {int(w), int(h)};
}

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
            image.alpha = Scaled(alpha_, target, 0x00FFFFFFu);
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
    const Point size = PngSize(bytes);
    if (size.x == 0) return std::nullopt;
    const ScaleShrink shrink = PlanShrink(size.x, size.y, target.width, target.height, target.fit, target.filter);
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
    PictureOptions read = options;
    if (IsJpeg(bytes) && target.filter == ScaleFilter::Lanczos) {
        const Point size = JpegSize(bytes);
        if (size.x > 0 && size.y > 0) {
            const ScaleLayout l = LayOutScale(size.x, size.y, target.width, target.height, target.fit);
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
            ScaleBitmap(*r.image->alpha, target.width, target.height, target.fit, target.filter, 0x00FFFFFFu);
        if (!alpha) return {std::nullopt, BmpError::OutOfMemory};
        r.image->alpha = std::move(*alpha);
    }
    return r;
}

}  // namespace rastrix
