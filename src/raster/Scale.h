#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/Geometry.h"

namespace rastrix {

// How a scaled pixel is made from the source pixels.
enum class ScaleFilter {
    Lanczos,  // a weighted sum of the pixels near it (Lanczos-3), widened by the reduction
              // factor when reducing, so every source pixel counts and a large reduction is
              // not aliased; for photos and anti-aliased drawings
    Nearest,  // the one source pixel under the scaled pixel's centre; for pixel art
};

// How a picture meets a target width and height.
enum class ScaleFit {
    Fit,    // keeps the aspect ratio, the whole picture inside the target, the rest filled
            // with the background colour, the picture centred
    Cover,  // keeps the aspect ratio, the picture covers the whole target, what sticks out is
            // cut off equally on both sides
    Exact,  // exactly the target size, the aspect ratio as it comes
};

// Which side or corner of the target a picture keeps to when it leaves part of the target to
// the background (Fit) or sticks out of it (Cover): Left keeps the picture's left edge on the
// target's, and so on; Centre shares the rest equally (one pixel more after the picture when odd).
enum class ScaleAnchor { Centre, TopLeft, Top, TopRight, Left, Right, BottomLeft, Bottom, BottomRight };

// Where the scaled picture lies: the whole picture scaled to `scaled` (width x height in
// `scaled.right`, `scaled.bottom`, left and top 0) and the part of it that lands in the target,
// `shown` in the scaled picture's coordinates, drawn at `at` in the target. For Fit `shown` is
// the whole scaled picture and `at` places it by the anchor; for Cover `shown` is the
// target-sized window the anchor picks and `at` is 0,0. Sizes are rounded to the nearest pixel
// and never below 1.
struct ScaleLayout {
    Rect scaled;
    Rect shown;
    Point at;
};

// Both the source and the target are at least 1 x 1.
ScaleLayout LayOutScale(int srcWidth, int srcHeight, int width, int height, ScaleFit fit,
                        ScaleAnchor anchor = ScaleAnchor::Centre);

// The picture scaled to width x height (each at least 1) with the filter, laid out as `fit`
// and `anchor` say; pixels outside the picture (Fit) get `background`, a 0x00RRGGBB pixel. The filter works
// on the stored sRGB values, not in linear light (see Scale.cpp). An empty source, a size below
// 1 or memory that cannot be had gives nullopt; nothing throws.
std::optional<Bitmap> ScaleBitmap(const Bitmap& src, int width, int height, ScaleFit fit, ScaleFilter filter,
                                  Pixel background = Pixel{0x00FFFFFFu}, ScaleAnchor anchor = ScaleAnchor::Centre);

// For a reader that hands out a large picture row by row, so it is never held whole: the whole
// factors by which ScaleBitmap first averages the picture down (1 x 1 when it does not).
struct ScaleShrink {
    int kx = 1;
    int ky = 1;
};
ScaleShrink PlanShrink(int srcWidth, int srcHeight, int width, int height, ScaleFit fit, ScaleFilter filter);

// Averages each kx x ky block of a picture whose rows are added one at a time, top row first;
// blocks at the right and bottom edges may be smaller and average what they hold. The rows of
// a block are added column by column (a straight pass over memory), then the columns of each block.
class BlockAverager {
public:
    // Nullopt when a size or factor is below 1 or memory cannot be had.
    static std::optional<BlockAverager> Create(int width, int height, int kx, int ky);
    // The next row of `width` pixels; rows past the last are ignored.
    void Add(const Pixel* row);
    // The averaged picture once every row has been added, else nullopt.
    std::optional<Bitmap> Take();
    // How many rows of the averaged picture are finished so far, and one of them.
    int RowsDone() const { return next_ == height_ ? out_.Height() : next_ / ky_; }
    const Pixel* DoneRow(int y) const { return out_.Row(y); }

private:
    BlockAverager() = default;
    void FinishBlockRow();

    int width_ = 0, height_ = 0, kx_ = 1, ky_ = 1;
    int next_ = 0;        // rows added
    int spreadRows_ = 0;  // rows in spread_
    Bitmap out_;
    std::vector<std::uint64_t> spread_;   // up to 256 rows' channels per column, spread over a word
    std::vector<std::uint32_t> columns_;  // the block's red, green and blue sums per column
};

// ScaleBitmap with the Lanczos filter of a srcWidth x srcHeight picture that was averaged down
// by `shrink` into `averaged` (as PlanShrink said; 1 x 1 for the picture itself). Gives what
// ScaleBitmap gives for the whole picture.
std::optional<Bitmap> ScaleAveraged(const Bitmap& averaged, int srcWidth, int srcHeight, ScaleShrink shrink, int width,
                                    int height, ScaleFit fit, Pixel background = Pixel{0x00FFFFFFu},
                                    ScaleAnchor anchor = ScaleAnchor::Centre);

// ScaleBitmap with the Lanczos filter for a picture handed over one row at a time, top row
// first, never held whole: a large reduction averages each row in as it comes, and each row
// (or averaged row) is filtered across at once and each scaled row made as soon as the rows it
// reads are in. Gives exactly what ScaleBitmap gives for the whole picture.
class RowScaler {
public:
    // Nullopt when a size is below 1 or memory cannot be had.
    static std::optional<RowScaler> Create(int srcWidth, int srcHeight, int width, int height, ScaleFit fit,
                                           Pixel background = Pixel{0x00FFFFFFu}, ScaleAnchor anchor = ScaleAnchor::Centre);
    RowScaler(RowScaler&&) noexcept;
    RowScaler& operator=(RowScaler&&) noexcept;
    ~RowScaler();

    // The next row of srcWidth pixels (the top byte of each is not read); rows past the last
    // are ignored.
    void Add(const Pixel* row);
    // The scaled picture once every row has been added, else nullopt.
    std::optional<Bitmap> Take();

private:
    struct Filter;
    RowScaler() = default;

    std::optional<BlockAverager> averager_;
    int averagedFed_ = 0;  // averaged rows handed to the filter
    std::unique_ptr<Filter> filter_;
};

}  // namespace rastrix
