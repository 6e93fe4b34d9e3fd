#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "batch/BatchOptions.h"

namespace rastrix::batch {

// The size a --size, --fit, --cover or --scale step asks of a picture of the given size: a side
// from the aspect ratio or a percentage rounded to nearest and at least 1. `leave` when the
// step only shrinks and the picture is inside its box already. --size that only shrinks takes
// each side no larger than the picture's, so it never adds area.
struct WorkedSize {
    std::int64_t width = 0, height = 0;
    bool leave = false;
};
WorkedSize WorkOutSize(const Step& step, int pictureWidth, int pictureHeight);

// Why the worked-out size cannot be made (a side beyond 65535, too many pixels), as the editor
// refuses such a size; nothing when it can.
std::optional<std::string> RefuseWorkedSize(const WorkedSize& size);

// The step with its size worked out for the picture (sizeForm plain), or nothing when it
// leaves the picture as it is; `refusal` says why when the size cannot be made.
std::optional<Step> ConcreteSizeStep(const Step& step, int pictureWidth, int pictureHeight, std::string& refusal);

// The width and height in a BMP, PNG or JPEG file's header, read without decoding.
struct HeaderSides {
    int width = 0, height = 0;
};
std::optional<HeaderSides> PictureHeaderSize(std::span<const std::uint8_t> bytes);

}  // namespace rastrix::batch
