#pragma once
// Small ASCII pictures of bitmap regions, so pixel rules read as drawings in the tests.
#include <string>
#include <string_view>

#include "raster/Canvas.h"

namespace rastrix::test {

inline constexpr Color kPaper = ColorFromRgb(200, 200, 200), kPen = ColorFromRgb(255, 0, 0), kInk = ColorFromRgb(0, 0, 255),
                       kWhite = ColorFromRgb(255, 255, 255), kBlack = ColorFromRgb(0, 0, 0);

// Rows of the region after a leading newline (for readable diffs): '.' paper, 'P' pen,
// 'b' brush ink, 'w' white, 'k' black, '?' anything else.
inline std::string Picture(const Bitmap& bmp, Rect region) {
    const Color colors[] = {kPaper, kPen, kInk, kWhite, kBlack};
    std::string s;
    for (int y = region.top; y < region.bottom; ++y) {
        s += '\n';
        for (int x = region.left; x < region.right; ++x) {
            char ch = '?';
            for (int i = 0; i < 5; ++i)
                if (bmp.GetPixel(x, y) == colors[i]) ch = ".Pbwk"[i];
            s += ch;
        }
    }
    return s;
}
inline std::string Picture(const Bitmap& bmp) { return Picture(bmp, bmp.Bounds()); }

// "ab/cd" as the picture of two rows.
inline std::string Rows(std::string_view slashed) {
    std::string s = "\n";
    for (char c : slashed) s += c == '/' ? '\n' : c;
    return s;
}

// A paper-coloured bitmap with a canvas drawing in the pen and ink colours.
struct Sheet {
    Bitmap bmp;
    Canvas canvas;
    Sheet(int w, int h, int penStyle = PS_SOLID, int penWidth = 1) : bmp(w, h, kPaper), canvas(bmp) {
        canvas.SelectPen(Pen(penStyle, penWidth, kPen));
        canvas.SelectBrush(Brush::Solid(kInk));
    }
    Sheet(const Sheet&) = delete;
    std::string Pic() const { return Picture(bmp); }
};

}  // namespace rastrix::test
