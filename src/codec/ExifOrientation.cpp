#include "codec/ExifOrientation.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "raster/Bands.h"
#include "raster/Turn.h"

namespace rastrix {

namespace {

// Fields of a TIFF structure (the body of an Exif segment), in the byte order its header names.
// Every read is checked against the bytes; offsets are 64-bit so no sum of them can wrap.
struct TiffFields {
    std::span<const std::uint8_t> bytes;
    bool bigEndian = false;

    std::optional<std::uint32_t> Read(std::uint64_t at, int width) const {
        if (at > bytes.size() || bytes.size() - at < std::uint64_t(width)) return std::nullopt;
        std::uint32_t v = 0;
        for (int i = 0; i < width; ++i) {
            const std::uint32_t byte = bytes[std::size_t(at) + std::size_t(bigEndian ? i : width - 1 - i)];
            v = (v << 8) | byte;
        }
        return v;
    }
    std::optional<std::uint32_t> U16(std::uint64_t at) const { return Read(at, 2); }
    std::optional<std::uint32_t> U32(std::uint64_t at) const { return Read(at, 4); }
};

constexpr std::uint32_t kTiffMagic = 42;
constexpr std::uint32_t kOrientationTag = 0x0112;
constexpr std::uint32_t kShortType = 3;
constexpr std::uint64_t kEntryBytes = 12;  // tag, type, count, value

// The orientation tag of the first image directory (IFD0), where cameras put it.
int OrientationInTiff(std::span<const std::uint8_t> tiff) {
    if (tiff.size() < 8) return kUprightOrientation;
    TiffFields f{tiff};
    if (tiff[0] == 'M' && tiff[1] == 'M') f.bigEndian = true;
    else if (tiff[0] != 'I' || tiff[1] != 'I') return kUprightOrientation;
    if (f.U16(2) != kTiffMagic) return kUprightOrientation;
    const std::optional<std::uint32_t> directory = f.U32(4);
    const std::optional<std::uint32_t> count = directory ? f.U16(*directory) : std::nullopt;
    if (!count) return kUprightOrientation;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const std::uint64_t entry = std::uint64_t(*directory) + 2 + kEntryBytes * i;
        const std::optional<std::uint32_t> tag = f.U16(entry);
        if (!tag) return kUprightOrientation;  // the directory runs past the end
        if (*tag != kOrientationTag) continue;
        const std::optional<std::uint32_t> value = f.U16(entry + 8);
        if (f.U16(entry + 2) != kShortType || f.U32(entry + 4) != 1u || !value) return kUprightOrientation;
        return (*value >= 1 && *value <= 8) ? int(*value) : kUprightOrientation;
    }
    return kUprightOrientation;
}

// JPEG markers.
constexpr std::uint8_t kMarkerStart = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kApp1 = 0xE1;
// Markers that stand alone, without a length: TEM and the restart markers RST0..RST7.
constexpr bool StandsAlone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

constexpr char kExifName[6] = {'E', 'x', 'i', 'f', 0, 0};

}  // namespace

int ReadExifOrientation(std::span<const std::uint8_t> b) {
    if (b.size() < 2 || b[0] != kMarkerStart || b[1] != kStartOfImage) return kUprightOrientation;
    std::size_t at = 2;
    // Each step moves on by at least one byte, so the walk ends within the bytes.
    while (b.size() - at >= 4) {
        if (b[at] != kMarkerStart) return kUprightOrientation;  // not a segment: nothing more to follow
        const std::uint8_t marker = b[at + 1];
        if (marker == kMarkerStart) {  // a fill byte before a marker
            ++at;
            continue;
        }
        if (marker == kStartOfScan || marker == kEndOfImage) return kUprightOrientation;
        if (StandsAlone(marker)) {
            at += 2;
            continue;
        }
        const std::size_t length = (std::size_t(b[at + 2]) << 8) | b[at + 3];  // counts its own two bytes
        if (length < 2 || length > b.size() - at - 2) return kUprightOrientation;
        const std::span<const std::uint8_t> body = b.subspan(at + 4, length - 2);
        if (marker == kApp1 && body.size() >= sizeof kExifName &&
            std::memcmp(body.data(), kExifName, sizeof kExifName) == 0)
            return OrientationInTiff(body.subspan(sizeof kExifName));
        at += 2 + length;
    }
    return kUprightOrientation;
}

bool TurnUpright(Bitmap& picture, int orientation) {
    const int w = picture.Width(), h = picture.Height();
    if (orientation < 2 || orientation > 8 || picture.IsEmpty()) return true;
    if (orientation <= 4) {
        // Mirrors and the half turn keep the size: pixels change places within the bitmap, in
        // bands of rows across the cores.
        if (orientation != 4)
            ForEachBand(h, 1, BandItems(w), [&](int first, int last) {
                for (int y = first; y < last; ++y) std::reverse(picture.Row(y), picture.Row(y) + w);
            });
        if (orientation != 2)
            ForEachBand(h / 2, 1, BandItems(2 * w), [&](int first, int last) {
                for (int y = first; y < last; ++y)
                    std::swap_ranges(picture.Row(y), picture.Row(y) + w, picture.Row(h - 1 - y));
            });
        return true;
    }
    // 5 to 8 swap the sides, into a new bitmap.
    std::optional<Bitmap> turned = Bitmap::TryCreate(h, w, Bitmap::NewPixels::Unset);
    if (!turned) return false;
    TurnArea(picture, picture.Bounds(), *turned, {}, *SideSwappingTurn(orientation));
    picture = std::move(*turned);
    return true;
}

std::optional<Turn> SideSwappingTurn(int orientation) {
    constexpr Turn kSwapping[] = {Turn::Transpose, Turn::Clockwise, Turn::Transverse, Turn::CounterClockwise};
    if (orientation < 5 || orientation > 8) return std::nullopt;
    return kSwapping[orientation - 5];
}

}  // namespace rastrix
