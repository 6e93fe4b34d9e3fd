#include "raster/PixelPool.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <thread>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define RASTRIX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RASTRIX_ASAN 1
#endif
#endif
#if defined(RASTRIX_ASAN)
#include <sanitizer/asan_interface.h>
#endif

namespace rastrix {
namespace {

// A kept block is poisoned, so that the sanitizer build still catches a bitmap used after it
// was freed although its memory stays in the process.
void MarkKept(void* p, std::size_t bytes, bool kept) {
#if defined(RASTRIX_ASAN)
    if (kept) __asan_poison_memory_region(p, bytes);
    else __asan_unpoison_memory_region(p, bytes);
#else
    (void)p, (void)bytes, (void)kept;
#endif
}

// Asks the kernel to map the pages of [p, p + bytes) writable without touching their
// contents, so it is safe while a command already writes into the block. False where the
// kernel cannot (before Linux 5.14, other systems): the block is then left as it is.
bool Populate(char* p, std::size_t bytes) {
#if defined(__linux__)
#ifndef MADV_POPULATE_WRITE
    constexpr int MADV_POPULATE_WRITE = 23;
#endif
    return madvise(p, bytes, MADV_POPULATE_WRITE) == 0;
#else
    (void)p, (void)bytes;
    return false;
#endif
}

// A fresh block of this size or more has its pages mapped by two threads at once before it is
// handed out. The first touch of fresh memory is most of the cost of a new level on a virtual
// machine (the host backs each page then), and two cores take it in about 60 % of the time one
// does; a command would otherwise fault the pages in one by one on its own thread.
constexpr std::size_t kPopulateInHalvesBytes = std::size_t(64) << 20;

void PopulateFresh(char* p, std::size_t bytes) {
    if (bytes < kPopulateInHalvesBytes || std::thread::hardware_concurrency() < 2) return;
    const std::size_t half = bytes / 2 / PixelPool::kGranule * PixelPool::kGranule;
    std::thread other;
    try {
        other = std::thread([p, half, bytes] { Populate(p + half, bytes - half); });
    } catch (const std::system_error&) {
        return;  // no thread to be had: the command touches the pages itself
    }
    Populate(p, half);
    other.join();
}

}  // namespace

PixelPool::PixelPool(std::size_t maxBlocks) : maxBlocks_(maxBlocks) {}

PixelPool::~PixelPool() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        stop_ = true;
        stopPreparing_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
    for (const Block& b : kept_) {
        MarkKept(b.data, b.bytes, false);
        std::free(b.data);
    }
}

std::size_t PixelPool::Round(std::size_t bytes) {
    if (bytes > static_cast<std::size_t>(-1) - kGranule) return 0;
    return (bytes + kGranule - 1) / kGranule * kGranule;
}

// A block serves a request when it is large enough and not much larger: a level cropped to
// a little less still reuses one, a much smaller image gives it back.
bool PixelPool::Fits(std::size_t blockBytes, std::size_t wanted) {
    return blockBytes >= wanted && blockBytes - wanted <= blockBytes / 4;
}

void PixelPool::FreeBlock(std::unique_lock<std::mutex>& lock, char* data, std::size_t bytes) {
    if (preparing_ == data) {
        // Waits for the worker's current chunk at most.
        stopPreparing_ = true;
        prepared_.wait(lock, [&] { return preparing_ != data; });
    }
    MarkKept(data, bytes, false);
    std::free(data);
}

void PixelPool::FreeUnfitting(std::unique_lock<std::mutex>& lock, std::size_t wanted) {
    // Every unfitting block leaves the kept list before any is freed: a free may wait for the
    // worker with the lock let go, and another thread may change the list meanwhile.
    std::vector<Block> unfitting;
    for (std::size_t i = kept_.size(); i-- > 0;) {
        if (Fits(kept_[i].bytes, wanted)) continue;
        unfitting.push_back(kept_[i]);
        kept_.erase(kept_.begin() + std::ptrdiff_t(i));
        --counts_.kept;
    }
    for (const Block& b : unfitting) FreeBlock(lock, b.data, b.bytes);
}

char* PixelPool::Allocate(std::size_t bytes) {
    if (counts_.Held() >= ceiling_) return nullptr;
    char* p = static_cast<char*>(std::aligned_alloc(kGranule, bytes));
    if (!p) return nullptr;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // A hint: a 192 MB level is then touched in a hundred faults instead of fifty thousand.
    madvise(p, bytes, MADV_HUGEPAGE);
#endif
    ++counts_.fresh;
    return p;
}

