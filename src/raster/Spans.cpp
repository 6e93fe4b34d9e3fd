#include "raster/Spans.h"

#include <algorithm>

namespace rastrix {

namespace {

// Residue of (v - origin) mod 8, non-negative, without signed overflow.
inline unsigned Phase8(int v, int origin) { return (unsigned(v) - unsigned(origin)) & 7u; }

// Paints [x0, x1) of a row that is already clipped.
void PaintRow(Pixel* row, int y, int x0, int x1, const SpanFill& f) {
    if (f.kind == SpanFill::Solid) {
        std::fill(row + x0, row + x1, f.solid);
        return;
    }
    const unsigned ty = Phase8(y, f.orgY);
    const Pixel* trow = f.tile.data() + ty * 8;
    const unsigned start = Phase8(x0, f.orgX);
    Pixel* out = row + x0;
    const int n = x1 - x0;
    if (f.everyPixel) {
        Pixel rotated[8];
        for (unsigned i = 0; i < 8; ++i) rotated[i] = trow[(start + i) & 7u];
        for (int i = 0; i < n; ++i) out[i] = rotated[i & 7];
        return;
    }
    const unsigned bits = f.paint[ty];
    for (int i = 0; i < n; ++i) {
        const unsigned col = (start + unsigned(i)) & 7u;
        if (bits & (0x80u >> col)) out[i] = trow[col];
    }
}

}  // namespace

SpanFill MakeSolidFill(Color c) {
    SpanFill f;
    f.kind = SpanFill::Solid;
    f.solid = ClearTopByte(ColorToPixel(c));
    return f;
}

SpanFill MakeBrushFill(const Brush& brush, Color background, bool opaqueBackground, Point origin) {
    switch (brush.style) {
        case BS_SOLID: return MakeSolidFill(brush.color);
        case BS_HATCHED: {
            SpanFill f;
            f.kind = SpanFill::Tile;
            f.orgX = origin.x;
            f.orgY = origin.y;
            const auto bits = HatchBits(brush.hatch);
            const Pixel fore = ClearTopByte(ColorToPixel(brush.color));
            const Pixel back = ClearTopByte(ColorToPixel(background));
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    const bool set = (bits[std::size_t(y)] & (0x80u >> x)) != 0;
                    f.tile[std::size_t(y * 8 + x)] = set ? fore : back;
                }
                f.paint[std::size_t(y)] = opaqueBackground ? 0xFF : bits[std::size_t(y)];
            }
            f.everyPixel = opaqueBackground;
            return f;
        }
        case BS_PATTERN: {
            SpanFill f;
            f.kind = SpanFill::Tile;
            f.orgX = origin.x;
            f.orgY = origin.y;
            f.tile = brush.pattern;
            f.paint.fill(0xFF);
            return f;
        }
        default: return SpanFill{};
    }
}

void FillSpan(Bitmap& bmp, int y, int x0, int x1, const SpanFill& fill) {
    if (fill.kind == SpanFill::None || y < 0 || y >= bmp.Height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, bmp.Width());
    if (x0 >= x1) return;
    PaintRow(bmp.Row(y), y, x0, x1, fill);
}

void FillArea(Bitmap& bmp, Rect r, const SpanFill& fill) {
    if (fill.kind == SpanFill::None) return;
    r = r.Intersect(bmp.Bounds());
    if (r.IsEmpty()) return;
    for (int y = r.top; y < r.bottom; ++y) PaintRow(bmp.Row(y), y, r.left, r.right, fill);
}

}  // namespace rastrix
