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
    // writes every pixel before anyone reads one.
    enum class NewPixels { Black, Unset };

    // Allocation that reports failure as an empty result instead of throwing.
    static std::optional<Bitmap> TryCreate(int width, int height, NewPixels pixels = NewPixels::Black);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
    Rect Bounds() const { return {0, 0, width_, height_}; }
    std::size_t ByteSize() const { return pixels_.size() * sizeof(Pixel); }

    Pixel* Row(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    const Pixel* Row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    Pixel* Data() { return pixels_.data(); }
    const Pixel* Data() const { return pixels_.data(); }

    // COLORREF access; outside the bitmap GetPixel is CLR_INVALID and SetPixel does nothing.
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
