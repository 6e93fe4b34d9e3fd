#include "edit/ReduceColorsPreview.h"

#include <algorithm>
#include <cstring>

namespace rastrix {

std::optional<Bitmap> ReducedSample(const Bitmap& image, std::span<const Pixel> palette, const MapOptions& options,
                                    int width, int height) {
    const int w = std::min(width, image.Width()), h = std::min(height, image.Height());
    if (w <= 0 || h <= 0 || palette.empty()) return std::nullopt;
    std::optional<Bitmap> middle = Bitmap::TryCreate(w, h);
    if (!middle) return std::nullopt;
    const int left = (image.Width() - w) / 2, top = (image.Height() - h) / 2;
    for (int y = 0; y < h; ++y)
        std::memcpy(middle->Row(y), image.Row(top + y) + left, std::size_t(w) * sizeof(Pixel));
    const MapResult mapped = MapToPalette(*middle, palette, options);
    if (!mapped.image) return std::nullopt;
    return PaletteBitmap(*mapped.image, palette);
}

}  // namespace rastrix
