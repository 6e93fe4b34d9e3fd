#pragma once
#include <cstdint>
#include <span>

namespace rastrix {

// What the markers of a JPEG file say before any of it is decoded: the frame header and the
// scans. Read in one pass over the bytes (entropy-coded data is skipped, not decoded), so a
// file whose claims cannot hold is refused before the decoder takes any memory for it.
struct JpegOutline {
    bool frameFound = false;  // a frame header (SOF) was read whole
    bool endFound = false;    // the end-of-image marker was met
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
    // The 8 x 8 blocks of every component of the frame, and the blocks all scans together
    // code: their ratio is how many times the decoder passes over the picture.
    std::uint64_t frameBlocks = 0;
    std::uint64_t scanBlocks = 0;
    // The memory the decoder keeps for the whole picture's coefficients (two bytes a sample,
    // padded as it pads them) when the picture comes in several scans (progressive, or a first
    // scan without every component); 0 for a picture it decodes in one pass.
    std::uint64_t coefficientBytes = 0;
};

// With frameOnly the reading stops at the frame header: only the frame's fields are filled
// (the size without a pass over the whole file).
JpegOutline ReadJpegOutline(std::span<const std::uint8_t> bytes, bool frameOnly = false);

// Scans a progressive file may have; real encoders write about ten, and each one is a full
// pass over the picture. The decoder's own limit is the same.
inline constexpr int kJpegMaxScans = 500;

// True when the outline's first scan codes more blocks than its data can hold at one bit
// each: a Huffman-coded picture whose data cannot fill the size its frame header claims.
bool JpegFirstScanTooShort(const JpegOutline& outline);

// The work of the scans is bounded: all of them together may code each block of the picture
// at most this many times (encoders' progressive scripts come to five or six), or, for a small
// picture, this many blocks in all (a fraction of a second).
inline constexpr std::uint64_t kJpegMaxScanPasses = 20;
inline constexpr std::uint64_t kJpegFreeScanBlocks = std::uint64_t(1) << 22;
bool JpegScansTooMuchWork(const JpegOutline& outline);

// The most coefficient memory a picture in several scans may need: as much as the largest
// image's pixels.
inline constexpr std::uint64_t kJpegMaxCoefficientBytes = std::uint64_t(1) << 30;

}  // namespace rastrix
