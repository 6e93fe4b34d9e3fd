#pragma once
#include <algorithm>

#include "raster/Color.h"

namespace rastrix {

// Pen styles, numbered as the platform numbers them so settings tables can hold them as bytes.
enum PenStyle : int {
    PS_SOLID = 0,
    PS_DASH = 1,
    PS_DOT = 2,
    PS_DASHDOT = 3,
    PS_DASHDOTDOT = 4,
    PS_NULL = 5,
};

// A pen: style, width in pixels and colour. A width below 1 counts as 1. Dashed and dotted
// styles only exist at width 1; a wider pen of such a style draws solid.
struct Pen {
    int style = PS_SOLID;
    int width = 1;
    Color color = ColorFromRgb(0, 0, 0);

    static constexpr int kMaxWidth = 64;

    constexpr Pen() = default;
    constexpr Pen(int s, int w, Color c) : style(s), width(std::clamp(w, 1, kMaxWidth)), color(ClearTopByte(c)) {
        if (style < PS_SOLID || style > PS_NULL) style = PS_SOLID;
    }

    constexpr bool IsNull() const { return style == PS_NULL; }
    // The style actually drawn: wide pens are always solid.
    constexpr int DrawnStyle() const { return (width > 1 && style != PS_NULL) ? int(PS_SOLID) : style; }

    friend constexpr bool operator==(const Pen&, const Pen&) = default;
};

}  // namespace rastrix
