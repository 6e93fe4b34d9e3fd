#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "raster/Color.h"
#include "raster/Geometry.h"
#include "raster/PixelAllocator.h"

namespace rastrix {

// A 32-bit memory bitmap: pixels 0x00RRGGBB, rows top-down and contiguous.
// A movable value; copying copies the pixels.
class Bitmap {
public:
    Bitmap() = default;
    // Allocates width x height pixels, all black. Negative sizes count as 0.
    // Throws std::bad_alloc like any container; use TryCreate at a boundary that must not throw.
    Bitmap(int width, int height);
    Bitmap(int width, int height, Color fill);
    // Copies are one block copy of the pixels.
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&&) noexcept = default;
    Bitmap& operator=(Bitmap&&) noexcept = default;

    // What a new bitmap's pixels hold: black, or whatever the memory held, for a caller that
    // writes every pixel before anyone reads one. UnsetMappedAsWritten is Unset for a decoder
    // that may still fail before it has written them all: fresh memory gets its pages only as
    // they are written, so a file that claims more than it holds costs no more than it holds.
    enum class NewPixels { Black, Unset, UnsetMappedAsWritten };

    // Allocation that reports failure as an empty result instead of throwing.
    static std::optional<Bitmap> TryCreate(int width, int height, NewPixels pixels = NewPixels::Black);

    // A bitmap made in the memory of `donor`, which is left empty, when that memory holds the
    // pixels and is not much larger; otherwise nullopt and the donor is untouched. Never
    // allocates, so it cannot fail for want of memory.
    static std::optional<Bitmap> TryReuse(Bitmap& donor, int width, int height, NewPixels pixels = NewPixels::Black);

    // After a command on a large image: has `count` spare blocks for bitmaps of this size made
    // ready in the background, so the next levels find their pages already mapped instead of
    // paying a fault for each on first touch. Returns at once. For a small size the kept
    // large blocks are given back.
    static void PrepareSpare(int width, int height, int count = 1);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
    Rect Bounds() const { return {0, 0, width_, height_}; }
    std::size_t ByteSize() const { return pixels_.size() * sizeof(Pixel); }

    Pixel* Row(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    const Pixel* Row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    Pixel* Data() { return pixels_.data(); }
    const Pixel* Data() const { return pixels_.data(); }

    // Colour access; outside the bitmap GetPixel is kInvalidColor and SetPixel does nothing.
    Color GetPixel(int x, int y) const;
    void SetPixel(int x, int y, Color c);

    void Fill(Color c);

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    Bitmap(int width, int height, NewPixels pixels);

    std::vector<Pixel, PixelAllocator> pixels_;
};

}  // namespace rastrix
