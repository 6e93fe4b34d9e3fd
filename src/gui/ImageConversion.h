#pragma once
#include <QColor>
#include <QImage>
#include <optional>

#include "raster/Bitmap.h"
#include "raster/Color.h"

namespace rastrix::gui {

inline QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
inline Color FromQColor(const QColor& c) {
    return ColorFromRgb(std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue()));
}

// A QImage that shows the bitmap's pixels in place (0x00RRGGBB rows are Format_RGB32 as they
// are). It is valid only while the bitmap lives and keeps its size.
QImage WrapBitmap(const Bitmap& bitmap);

// A copy of an image of any format (1 to 64 bits a pixel, with or without alpha), as opaque
// 0x00RRGGBB pixels; transparent pixels are laid on white. nullopt when the image is empty or
// memory runs out.
std::optional<Bitmap> BitmapFromImage(const QImage& image);

// The colour depth a read image counts as: 1, 4, 8, 24 or 32 bits per pixel (PictureBitDepth).
int BitDepthOf(const QImage& image);

}  // namespace rastrix::gui
