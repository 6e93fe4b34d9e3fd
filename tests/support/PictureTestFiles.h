#pragma once
// PNG, JPEG and PNG/JPEG-in-BMP files made by the tests themselves with the encoders of the
// same libraries, so every file's pixels are known.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "raster/Bitmap.h"

namespace rastrix::testing {

using PictureBytes = std::vector<std::uint8_t>;

struct PngRecipe {
    int width = 0;
    int height = 0;
    int colorType = 2;  // 0 grey, 2 colour, 3 palette, 4 grey + alpha, 6 colour + alpha
    int bitDepth = 8;
    bool interlaced = false;
    // Rows as PNG stores them, packed, without filter bytes; 16-bit samples in host order.
    std::vector<std::uint8_t> rows = {};
    std::vector<std::array<std::uint8_t, 3>> palette = {};
    std::vector<std::uint8_t> paletteAlpha = {};  // a tRNS chunk for a palette picture
    // A tRNS chunk for a grey or colour picture: the sample value(s) that are transparent.
    std::optional<std::array<std::uint16_t, 3>> transparentKey = {};
};

PictureBytes EncodePng(const PngRecipe& recipe);

// 16-bit samples in the host order the encoder takes.
void AppendSample16(std::vector<std::uint8_t>& rows, std::uint16_t v);

// Quality 100 without chroma subsampling, so decoded pixels stay close to the originals.
PictureBytes EncodeJpeg(const Bitmap& picture, bool grey = false, bool cmyk = false);

// A progressive JPEG as libjpeg's own script writes one, with the chroma subsampling given as
// a TurboJPEG TJSAMP_ value (TJSAMP_GRAY for a grey picture).
PictureBytes EncodeProgressiveJpeg(const Bitmap& picture, int subsampling);

// A JPEG file of markers only, for the checks made on a file before it is decoded: a frame
// header (baseline 0xC0, progressive 0xC2, arithmetic-coded 0xC9 and 0xCA, ...) of components
// 1, 2, ... with the sampling factors given, each scan's header followed by `dataBytes` bytes of
// made-up coded data, and the end marker unless left out.
struct JpegScanSketch {
    std::vector<int> components;  // their numbers, from 1
    int ss = 0, se = 0, ah = 0, al = 0;
    std::size_t dataBytes = 8;
};
struct JpegSketch {
    int frameMarker = 0xC2;
    int width = 0;
    int height = 0;
    std::vector<std::array<int, 2>> sampling = {{1, 1}};  // h and v of each component
    std::vector<JpegScanSketch> scans = {};
    bool end = true;
};
PictureBytes SketchJpeg(const JpegSketch& sketch);

// A bitmap file whose pixels are the given PNG (compression 5) or JPEG (4) data.
PictureBytes WrapInBmp(const PictureBytes& picture, int width, int height, int compression, int bitCount = 0);

// A colourful asymmetric picture whose colours change slowly, which JPEG keeps well.
Bitmap SmoothPicture(int width, int height);

}  // namespace rastrix::testing
