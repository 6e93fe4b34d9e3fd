#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "raster/Bitmap.h"

namespace rastrix {

// Up to four versions of the image: level 0 is the oldest, the top level (undoDepth) is the
// one shown, edited and saved. Each level is a whole bitmap of its own size.
struct ImageStack {
    static constexpr int kLevels = 4;
    std::array<Bitmap, kLevels> levels;
    // Size of level i, recorded when a newer level is pushed on top of it.
    std::array<std::int32_t, kLevels> levelWidth{};
    std::array<std::int32_t, kLevels> levelHeight{};
    // The colours a level holds by construction, in the order a save at 1, 4 or 8 bits writes
    // them as its table (the palette Reduce Colours mapped it to); empty for a level made any
    // other way. A level's pixels may still have left it since (an edit in place): a save checks.
    std::array<std::vector<Pixel>, kLevels> palettes;
    // Grows whenever the level shown becomes another one (a push, Undo, a new image), so a
    // tool that works across several events can tell whether its level is still the top.
    std::uint64_t topSerial = 0;
};

// The document that goes with the image.
struct DocumentState {
    ImageStack stack;
    std::uint8_t undoDepth = 0;    // levels below the one shown, 0..3
    std::uint8_t modified = 0;     // changed since it was opened or last saved
    std::uint8_t needsSaveAs = 0;  // Save must ask for a name (a new image, or a picture not yet a BMP)
    std::int32_t imageWidth = 0;
    std::int32_t imageHeight = 0;
    std::uint32_t imageBitDepth = 0;
    std::uint32_t fileSize = 0;  // 0 until the first image exists
    std::string currentPath;
    std::size_t fileTitle = 0;  // position in currentPath just after the last separator
    std::string caption = "Rastrix";
};

}  // namespace rastrix
