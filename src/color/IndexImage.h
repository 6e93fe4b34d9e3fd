#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace rastrix {

// An image as indexes into a palette: one byte a pixel, rows top row first, no padding.
struct IndexImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indexes;  // width x height

    std::uint8_t* Row(int y) { return indexes.data() + std::size_t(y) * std::size_t(width); }
    const std::uint8_t* Row(int y) const { return indexes.data() + std::size_t(y) * std::size_t(width); }
};

}  // namespace rastrix
