#include "gui/ImageConversion.h"

#include <cstring>

#include "codec/PictureConversion.h"

namespace rastrix::gui {

QImage WrapBitmap(const Bitmap& bitmap) {
    if (bitmap.IsEmpty()) return {};
    return QImage(reinterpret_cast<const uchar*>(bitmap.Data()), bitmap.Width(), bitmap.Height(),
                  qsizetype(bitmap.Width()) * qsizetype(sizeof(Pixel)), QImage::Format_RGB32);
}

namespace {

// Opaque images keep their colours as they are.
bool CopyOpaque(const QImage& image, Bitmap& out) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull()) return false;  // out of memory
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* src = reinterpret_cast<const Pixel*>(rgb.constScanLine(y));
        Pixel* dst = out.Row(y);
        for (int x = 0; x < rgb.width(); ++x) dst[x] = ClearTopByte(src[x]);
    }
    return true;
}

// Images with transparency are laid on white paper: a bitmap has no alpha, and the colour
// under a fully transparent pixel is often black or left over.
bool CompositeOnWhite(const QImage& image, Bitmap& out) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull()) return false;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        Pixel* dst = out.Row(y);
        for (int x = 0; x < argb.width(); ++x)
            dst[x] = OnWhite(unsigned(qRed(src[x])), unsigned(qGreen(src[x])), unsigned(qBlue(src[x])),
                             unsigned(qAlpha(src[x])));
    }
    return true;
}

}  // namespace

std::optional<Bitmap> BitmapFromImage(const QImage& image) {
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return std::nullopt;
    std::optional<Bitmap> out = Bitmap::TryCreate(image.width(), image.height(), Bitmap::NewPixels::Unset);
    if (!out) return std::nullopt;
    const bool copied = image.hasAlphaChannel() ? CompositeOnWhite(image, *out) : CopyOpaque(image, *out);
    if (!copied) return std::nullopt;
    return out;
}

int BitDepthOf(const QImage& image) { return PictureBitDepth(image.depth(), image.hasAlphaChannel()); }

}  // namespace rastrix::gui
