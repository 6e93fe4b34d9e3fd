#pragma once
// EXIF data written byte by byte, to put into JPEG files made by the tests.
#include <cstdint>
#include <vector>

#include "support/PictureTestFiles.h"

namespace rastrix::testing {

struct TiffEntry {
    std::uint16_t tag = 0x0112;  // orientation
    std::uint16_t type = 3;      // a 16-bit value
    std::uint32_t count = 1;
    std::uint32_t value = 1;     // a 16-bit value sits in the field's first two bytes
};

// A TIFF structure as an Exif segment holds it: header, then at `directoryOffset` (8 right after
// the header; an offset of 4096 or more is only claimed, the directory follows the header) the
// first directory with these entries and a zero link to the next.
// `entryCount` overrides the number written in the directory (to claim more than are there).
struct TiffRecipe {
    bool bigEndian = false;
    std::vector<TiffEntry> entries = {TiffEntry{}};
    std::uint32_t directoryOffset = 8;
    int entryCount = -1;
};
PictureBytes TiffBytes(const TiffRecipe& recipe);

// A JPEG segment: marker, length (body plus its own two bytes) and body.
PictureBytes Segment(std::uint8_t marker, const PictureBytes& body);
// An APP1 segment named "Exif" holding the TIFF bytes.
PictureBytes ExifSegment(const PictureBytes& tiff);
// The JPEG with the bytes put right after its start-of-image marker.
PictureBytes AfterStartOfImage(const PictureBytes& jpeg, const PictureBytes& inserted);
// The JPEG with an Exif segment that gives this orientation.
PictureBytes WithOrientation(const PictureBytes& jpeg, int orientation);

}  // namespace rastrix::testing
