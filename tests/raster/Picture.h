#pragma once
// Small ASCII pictures of bitmap regions, so pixel rules read as drawings in the tests.
#include <string>
#include <string_view>

#include "raster/Bitmap.h"
#include "raster/Canvas.h"

namespace rastrix::test {

inline constexpr Color kPaper = RGB(200, 200, 200);  // '.' the untouched bitmap
inline constexpr Color kPen = RGB(255, 0, 0);        // 'P'
inline constexpr Color kInk = RGB(0, 0, 255);        // 'b' brush colour
inline constexpr Color kWhite = RGB(255, 255, 255);  // 'w' background colour
inline constexpr Color kBlack = RGB(0, 0, 0);        // 'k'

inline char Symbol(Color c) {
    switch (c) {
        case kPaper: return '.';
        case kPen: return 'P';
        case kInk: return 'b';
        case kWhite: return 'w';
        case kBlack: return 'k';
        default: return '?';
    }
}

// Rows of the region, each on its own line after a leading newline (for readable diffs).
inline std::string Picture(const Bitmap& bmp, Rect region) {
    std::string s;
    for (int y = region.top; y < region.bottom; ++y) {
        s += '\n';
        for (int x = region.left; x < region.right; ++x) s += Symbol(bmp.GetPixel(x, y));
    }
    return s;
}
inline std::string Picture(const Bitmap& bmp) { return Picture(bmp, bmp.Bounds()); }

// "ab/cd" written as the picture of two rows.
inline std::string Rows(std::string_view slashed) {
    std::string s = "\n";
    for (char c : slashed) s += c == '/' ? '\n' : c;
    return s;
}

// A paper-coloured bitmap with a canvas that draws in the pen and ink colours.
struct Sheet {
    Bitmap bmp;
    Canvas canvas;
    Sheet(int w, int h, int penStyle = PS_SOLID, int penWidth = 1)
        : bmp(w, h, kPaper), canvas(bmp) {
        canvas.SelectPen(Pen(penStyle, penWidth, kPen));
        canvas.SelectBrush(Brush::Solid(kInk));
    }
    Sheet(const Sheet&) = delete;
    std::string Pic() const { return Picture(bmp); }
};

}  // namespace rastrix::test
