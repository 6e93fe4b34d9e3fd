#include "codec/BmpLayout.h"

#include <algorithm>

namespace rastrix {

FileLayout ComputeFileLayout(int width, int height, int depth) {
    const std::uint64_t w = std::uint64_t(std::max(width, 0));
    const std::uint64_t h = std::uint64_t(std::max(height, 0));
    FileLayout l;
    switch (depth) {
        case 1:
            l.saveDepth = 1;
            l.stride = (w + 31) / 32 * 4;
            l.paletteCapacity = 2;
            break;
        case 4:
            l.saveDepth = 4;
            l.stride = (w + 7) / 8 * 4;
            l.paletteCapacity = 16;
            break;
        case 8:
            l.saveDepth = 8;
            l.stride = (w + 3) / 4 * 4;
            l.paletteCapacity = 256;
            break;
        default:
            l.saveDepth = 24;
            l.stride = (3 * w + 3) / 4 * 4;
            l.paletteCapacity = 0;
            break;
    }
    l.imageBytes = l.stride * h;
    l.paletteBytes = 4 * std::uint64_t(l.paletteCapacity);
    l.pixelOffset = kWrittenHeaderBytes + l.paletteBytes;
    l.fileSize = l.pixelOffset + l.imageBytes;
    return l;
}

namespace {

void Put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

}  // namespace

void WriteBmpHeader(std::uint8_t* out, const FileLayout& l, int width, int height) {
    std::fill(out, out + kWrittenHeaderBytes, std::uint8_t(0));
    out[0] = 'B';
    out[1] = 'M';
    Put32(out + 2, std::uint32_t(l.fileSize));
    Put32(out + 10, std::uint32_t(l.pixelOffset));
    Put32(out + 14, 40);
    Put32(out + 18, std::uint32_t(std::max(width, 0)));
    Put32(out + 22, std::uint32_t(std::max(height, 0)));  // positive: bottom row first
    Put16(out + 26, 1);
    Put16(out + 28, std::uint32_t(l.saveDepth));
    Put32(out + 34, std::uint32_t(l.imageBytes));
    Put32(out + 46, l.colorsUsed);
    // Compression, resolutions and the important colours stay 0.
}

}  // namespace rastrix