void* PixelPool::Take(std::size_t bytes, FreshPages fresh) {
    const std::size_t wanted = Round(bytes);
    if (wanted == 0) return nullptr;
    std::unique_lock<std::mutex> lock(lock_);
    wanted_ = wanted;
    FreeUnfitting(lock, wanted);
    // Another thread may have given back a block of another size while the lock was let go,
    // so the fit is checked again; one whose pages are mapped saves the faults.
    auto best = kept_.end();
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        if (!Fits(it->bytes, wanted)) continue;
        if (best == kept_.end() || (it->mapped && !best->mapped)) best = it;
    }
    if (best != kept_.end()) {
        char* p = best->data;
        // A block the worker is still mapping stays in its hands: it maps from the end while
        // the command writes from the start, so the two share the faults until they meet. One
        // it has not reached yet is mapped here, as a fresh block is.
        const bool unmapped = !best->mapped && preparing_ != p;
        kept_.erase(best);
        --counts_.kept;
        ++counts_.inUse;
        ++counts_.reused;
        MarkKept(p, wanted, false);
        lock.unlock();
        if (unmapped && fresh == FreshPages::MapNow) PopulateFresh(p, wanted);
        return p;
    }
    char* p = Allocate(wanted);
    if (!p) return nullptr;
    ++counts_.inUse;
    lock.unlock();
    if (fresh == FreshPages::MapNow) PopulateFresh(p, wanted);
    return p;
}

void PixelPool::Give(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    const std::size_t rounded = Round(bytes);
    std::unique_lock<std::mutex> lock(lock_);
    --counts_.inUse;
    char* p = static_cast<char*>(block);
    if (!stop_ && Fits(rounded, wanted_) && counts_.Held() < maxBlocks_) {
        MarkKept(p, rounded, true);
        kept_.push_back({p, rounded, true});
        ++counts_.kept;
        return;
    }
    FreeBlock(lock, p, rounded);
}

void PixelPool::PrepareSpare(std::size_t bytes) {
    const std::size_t wanted = Round(bytes);
    if (wanted == 0) return;
    std::unique_lock<std::mutex> lock(lock_);
    if (stop_) return;
    wanted_ = wanted;
    FreeUnfitting(lock, wanted);
    if (std::none_of(kept_.begin(), kept_.end(), [&](const Block& b) { return Fits(b.bytes, wanted); })) {
        if (counts_.Held() >= maxBlocks_) return;
        char* p = Allocate(wanted);
        if (!p) return;
        MarkKept(p, wanted, true);
        kept_.push_back({p, wanted, false});
        ++counts_.kept;
    }
    if (!NextToPrepare()) return;
    if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
    wake_.notify_all();
}

PixelPool::Block* PixelPool::NextToPrepare() {
    for (Block& b : kept_)
        if (!b.mapped && b.data != preparing_) return &b;
    return nullptr;
}

void PixelPool::Work() {
    std::unique_lock<std::mutex> lock(lock_);
    for (;;) {
        wake_.wait(lock, [&] { return stop_ || NextToPrepare() != nullptr; });
        if (stop_) return;
        Block* next = NextToPrepare();
        char* const data = next->data;
        const std::size_t bytes = next->bytes;
        preparing_ = data;
        stopPreparing_ = false;
        // A chunk at a time, unlocked, so a free waits for one chunk at most; last chunk first,
        // away from where a command that takes the block meanwhile starts writing. Pages the
        // command has written by then are left as they are.
        for (std::size_t end = bytes; end > 0 && !stopPreparing_;) {
            const std::size_t at = (end - 1) / kGranule * kGranule;
            lock.unlock();
            const bool done = Populate(data + at, end - at);
            lock.lock();
            if (!done) break;
            end = at;
        }
        // Marked mapped also when the kernel cannot populate: there is nothing more to do.
        for (Block& b : kept_)
            if (b.data == data) b.mapped = true;
        preparing_ = nullptr;
        prepared_.notify_all();
    }
}

PixelPool::Counts PixelPool::Counters() const {
    std::lock_guard<std::mutex> hold(lock_);
    return counts_;
}

void PixelPool::FreeKept() {
    std::unique_lock<std::mutex> lock(lock_);
    while (!kept_.empty()) {
        const Block b = kept_.back();
        kept_.pop_back();
        --counts_.kept;
        FreeBlock(lock, b.data, b.bytes);
    }
}

void PixelPool::SetBound(std::size_t maxBlocks) {
    std::lock_guard<std::mutex> hold(lock_);
    maxBlocks_ = maxBlocks;
}

void PixelPool::SetHeldCeiling(std::size_t blocks) {
    std::lock_guard<std::mutex> hold(lock_);
    ceiling_ = blocks;
}

void PixelPool::WaitUntilPrepared() {
    std::unique_lock<std::mutex> lock(lock_);
    prepared_.wait(lock, [&] { return stop_ || (preparing_ == nullptr && NextToPrepare() == nullptr); });
}

}  // namespace rastrix
