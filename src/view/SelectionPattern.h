#pragma once
#include <array>

#include "raster/Bitmap.h"
#include "raster/Color.h"

namespace rastrix {

// The 8 x 8 brush that frames a rectangular selection: diagonal bands two pixels wide in black, red,
// blue and white, each pair of rows shifted two pixels to the left of the pair above, so the frame
// shows on any picture. One letter per pixel, top row first: K black, R red, B blue, W white.
inline constexpr std::array<const char*, 8> selectionPatternRows = {
    "KKRRBBWW", "KKRRBBWW",
    "RRBBWWKK", "RRBBWWKK",
    "BBWWKKRR", "BBWWKKRR",
    "WWKKRRBB", "WWKKRRBB",
};

// The pixel (0x00RRGGBB) of one pattern letter.
constexpr Pixel SelectionPatternPixel(char letter) {
    switch (letter) {
        case 'R': return Pixel{0xFF0000u};
        case 'B': return Pixel{0x0000FFu};
        case 'W': return Pixel{0xFFFFFFu};
        default: return Pixel{0x000000u};
    }
}

// The pattern as a bitmap, ready to be used as a pattern brush aligned to the window's origin.
inline Bitmap SelectionPattern() {
    Bitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y) {
        Pixel* row = pattern.Row(y);
        for (int x = 0; x < 8; ++x) row[x] = SelectionPatternPixel(selectionPatternRows[y][x]);
    }
    return pattern;
}

}  // namespace rastrix
