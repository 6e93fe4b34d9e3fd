#pragma once
#include <optional>
#include <string>

#include "batch/BatchOptions.h"
#include "raster/Bitmap.h"

namespace rastrix {
struct Editor;
}

namespace rastrix::batch {

// A picture's alpha kept for a 32-bit file follows the commands that move pixels: a turn or
// flip (of the image or a square selection), a shift, a crop, a change of size (the new area
// opaque, as its background colour is) and a scale. Painting (fills, the bucket) would lay
// opaque colours into transparent places, so it is refused while the picture has transparency;
// an alpha that is all opaque is simply let go, as nothing of it would be written.
class AlphaFollower {
public:
    explicit AlphaFollower(std::optional<Bitmap>& alpha) : alpha_(alpha) {}

    // Before the step runs, with the image and selection as they are then: why the step cannot
    // keep the transparency (the file then fails), or empty.
    std::string Before(const Editor& ed, const Step& step);
    // After the step ran without a failure: the alpha moved as its pixels moved. Returns why
    // it could not be (memory), or empty.
    std::string After(const Editor& ed);

private:
    enum class Move { None, Turn, Shift, Crop, Size, Scale };
    std::optional<Bitmap>& alpha_;
    Move move_ = Move::None;
    CommandId command_{};
    Rect area_;  // the area turned or shifted, or the rectangle cropped to
    bool whole_ = false;
    Step step_;
};

}  // namespace rastrix::batch
