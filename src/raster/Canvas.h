#pragma once
#include <optional>
#include <utility>

#include "raster/Bitmap.h"
#include "raster/Blit.h"
#include "raster/Brush.h"
#include "raster/Color.h"
#include "raster/Geometry.h"
#include "raster/Pen.h"

namespace rastrix {

// What the gaps of styled pens and hatch brushes show.
enum class BackgroundMode : int {
    Transparent = 1,  // gaps keep their pixels
    Opaque = 2,       // gaps take the background colour
};

// Drawing on a bitmap with the state of a memory device context: a pen (black, solid, 1
// pixel), a brush (white), background colour (white) and mode (opaque), brush origin (0,0),
// current position (0,0) and stretch mode (colour on colour). Every primitive clips to the
// bitmap once and nothing is ever written outside it. The bitmap must outlive the canvas.
//
// A mask is an ordinary bitmap on which only black and white are drawn (a white fill, then
// figures with a black pen and brush): every pixel then reads back as exactly 0 or 0xFFFFFF.
//
// Figures whose coordinates go beyond +/-2^30, and ellipses and rounded corners more than
// 2^19 pixels across, are not drawn: no caller needs them and they would overflow.
class Canvas {
public:
    explicit Canvas(Bitmap& target) : bmp_(&target) {}

    Bitmap& Target() { return *bmp_; }
    const Bitmap& Target() const { return *bmp_; }

    // State setters return the previous value.
    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);
    Color SetBackgroundColor(Color c);
    BackgroundMode SetBackgroundMode(BackgroundMode mode);  // a value outside the two is ignored
    Point SetBrushOrg(Point origin);
    StretchMode SetStretchMode(StretchMode mode);
    Point MoveTo(int x, int y);

    const Pen& CurrentPen() const { return pen_; }
    const Brush& CurrentBrush() const { return brush_; }
    Color BackgroundColor() const { return bkColor_; }
    BackgroundMode CurrentBackgroundMode() const { return bkMode_; }
    Point BrushOrg() const { return brushOrg_; }
    StretchMode CurrentStretchMode() const { return stretchMode_; }
    Point CurrentPosition() const { return pos_; }

    // Covers the half-open rectangle; a reversed one is normalised first.
    void FillRect(Rect r, const Brush& brush);
    // The one-pixel ring just inside the rectangle; nothing when it is empty or reversed.
    void FrameRect(Rect r, const Brush& brush);

    // Figures over the box [l,r) x [t,b) (corners in any order). Outline with the pen, inside
    // with the brush. With the null pen the figure is filled over [l,r-1) x [t,b-1), outline
    // pixels included. Ellipses and rounded rectangles whose box (or corner) is 2 pixels or
    // less in either direction are drawn as Rectangle.
    void Rectangle(int l, int t, int r, int b);
    void Ellipse(int l, int t, int r, int b);
    void RoundRect(int l, int t, int r, int b, int cornerW, int cornerH);

    // From the current position up to, not including, (x, y) with a 1-pixel pen; a wider pen
    // also covers both ends with its disc. The current position becomes (x, y). A line of
    // zero length draws nothing.
    void LineTo(int x, int y);

    // The colour set, or kInvalidColor outside the bitmap (nothing is written then).
    Color SetPixel(int x, int y, Color c);
    Color GetPixel(int x, int y) const { return bmp_->GetPixel(x, y); }

    void CopyPixels(int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy);
    void StretchPixels(int dx, int dy, int dw, int dh, const Bitmap& src, int sx, int sy, int sw, int sh);

private:
    enum class Shape { Box, Ellipse, Rounded };
    // The corner ellipse of a figure over box, or nothing when it is drawn as a plain box.
    static std::optional<std::pair<int, int>> Corners(Shape shape, Rect box, int cornerW, int cornerH);
    void DrawFigure(Shape shape, Rect box, int cornerW, int cornerH);
    void FillShrunkFigure(Shape shape, Rect box, int cornerW, int cornerH);
    bool Opaque() const { return bkMode_ == BackgroundMode::Opaque; }

    Bitmap* bmp_;
    Pen pen_;
    Brush brush_ = Brush::Solid(ColorFromRgb(255, 255, 255));
    Color bkColor_ = ColorFromRgb(255, 255, 255);
    BackgroundMode bkMode_ = BackgroundMode::Opaque;
    Point brushOrg_;
    StretchMode stretchMode_ = StretchMode::ColorOnColor;
    Point pos_;
};

}  // namespace rastrix
