#pragma once
#include <cstdint>
#include <span>

namespace rastrix {

// What the markers of a JPEG file say before any of it is decoded: the frame header and the
// scans. Read in one pass over the bytes (entropy-coded data is skipped, not decoded), so a
// file whose claims cannot hold is refused before the decoder takes any memory for it.
struct JpegOutline {
    bool frameFound = false;  // a frame header (SOF) was read whole
    int frameMarker = 0;      // 0xC0 .. 0xCF
    int precision = 0;        // bits a sample
    int width = 0;
    int height = 0;           // 0: given later by a DNL marker
    int scans = 0;            // start-of-scan markers met
    // The first scan: the 8 x 8 blocks it codes and the bytes of its coded data; known when
    // the scan codes DC values (every block then needs at least one bit of Huffman code).
    bool firstScanMeasured = false;
    std::uint64_t firstScanBlocks = 0;
    std::uint64_t firstScanBytes = 0;
};

JpegOutline ReadJpegOutline(std::span<const std::uint8_t> bytes);

// Scans a progressive file may have; real encoders write about ten, and each one is a full
// pass over the picture. The decoder's own limit is the same.
inline constexpr int kJpegMaxScans = 500;

// True when the outline's first scan codes more blocks than its data can hold at one bit
// each: a Huffman-coded picture whose data cannot fill the size its frame header claims.
bool JpegFirstScanTooShort(const JpegOutline& outline);

}  // namespace rastrix
