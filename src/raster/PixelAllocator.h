#pragma once
#include <cstddef>
#include <new>

#include "raster/Color.h"

namespace rastrix {

// Memory for bitmap pixels. Large blocks are aligned to 2 MiB and offered to the kernel for
// huge pages, so a fresh 192 MB image is touched in a hundred faults instead of fifty
// thousand. Elements are default-initialised: a new vector's pixels are unset unless the
// caller gives a value (Bitmap does, unless it is asked for unset pixels).
// Frees the large block kept for reuse, if any. For a caller that knows no image of that size
// comes next (rastrix-batch between steps), so the block does not count against its memory.
void ReleaseKeptPixelBlock();

struct PixelAllocator {
    using value_type = Pixel;

    // Only ever used for pixels.
    template <class U>
    struct rebind {
        using other = PixelAllocator;
    };

    Pixel* allocate(std::size_t n);
    void deallocate(Pixel* p, std::size_t n) noexcept;

    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(static_cast<Args&&>(args)...);
    }

    friend bool operator==(const PixelAllocator&, const PixelAllocator&) { return true; }
};

}  // namespace rastrix
