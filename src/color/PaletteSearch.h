#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "raster/Color.h"

namespace rastrix {

// Luminance of a 0x00RRGGBB pixel, 0..255 scaled by 65536 (0.299 R + 0.587 G + 0.114 B, the
// weights of JPEG's and most tools' grey): a grey v gives exactly v * 65536.
constexpr std::uint32_t Luminance16(std::uint32_t rgb) {
    return 19595u * ((rgb >> 16) & 0xFFu) + 38470u * ((rgb >> 8) & 0xFFu) + 7471u * (rgb & 0xFFu);
}
// The same rounded to 0..255.
constexpr int Luminance(std::uint32_t rgb) { return int((Luminance16(rgb) + 32768u) >> 16); }

// The nearest entry of a user's palette to a colour: the smallest sum of squared channel
// differences, the earlier entry on a tie, so each palette colour finds its own (first) index.
// Answers are kept in a direct-mapped cache of 65536 colours; a colour that meets another in
// its cache slot is searched again, never answered wrongly. The search splits the colour cube
// into 32 x 32 x 32 cells and keeps, for each cell met, the entries that can be nearest to some
// colour in it (those no farther from the cell than the cell's farthest point from the best
// entry), so a search looks at a few entries instead of all of them, with the same answer.
class PaletteSearch {
public:
    // palette: 1..256 entries.
    explicit PaletteSearch(std::span<const Pixel> palette);

    int Find(std::uint32_t rgb) {
        const std::uint32_t slot = (rgb * 0x9E3779B1u) >> 16;
        if (keys_[slot] == rgb) return values_[slot];
        const int index = Search(rgb);
        keys_[slot] = rgb;
        values_[slot] = std::uint8_t(index);
        return index;
    }

    // The search itself, without the cache.
    int Search(std::uint32_t rgb);

private:
    static constexpr int kCellShift = 3;  // cells of 8 levels a side
    static constexpr int kCellsPerAxis = 256 >> kCellShift;
    static constexpr int kCells = kCellsPerAxis * kCellsPerAxis * kCellsPerAxis;
    void BuildCell(int cell);

    std::int32_t red_[256] = {};
    std::int32_t green_[256] = {};
    std::int32_t blue_[256] = {};
    int count_ = 0;
    std::vector<std::uint32_t> keys_;  // 0xFFFFFFFF: empty (no 24-bit colour has it)
    std::vector<std::uint8_t> values_;
    std::vector<std::int32_t> cellStart_;  // into candidates_; -1 while the cell is not built
    std::vector<std::uint16_t> cellCount_;
    std::vector<std::uint8_t> candidates_;
};

// True when every entry is a grey (red = green = blue).
bool AllGrey(std::span<const Pixel> palette);

// For a palette of greys: the index of the entry nearest to each luminance 0..255, the
// earlier entry on a tie.
std::vector<std::uint8_t> GreyIndexTable(std::span<const Pixel> palette);

}  // namespace rastrix
