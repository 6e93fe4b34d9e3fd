#include "batch/BatchSizes.h"

#include <algorithm>
#include <cstdlib>

#include "codec/JpegDecoder.h"
#include "codec/PngDecoder.h"
#include "document/NewImageDialog.h"

namespace rastrix::batch {

namespace {

// a * b / c rounded to nearest, at least 1; all positive and far below 2^63.
std::int64_t Share(std::int64_t a, std::int64_t b, std::int64_t c) { return std::max<std::int64_t>(1, (2 * a * b + c) / (2 * c)); }

std::int32_t Int32At(std::span<const std::uint8_t> b, std::size_t at) {
    return std::int32_t(std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
                        std::uint32_t(b[at + 3]) << 24);
}

}  // namespace

WorkedSize WorkOutSize(const Step& s, int pictureWidth, int pictureHeight) {
    const std::int64_t pw = std::max(1, pictureWidth), ph = std::max(1, pictureHeight);
    WorkedSize size{s.a, s.b, false};
    if (s.sizeForm & kSizePercent) {
        size.width = Share(pw, s.a, 100);
        size.height = Share(ph, s.b, 100);
    } else if (s.sizeForm & kWidthFromAspect) {
        size.width = Share(s.b, pw, ph);
    } else if (s.sizeForm & kHeightFromAspect) {
        size.height = Share(s.a, ph, pw);
    }
    if (s.sizeForm & kShrinkOnly) {
        size.leave = pw <= size.width && ph <= size.height;
        if (s.kind == StepKind::Size) {
            size.width = std::min(size.width, pw);
            size.height = std::min(size.height, ph);
        }
    }
    return size;
}

std::optional<std::string> RefuseWorkedSize(const WorkedSize& size) {
    const auto side = [](std::int64_t v) { return std::uint32_t(std::clamp<std::int64_t>(v, 0, 0xFFFFFFFF)); };
    if (const auto why = RefuseImageSize(side(size.width), side(size.height))) return std::string(*why);
    return std::nullopt;
}

std::optional<Step> ConcreteSizeStep(const Step& step, int pictureWidth, int pictureHeight, std::string& refusal) {
    const WorkedSize size = WorkOutSize(step, pictureWidth, pictureHeight);
    if (size.leave) return std::nullopt;
    if (const auto why = RefuseWorkedSize(size)) {
        refusal = *why;
        return std::nullopt;
    }
    Step concrete = step;
    concrete.a = int(size.width);
    concrete.b = int(size.height);
    concrete.sizeForm = kSizeExact;
    return concrete;
}

std::optional<HeaderSides> PictureHeaderSize(std::span<const std::uint8_t> bytes) {
    if (const auto png = PngHeaderSize(bytes)) return HeaderSides{png->width, png->height};
    if (const auto jpeg = JpegHeaderSize(bytes)) return HeaderSides{jpeg->width, jpeg->height};
    // A BMP: the core header's 16-bit sides, or the later headers' 32-bit ones (a negative
    // height is a picture stored top row first).
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const std::int32_t header = Int32At(bytes, 14);
    if (header == 12) return HeaderSides{bytes[18] | bytes[19] << 8, bytes[20] | bytes[21] << 8};
    if (header < 40) return std::nullopt;
    const std::int64_t width = Int32At(bytes, 18), height = std::llabs(std::int64_t(Int32At(bytes, 22)));
    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return std::nullopt;
    return HeaderSides{int(width), int(height)};
}

}  // namespace rastrix::batch
