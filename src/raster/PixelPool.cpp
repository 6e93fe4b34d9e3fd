#include "raster/PixelPool.h"

#include <algorithm>
#include <chrono>
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

#include "raster/Bands.h"

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
    }
    wake_.notify_all();
    for (std::thread& w : workers_) w.join();
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

std::vector<PixelPool::Job>::iterator PixelPool::JobOf(const char* data) {
    return std::find_if(jobs_.begin(), jobs_.end(), [data](const Job& j) { return j.data == data; });
}

// A block in a worker's hands is freed by the worker when it ends its chunk; none of it is
// handed out any more.
void PixelPool::FreeBlock(char* data, std::size_t bytes) {
    const auto job = JobOf(data);
    if (job != jobs_.end()) {
        if (job->busy > 0) {
            job->end = 0;
            job->freeWhenDone = true;
            return;
        }
        jobs_.erase(job);
    }
    MarkKept(data, bytes, false);
    std::free(data);
}

void PixelPool::FreeUnfitting(std::size_t wanted) {
    for (std::size_t i = kept_.size(); i-- > 0;) {
        if (Fits(kept_[i].bytes, wanted)) continue;
        const Block b = kept_[i];
        kept_.erase(kept_.begin() + std::ptrdiff_t(i));
        --counts_.kept;
        FreeBlock(b.data, b.bytes);
    }
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
    FreeUnfitting(wanted);
    // The block with the fewest pages left to map saves the most faults: a mapped one, else
    // the one the workers are furthest on.
    const auto unmapped = [&](const Block& b) -> std::size_t {
        if (b.mapped) return 0;
        const auto job = JobOf(b.data);
        return job == jobs_.end() ? b.bytes : job->end;
    };
    auto best = kept_.end();
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        if (!Fits(it->bytes, wanted)) continue;
        if (best == kept_.end() || unmapped(*it) < unmapped(*best)) best = it;
    }
    if (best != kept_.end()) {
        char* p = best->data;
        // A block the workers have started on stays in their hands, ahead of every other: they
        // map from the end while the command writes from the start, so they share the faults
        // until they meet. One they have not reached yet is mapped here, as a fresh block is.
        bool mapHere = false;
        if (!best->mapped) {
            const auto job = JobOf(p);
            if (job == jobs_.end() || (job->end == job->bytes && job->busy == 0)) {
                if (job != jobs_.end()) jobs_.erase(job);
                mapHere = true;
            } else {
                std::rotate(jobs_.begin(), job, job + 1);
            }
        }
        kept_.erase(best);
        --counts_.kept;
        ++counts_.inUse;
        ++counts_.reused;
        MarkKept(p, wanted, false);
        lock.unlock();
        if (mapHere && fresh == FreshPages::MapNow) PopulateFresh(p, wanted);
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
        kept_.push_back({p, rounded, JobOf(p) == jobs_.end()});
        ++counts_.kept;
        return;
    }
    FreeBlock(p, rounded);
}

void PixelPool::PrepareSpare(std::size_t bytes, std::size_t count) {
    const std::size_t wanted = Round(bytes);
    if (wanted == 0 || count == 0) return;
    std::unique_lock<std::mutex> lock(lock_);
    if (stop_) return;
    wanted_ = wanted;
    FreeUnfitting(wanted);
    std::size_t spares = std::size_t(
        std::count_if(kept_.begin(), kept_.end(), [&](const Block& b) { return Fits(b.bytes, wanted); }));
    bool added = false;
    for (; spares < count && counts_.Held() < maxBlocks_; ++spares) {
        char* p = Allocate(wanted);
        if (!p) break;
        MarkKept(p, wanted, true);
        kept_.push_back({p, wanted, false});
        jobs_.push_back({p, wanted, wanted, 0});
        ++counts_.kept;
        added = true;
    }
    if (!added) return;
    StartWorkers();
    wake_.notify_all();
}

void PixelPool::StartWorkers() {
    const std::size_t wanted = std::thread::hardware_concurrency() >= 2 ? 2 : 1;
    while (workers_.size() < wanted) {
        try {
            workers_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            break;  // one fewer worker; with none the blocks are mapped as they are taken
        }
    }
}

void PixelPool::Work() {
    std::unique_lock<std::mutex> lock(lock_);
    const auto next = [&] { return std::find_if(jobs_.begin(), jobs_.end(), [](const Job& j) { return j.end > 0; }); };
    for (;;) {
        wake_.wait(lock, [&] { return stop_ || next() != jobs_.end(); });
        if (stop_) return;
        if (BandsRunning()) {
            // A command's kernel has the cores; it maps what it writes of a block not ready.
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            lock.lock();
            continue;
        }
        // A chunk at a time, with the lock let go, so no one waits for a chunk; last chunk first,
        // away from where a command that takes the block meanwhile starts writing. Pages the
        // command has written by then are left as they are.
        const auto job = next();
        char* const data = job->data;
        const std::size_t at = (job->end - 1) / kGranule * kGranule;
        const std::size_t end = job->end;
        job->end = at;
        ++job->busy;
        lock.unlock();
        const bool done = Populate(data + at, end - at);
        lock.lock();
        const auto mine = JobOf(data);
        --mine->busy;
        if (!done) mine->end = 0;  // the kernel cannot: there is nothing more to do
        if (mine->end > 0 || mine->busy > 0) continue;
        const bool freed = mine->freeWhenDone;
        const std::size_t blockBytes = mine->bytes;
        jobs_.erase(mine);
        if (freed) {
            MarkKept(data, blockBytes, false);
            std::free(data);
        }
        for (Block& b : kept_)
            if (b.data == data) b.mapped = true;
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
        FreeBlock(b.data, b.bytes);
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
    prepared_.wait(lock, [&] { return stop_ || jobs_.empty(); });
}

}  // namespace rastrix
