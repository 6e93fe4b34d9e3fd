#include "gui/ImageConversion.h"

#include <cstring>

namespace rastrix::gui {

QImage WrapBitmap(const Bitmap& bitmap) {
    if (bitmap.IsEmpty()) return {};
    return QImage(reinterpret_cast<const uchar*>(bitmap.Data()), bitmap.Width(), bitmap.Height(),
                  qsizetype(bitmap.Width()) * qsizetype(sizeof(Pixel)), QImage::Format_RGB32);
}

std::optional<Bitmap> BitmapFromImage(const QImage& image) {
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return std::nullopt;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull()) return std::nullopt;
    std::optional<Bitmap> out = Bitmap::TryCreate(rgb.width(), rgb.height());
    if (!out) return std::nullopt;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* src = reinterpret_cast<const Pixel*>(rgb.constScanLine(y));
        Pixel* dst = out->Row(y);
        for (int x = 0; x < rgb.width(); ++x) dst[x] = src[x] & 0x00FFFFFFu;
    }
    return out;
}

int BitDepthOf(const QImage& image) {
    const int depth = image.depth();
    if (depth <= 1) return 1;
    if (depth <= 4) return 4;
    if (depth <= 8) return 8;
    if (depth <= 24) return 24;
    // 32-bit pixels without an alpha channel carry 24 bits of colour.
    return image.hasAlphaChannel() ? 32 : 24;
}

}  // namespace rastrix::gui
