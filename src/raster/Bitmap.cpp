#include "raster/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

namespace rastrix {

Bitmap::Bitmap(int width, int height) : Bitmap(width, height, NewPixels::Black) {}

Bitmap::Bitmap(int width, int height, NewPixels pixels)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    const std::size_t count = std::size_t(width_) * std::size_t(height_);
    if (pixels == NewPixels::Black) {
        pixels_.assign(count, Pixel{0});
    } else if (pixels == NewPixels::UnsetMappedAsWritten) {
        PixelAllocator::FreshPagesAsWritten asWritten;
        pixels_.resize(count);
    } else {
        pixels_.resize(count);  // default-initialised: left as the memory was
    }
}

Bitmap::Bitmap(const Bitmap& other) : Bitmap(other.width_, other.height_, NewPixels::Unset) {
    if (!pixels_.empty()) std::memcpy(pixels_.data(), other.pixels_.data(), ByteSize());
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) *this = Bitmap(other);
    return *this;
}

Bitmap::Bitmap(int width, int height, Color fill) : Bitmap(width, height) { Fill(fill); }

std::optional<Bitmap> Bitmap::TryCreate(int width, int height, NewPixels pixels) {
    try {
        return Bitmap(width, height, pixels);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
}

std::optional<Bitmap> Bitmap::TryReuse(Bitmap& donor, int width, int height, NewPixels pixels) {
    Bitmap made;
    made.width_ = std::max(width, 0);
    made.height_ = std::max(height, 0);
    const std::size_t count = std::size_t(made.width_) * std::size_t(made.height_);
    const std::size_t capacity = donor.pixels_.capacity();
    if (capacity < count || capacity - count > capacity / 4) return std::nullopt;
    made.pixels_ = std::exchange(donor.pixels_, {});
    donor.width_ = donor.height_ = 0;
    made.pixels_.resize(count);  // within the capacity: no allocation, new pixels unset
    if (pixels == NewPixels::Black) made.Fill(Color{0});
    return made;
}

void Bitmap::PrepareSpare(int width, int height, int count) {
    PixelAllocator::PrepareSpare(std::size_t(std::max(width, 0)) * std::size_t(std::max(height, 0)),
                                 std::size_t(std::max(count, 0)));
}

Color Bitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidColor;
    return PixelToColor(Row(y)[x]);
}

void Bitmap::SetPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Row(y)[x] = ClearTopByte(ColorToPixel(c));
}

void Bitmap::Fill(Color c) { std::fill(pixels_.begin(), pixels_.end(), ClearTopByte(ColorToPixel(c))); }

}  // namespace rastrix
