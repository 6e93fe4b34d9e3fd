#include "edit/ScaleImagePreview.h"

#include <algorithm>
#include <cstdint>

namespace rastrix {

namespace {

// A side of the whole (`whole` long) drawn `drawn` long: the position `at` along it, rounded down.
int Shrunk(std::int64_t at, int drawn, int whole) { return int(at * drawn / whole); }

}  // namespace

std::optional<Bitmap> ScalePreviewSource(const Bitmap& image) {
    if (image.IsEmpty()) return std::nullopt;
    const int w = 2 * kScalePreviewWidth, h = 2 * kScalePreviewHeight;
    if (image.Width() <= w && image.Height() <= h) return image;
    const ScaleLayout l = LayOutScale(image.Width(), image.Height(), w, h, ScaleFit::Fit);
    return ScaleBitmap(image, l.scaled.right, l.scaled.bottom, ScaleFit::Exact, ScaleFilter::Lanczos);
}

std::optional<Bitmap> ScalePreview(const Bitmap& small, int srcWidth, int srcHeight, int width, int height, ScaleFit fit,
                                   ScaleAnchor anchor, Pixel pad, int boxWidth, int boxHeight) {
    if (small.IsEmpty() || srcWidth < 1 || srcHeight < 1 || width < 1 || height < 1 || boxWidth < 1 || boxHeight < 1)
        return std::nullopt;
    if (fit != ScaleFit::Cover) {
        // The result's own shape, as large as the box allows.
        const ScaleLayout box = LayOutScale(width, height, boxWidth, boxHeight, ScaleFit::Fit);
        return ScaleBitmap(small, box.scaled.right, box.scaled.bottom, fit, ScaleFilter::Lanczos, pad, anchor);
    }
    // The whole scaled picture in the box, and the window of it the result keeps.
    const ScaleLayout cut = LayOutScale(srcWidth, srcHeight, width, height, ScaleFit::Cover, anchor);
    const int sw = cut.scaled.right, sh = cut.scaled.bottom;
    const ScaleLayout box = LayOutScale(sw, sh, boxWidth, boxHeight, ScaleFit::Fit);
    const int pw = box.scaled.right, ph = box.scaled.bottom;
    std::optional<Bitmap> out = ScaleBitmap(small, pw, ph, ScaleFit::Exact, ScaleFilter::Lanczos);
    if (!out) return std::nullopt;
    const int left = Shrunk(cut.shown.left, pw, sw), top = Shrunk(cut.shown.top, ph, sh);
    // At least one pixel kept each way, however thin the window.
    const int right = std::max(left + 1, Shrunk(cut.shown.right, pw, sw));
    const int bottom = std::max(top + 1, Shrunk(cut.shown.bottom, ph, sh));
    for (int y = 0; y < ph; ++y) {
        Pixel* row = out->Row(y);
        const bool keptRow = y >= top && y < bottom;
        for (int x = 0; x < pw; ++x)
            if (!keptRow || x < left || x >= right) row[x] = Pixel{(ValueOf(row[x]) >> 1) & 0x007F7F7Fu};
    }
    return out;
}

}  // namespace rastrix
