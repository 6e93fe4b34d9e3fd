#pragma once
// The whole of a BMP file as the writer hands it over piece by piece, for tests that compare
// files or put them on disk.
#include <vector>

#include "codec/BmpWriter.h"

namespace rastrix::testing {

// Status and depth as EncodeBmpPieces gives them; the bytes of all its pieces when Ok, else none.
inline EncodedBmp EncodeBmpFile(const Bitmap& image, int depth, const ColorLossQuestion& ask) {
    EncodedBmp out;
    std::vector<std::uint8_t> buffer;
    const BmpFileBytes file = EncodeBmpPieces(image, depth, ask, buffer);
    out.status = file.status;
    out.saveDepth = file.saveDepth;
    if (file.status != EncodeStatus::Ok) return out;
    for (auto piece = file.pieces(); !piece.empty(); piece = file.pieces()) out.bytes.insert(out.bytes.end(), piece.begin(), piece.end());
    return out;
}

}  // namespace rastrix::testing
