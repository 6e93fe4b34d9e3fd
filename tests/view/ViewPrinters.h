#pragma once
#include <ostream>

#include "editor/ViewState.h"
#include "raster/Geometry.h"

// Readable failure messages for the view's small value types.
namespace rastrix {
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const ScrollBarState& b, std::ostream* os) {
    *os << "{min " << b.minimum << ", max " << b.maximum << ", page " << b.page << ", pos " << b.position
        << (b.shown ? ", shown}" : ", hidden}");
}
}  // namespace rastrix
