#include "raster/PixelAllocator.h"

#include <cstdlib>
#include <limits>
#include <mutex>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace rastrix {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
// Below this a block is an ordinary allocation: huge pages would waste more than they save.
constexpr std::size_t kLargeBlock = std::size_t(8) << 20;

bool IsLarge(std::size_t n) { return n >= kLargeBlock / sizeof(Pixel); }
std::size_t BlockBytes(std::size_t n) { return (n * sizeof(Pixel) + kHugePage - 1) / kHugePage * kHugePage; }

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kKeepFreedBlock = false;  // every block goes back, so use after free is caught
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kKeepFreedBlock = false;
#else
constexpr bool kKeepFreedBlock = true;
#endif
#else
constexpr bool kKeepFreedBlock = true;
#endif

// The last large block given back, kept for the next large request it fits: an undo level
// thrown away and the next one made are usually the same size, and memory the program has
// touched before costs no page faults (fresh memory costs about one copy of itself in faults).
struct KeptBlock {
    std::mutex lock;
    void* block = nullptr;
    std::size_t bytes = 0;
};

KeptBlock& Kept() {
    static KeptBlock kept;
    return kept;
}

void* TakeKept(std::size_t bytes) {
    KeptBlock& k = Kept();
    std::lock_guard<std::mutex> hold(k.lock);
    void* block = nullptr;
    // Reuse a block that is not much larger than asked for; otherwise give it back first so
    // that two large blocks are not held for one.
    if (k.block && k.bytes >= bytes && k.bytes - bytes <= k.bytes / 4)
        block = k.block;
    else
        std::free(k.block);
    k.block = nullptr;
    k.bytes = 0;
    return block;
}

// Returns true when the block was kept.
bool Keep(void* block, std::size_t bytes) {
    if (!kKeepFreedBlock) return false;
    KeptBlock& k = Kept();
    std::lock_guard<std::mutex> hold(k.lock);
    std::free(k.block);
    k.block = block;
    k.bytes = bytes;
    return true;
}

}  // namespace

void ReleaseKeptPixelBlock() {
    KeptBlock& k = Kept();
    std::lock_guard<std::mutex> hold(k.lock);
    std::free(k.block);
    k.block = nullptr;
    k.bytes = 0;
}

Pixel* PixelAllocator::allocate(std::size_t n) {
    if (n > (std::numeric_limits<std::size_t>::max() - kHugePage) / sizeof(Pixel)) throw std::bad_alloc();
    if (!IsLarge(n)) return static_cast<Pixel*>(::operator new(n * sizeof(Pixel)));
    const std::size_t bytes = BlockBytes(n);
    if (void* kept = TakeKept(bytes)) return static_cast<Pixel*>(kept);
    void* block = std::aligned_alloc(kHugePage, bytes);
    if (!block) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(block, bytes, MADV_HUGEPAGE);  // a hint; without it the block is just slower to touch
#endif
    return static_cast<Pixel*>(block);
}

void PixelAllocator::deallocate(Pixel* p, std::size_t n) noexcept {
    if (!IsLarge(n)) {
        ::operator delete(p);
        return;
    }
    if (!Keep(p, BlockBytes(n))) std::free(p);
}

}  // namespace rastrix
