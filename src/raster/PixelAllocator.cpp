#include "raster/PixelAllocator.h"

#include <atomic>
#include <cstdlib>
#include <limits>

#include "raster/PixelPool.h"

namespace rastrix {

namespace {

// Below this a block is an ordinary allocation: huge pages and pooling would waste more than
// they save.
constexpr std::size_t kLargeBlock = std::size_t(8) << 20;

bool IsLarge(std::size_t n) { return n >= kLargeBlock / sizeof(Pixel); }

// Set once the shared pool is gone at exit; a bitmap that outlives it frees its block itself.
std::atomic<bool> sharedPoolGone{false};

thread_local bool freshPagesAsWritten = false;

struct SharedPool {
    PixelPool pool{PixelPool::kSharedBlocks};
    ~SharedPool() { sharedPoolGone = true; }
};

}  // namespace

PixelPool& PixelPool::Shared() {
    static SharedPool shared;
    return shared.pool;
}

Pixel* PixelAllocator::allocate(std::size_t n) {
    if (n > (std::numeric_limits<std::size_t>::max() - PixelPool::kGranule) / sizeof(Pixel)) throw std::bad_alloc();
    if (!IsLarge(n)) return static_cast<Pixel*>(::operator new(n * sizeof(Pixel)));
    void* block = PixelPool::Shared().Take(
        n * sizeof(Pixel), freshPagesAsWritten ? PixelPool::FreshPages::MapAsWritten : PixelPool::FreshPages::MapNow);
    if (!block) throw std::bad_alloc();
    return static_cast<Pixel*>(block);
}

void PixelAllocator::deallocate(Pixel* p, std::size_t n) noexcept {
    if (!IsLarge(n)) {
        ::operator delete(p);
        return;
    }
    if (sharedPoolGone) std::free(p);
    else PixelPool::Shared().Give(p, n * sizeof(Pixel));
}

PixelAllocator::FreshPagesAsWritten::FreshPagesAsWritten() : before_(freshPagesAsWritten) {
    freshPagesAsWritten = true;
}

PixelAllocator::FreshPagesAsWritten::~FreshPagesAsWritten() { freshPagesAsWritten = before_; }

void PixelAllocator::PrepareSpare(std::size_t n, std::size_t count) {
    if (IsLarge(n)) PixelPool::Shared().PrepareSpare(n * sizeof(Pixel), count);
    else PixelPool::Shared().FreeKept();  // the image is small now: large blocks serve it nothing
}

}  // namespace rastrix
