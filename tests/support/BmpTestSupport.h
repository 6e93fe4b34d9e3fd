#pragma once
// Small helpers for the writer's tests: reading a few header fields and decoding the
// uncompressed files the writer produces, independently of the program's own reader.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "raster/Bitmap.h"

namespace rastrix::testing {

using Bytes = std::vector<std::uint8_t>;

inline std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return std::uint32_t(b.at(at)) | std::uint32_t(b.at(at + 1)) << 8 | std::uint32_t(b.at(at + 2)) << 16 |
           std::uint32_t(b.at(at + 3)) << 24;
}
inline std::uint16_t Le16(const Bytes& b, std::size_t at) {
    return std::uint16_t(b.at(at) | b.at(at + 1) << 8);
}

inline void Append16(Bytes& b, std::uint32_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
inline void Append32(Bytes& b, std::uint32_t v) {
    Append16(b, v & 0xFFFF);
    Append16(b, v >> 16);
}

// The 54 header bytes of an uncompressed file, spelled out field by field.
inline Bytes ExpectedHeader(std::uint32_t fileSize, std::uint32_t pixelOffset, std::uint32_t width,
                            std::uint32_t height, std::uint16_t depth, std::uint32_t imageBytes,
                            std::uint32_t colorsUsed = 0) {
    Bytes b = {'B', 'M'};
    Append32(b, fileSize);
    Append32(b, 0);
    Append32(b, pixelOffset);
    Append32(b, 40);
    Append32(b, width);
    Append32(b, height);
    Append16(b, 1);
    Append16(b, depth);
    Append32(b, 0);
    Append32(b, imageBytes);
    Append32(b, 0);
    Append32(b, 0);
    Append32(b, colorsUsed);
    Append32(b, 0);
    return b;
}

// Decodes an uncompressed bottom-up file of 1, 4, 8 or 24 bits; nullopt if it is not one.
inline std::optional<Bitmap> DecodeSimpleBmp(const Bytes& f) {
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M' || Le32(f, 14) != 40 || Le32(f, 30) != 0) return std::nullopt;
    const int w = int(Le32(f, 18));
    const int h = int(Le32(f, 22));
    const int depth = Le16(f, 28);
    const std::size_t offset = Le32(f, 10);
    const std::size_t stride = ((std::size_t(w) * depth + 31) / 32) * 4;
    if (w <= 0 || h <= 0 || offset + stride * std::size_t(h) > f.size()) return std::nullopt;
    std::vector<Color> table;
    if (depth != 24) {
        const std::size_t entries = std::size_t(1) << depth;
        if (54 + 4 * entries > offset) return std::nullopt;
        for (std::size_t i = 0; i < entries; ++i)
            table.push_back(ColorFromRgb(f[54 + 4 * i + 2], f[54 + 4 * i + 1], f[54 + 4 * i]));
    }
    Bitmap out(w, h);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = f.data() + offset + stride * std::size_t(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            Color c{0};
            switch (depth) {
                case 1: c = table[(row[x / 8] >> (7 - x % 8)) & 1]; break;
                case 4: c = table[(row[x / 2] >> (x % 2 ? 0 : 4)) & 15]; break;
                case 8: c = table[row[x]]; break;
                case 24: c = ColorFromRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
                default: return std::nullopt;
            }
            out.SetPixel(x, y, c);
        }
    }
    return out;
}

}  // namespace rastrix::testing
