#include "raster/Canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>

#include "raster/Figure.h"
#include "raster/Spans.h"
#include "raster/Stroke.h"

namespace rastrix {

namespace {

constexpr int kMaxCoordinate = (1 << 30) - 1;  // so a box width still fits an int

bool InRange(std::initializer_list<int> values) {
    return std::all_of(values.begin(), values.end(),
                       [](int v) { return v >= -kMaxCoordinate && v <= kMaxCoordinate; });
}

// x, y, width, height as a rectangle, when its far edges fit in an int.
std::optional<Rect> RectFromSize(int x, int y, int w, int h) {
    const std::int64_t r = std::int64_t(x) + w, b = std::int64_t(y) + h;
    if (r > INT32_MAX || r < INT32_MIN || b > INT32_MAX || b < INT32_MIN) return std::nullopt;
    return Rect{x, y, int(r), int(b)};
}

}  // namespace

Pen Canvas::SelectPen(const Pen& pen) { return std::exchange(pen_, pen); }
Brush Canvas::SelectBrush(const Brush& brush) { return std::exchange(brush_, brush); }
Color Canvas::SetBackgroundColor(Color c) { return std::exchange(bkColor_, ClearTopByte(c)); }
Point Canvas::SetBrushOrg(Point origin) { return std::exchange(brushOrg_, origin); }
StretchMode Canvas::SetStretchMode(StretchMode mode) { return std::exchange(stretchMode_, mode); }
Point Canvas::MoveTo(int x, int y) { return std::exchange(pos_, Point{x, y}); }

BackgroundMode Canvas::SetBackgroundMode(BackgroundMode mode) {
    if (mode != BackgroundMode::Opaque && mode != BackgroundMode::Transparent) return bkMode_;
    return std::exchange(bkMode_, mode);
}

void Canvas::FillRect(Rect r, const Brush& brush) {
    FillArea(*bmp_, r.Normalized(), MakeBrushFill(brush, bkColor_, Opaque(), brushOrg_));
}

void Canvas::FrameRect(Rect r, const Brush& brush) {
    if (r.IsEmpty()) return;
    const SpanFill fill = MakeBrushFill(brush, bkColor_, Opaque(), brushOrg_);
    FillArea(*bmp_, {r.left, r.top, r.right, r.top + 1}, fill);
    FillArea(*bmp_, {r.left, r.bottom - 1, r.right, r.bottom}, fill);
    FillArea(*bmp_, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, fill);
    FillArea(*bmp_, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, fill);
}

void Canvas::Rectangle(int l, int t, int r, int b) {
    if (InRange({l, t, r, b})) DrawFigure(Shape::Box, Rect{l, t, r, b}.Normalized(), 0, 0);
}

void Canvas::Ellipse(int l, int t, int r, int b) {
    if (InRange({l, t, r, b})) DrawFigure(Shape::Ellipse, Rect{l, t, r, b}.Normalized(), 0, 0);
}

void Canvas::RoundRect(int l, int t, int r, int b, int cornerW, int cornerH) {
    if (InRange({l, t, r, b, cornerW, cornerH}))
        DrawFigure(Shape::Rounded, Rect{l, t, r, b}.Normalized(), std::abs(cornerW), std::abs(cornerH));
}

std::optional<std::pair<int, int>> Canvas::Corners(Shape shape, Rect box, int cornerW, int cornerH) {
    if (shape == Shape::Box) return std::nullopt;
    const int w = shape == Shape::Ellipse ? box.Width() : std::min(cornerW, box.Width());
    const int h = shape == Shape::Ellipse ? box.Height() : std::min(cornerH, box.Height());
    if (w <= 2 || h <= 2) return std::nullopt;
    return std::pair{w, h};
}

void Canvas::DrawFigure(Shape shape, Rect box, int cornerW, int cornerH) {
    if (box.IsEmpty()) return;
    if (pen_.IsNull()) {
        FillShrunkFigure(shape, box, cornerW, cornerH);
        return;
    }
    const auto corners = Corners(shape, box, cornerW, cornerH);
    if (corners && std::max(corners->first, corners->second) > kMaxRoundFigureSide) return;
    const Figure figure = corners ? Figure::Rounded(box, corners->first, corners->second) : Figure::Box(box);

    const SpanFill inside = MakeBrushFill(brush_, bkColor_, Opaque(), brushOrg_);
    if (inside.kind != SpanFill::None) {
        if (!corners) {
            FillArea(*bmp_, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, inside);
        } else {
            const int y0 = std::max(box.top, 0), y1 = std::min(box.bottom, bmp_->Height());
            for (int y = y0; y < y1; ++y) FillSpan(*bmp_, y, figure.RowLeft(y) + 1, figure.RowRight(y), inside);
        }
    }
    PenStroke stroke(*bmp_, pen_, bkColor_, Opaque());
    stroke.ClosedPath(figure.Path());
}

void Canvas::FillShrunkFigure(Shape shape, Rect box, int cornerW, int cornerH) {
    const Rect shrunk{box.left, box.top, box.right - 1, box.bottom - 1};
    if (shrunk.IsEmpty()) return;
    const SpanFill inside = MakeBrushFill(brush_, bkColor_, Opaque(), brushOrg_);
    if (inside.kind == SpanFill::None) return;
    const auto corners = Corners(shape, shrunk, cornerW, cornerH);
    if (!corners) {
        FillArea(*bmp_, shrunk, inside);
        return;
    }
    if (std::max(corners->first, corners->second) > kMaxRoundFigureSide) return;
    const Figure figure = Figure::Rounded(shrunk, corners->first, corners->second);
    const int y0 = std::max(shrunk.top, 0), y1 = std::min(shrunk.bottom, bmp_->Height());
    for (int y = y0; y < y1; ++y) FillSpan(*bmp_, y, figure.RowLeft(y), figure.RowRight(y) + 1, inside);
}

void Canvas::LineTo(int x, int y) {
    const Point from = std::exchange(pos_, Point{x, y});
    if (pen_.IsNull() || from == pos_) return;
    PenStroke stroke(*bmp_, pen_, bkColor_, Opaque());
    stroke.Segment(from, pos_);
}

Color Canvas::SetPixel(int x, int y, Color c) {
    if (!bmp_->Bounds().Contains({x, y})) return kInvalidColor;
    bmp_->SetPixel(x, y, c);
    return ClearTopByte(c);
}

void Canvas::CopyPixels(int dx, int dy, int w, int h, const Bitmap& src, int sx, int sy) {
    rastrix::CopyPixels(*bmp_, dx, dy, w, h, src, sx, sy);
}

void Canvas::StretchPixels(int dx, int dy, int dw, int dh, const Bitmap& src, int sx, int sy, int sw, int sh) {
    const auto dst = RectFromSize(dx, dy, dw, dh);
    const auto from = RectFromSize(sx, sy, sw, sh);
    if (dst && from) rastrix::StretchPixels(*bmp_, *dst, src, *from, stretchMode_);
}

}  // namespace rastrix
