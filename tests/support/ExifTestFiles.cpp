#include "support/ExifTestFiles.h"

#include <algorithm>
#include <cstddef>

namespace rastrix::testing {

namespace {

void Put(PictureBytes& out, std::uint32_t v, int width, bool bigEndian) {
    for (int i = 0; i < width; ++i) {
        const int shift = 8 * (bigEndian ? width - 1 - i : i);
        out.push_back(std::uint8_t(v >> shift));
    }
}

}  // namespace

PictureBytes TiffBytes(const TiffRecipe& r) {
    PictureBytes out;
    out.push_back(r.bigEndian ? 'M' : 'I');
    out.push_back(r.bigEndian ? 'M' : 'I');
    Put(out, 42, 2, r.bigEndian);
    Put(out, r.directoryOffset, 4, r.bigEndian);
    // A directory said to lie far away is written after the header all the same.
    if (r.directoryOffset < 4096) out.resize(std::max<std::size_t>(out.size(), r.directoryOffset), 0);
    Put(out, r.entryCount < 0 ? std::uint32_t(r.entries.size()) : std::uint32_t(r.entryCount), 2, r.bigEndian);
    for (const TiffEntry& e : r.entries) {
        Put(out, e.tag, 2, r.bigEndian);
        Put(out, e.type, 2, r.bigEndian);
        Put(out, e.count, 4, r.bigEndian);
        if (e.type == 3) {
            Put(out, e.value, 2, r.bigEndian);
            Put(out, 0, 2, r.bigEndian);
        } else {
            Put(out, e.value, 4, r.bigEndian);
        }
    }
    Put(out, 0, 4, r.bigEndian);  // no next directory
    return out;
}

PictureBytes Segment(std::uint8_t marker, const PictureBytes& body) {
    PictureBytes out = {0xFF, marker};
    Put(out, std::uint32_t(body.size() + 2), 2, true);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

PictureBytes ExifSegment(const PictureBytes& tiff) {
    PictureBytes body = {'E', 'x', 'i', 'f', 0, 0};
    body.insert(body.end(), tiff.begin(), tiff.end());
    return Segment(0xE1, body);
}

PictureBytes AfterStartOfImage(const PictureBytes& jpeg, const PictureBytes& inserted) {
    PictureBytes out(jpeg.begin(), jpeg.begin() + 2);
    out.insert(out.end(), inserted.begin(), inserted.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

PictureBytes WithOrientation(const PictureBytes& jpeg, int orientation) {
    TiffRecipe recipe;
    recipe.entries[0].value = std::uint32_t(orientation);
    return AfterStartOfImage(jpeg, ExifSegment(TiffBytes(recipe)));
}

}  // namespace rastrix::testing
