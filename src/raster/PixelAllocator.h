#pragma once
#include <cstddef>
#include <new>

#include "raster/Color.h"

namespace rastrix {

// Memory for bitmap pixels. Large blocks (whole image levels) come from the shared PixelPool,
// which keeps them for reuse; small ones are ordinary allocations. Elements are
// default-initialised: a new vector's pixels are unset unless the caller gives a value
// (Bitmap does, unless it is asked for unset pixels).
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

    // Has the pool keep `count` spare blocks of n pixels ready; for a small image, gives the
    // kept large blocks back instead.
    static void PrepareSpare(std::size_t n, std::size_t count = 1);

    // While one lives, fresh large blocks taken on this thread get their pages as they are
    // written instead of all at once.
    class FreshPagesAsWritten {
    public:
        FreshPagesAsWritten();
        ~FreshPagesAsWritten();
        FreshPagesAsWritten(const FreshPagesAsWritten&) = delete;
        FreshPagesAsWritten& operator=(const FreshPagesAsWritten&) = delete;

    private:
        bool before_;
    };

    friend bool operator==(const PixelAllocator&, const PixelAllocator&) { return true; }
};

}  // namespace rastrix
