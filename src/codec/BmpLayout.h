#pragma once
#include <cstdint>

namespace rastrix {

// Sizes of an uncompressed BMP file of a given image size and bit depth.
struct FileLayout {
    int saveDepth = 24;               // 1, 4, 8 or 24
    std::uint64_t stride = 0;         // bytes per stored row, a multiple of 4
    std::uint64_t imageBytes = 0;     // stride x height
    int paletteCapacity = 0;          // 2, 16, 256, or 0 at 24 bits
    std::uint64_t paletteBytes = 0;   // 4 x paletteCapacity
    std::uint64_t pixelOffset = 0;    // 54 + paletteBytes
    std::uint64_t fileSize = 0;       // pixelOffset + imageBytes
    // The header's colours-used field: 0, as the editor's own saves write it, or the number of
    // table entries, for a table given in advance (small readers size their table from it).
    std::uint32_t colorsUsed = 0;

    // The header's size fields are 32-bit; a larger file cannot be written faithfully.
    bool FitsHeader() const { return fileSize <= 0xFFFFFFFFull; }
};

inline constexpr int kWrittenHeaderBytes = 54;

// Depths 1, 4 and 8 get a colour table; every other value is laid out as 24 bits.
// Negative sizes count as 0.
FileLayout ComputeFileLayout(int width, int height, int depth);

// Writes the 54-byte file and info header into out (which must hold 54 bytes).
void WriteBmpHeader(std::uint8_t* out, const FileLayout& layout, int width, int height);

}  // namespace rastrix
