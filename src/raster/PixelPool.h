#pragma once
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

namespace rastrix {

// Large pixel blocks (whole image levels), kept for reuse instead of being given back to the
// system and fetched again. Memory fresh from the system costs a page fault per page on first
// touch, and on a virtual machine that costs as much as several copies of the block, so a
// level thrown away (Undo, the oldest level dropped, an image replaced by one of the same
// size) is kept for the next level of about its size.
//
// Bounded: a block given back is kept only while the blocks in use and the kept ones number
// at most maxBlocks, and only when it fits the size last asked for; blocks of another size
// are freed as soon as a request of a new size arrives (the image shrank or was replaced).
//
// Thread-safe. Worker threads (one per core, at most two), started by the first PrepareSpare
// and joined by the destructor, map the pages of fresh spare blocks in the background, a chunk
// at a time and one block after the other, and go on mapping a block that is taken before it
// is done, before any other. They pause while a kernel split in bands runs (raster/Bands.h),
// so a command has the cores to itself.
class PixelPool {
public:
    // Blocks are whole multiples of this (a huge page) and aligned to it.
    static constexpr std::size_t kGranule = std::size_t(2) << 20;

    explicit PixelPool(std::size_t maxBlocks);
    ~PixelPool();
    PixelPool(const PixelPool&) = delete;
    PixelPool& operator=(const PixelPool&) = delete;

    // How a fresh block's pages are got: mapped at once (by two threads for a large block), or
    // by the kernel as they are first written, for a caller that may still fail before it
    // writes them all (a decoder of a file that only claims a large picture).
    enum class FreshPages { MapNow, MapAsWritten };

    // A block of at least `bytes` (rounded up to kGranule): a kept block that fits, already
    // mapped when there is one, otherwise a new one. Null when the memory cannot be had. A kept
    // block whose pages are not all mapped yet has them got as a fresh block's are.
    void* Take(std::size_t bytes, FreshPages fresh = FreshPages::MapNow);
    // Gives back a block from Take, with the bytes it was asked for.
    void Give(void* block, std::size_t bytes) noexcept;

    // Makes sure `count` blocks for `bytes` are kept, allocating them while the bound leaves
    // room, and has the workers map their pages so the next Takes of that size find them ready.
    // Returns at once: the command the user starts next never waits for the workers.
    void PrepareSpare(std::size_t bytes, std::size_t count = 1);

    struct Counts {
        std::size_t inUse = 0;   // taken and not given back
        std::size_t kept = 0;    // held for reuse
        std::size_t fresh = 0;   // blocks got from the system so far
        std::size_t reused = 0;  // Takes answered with a kept block
        std::size_t Held() const { return inUse + kept; }
    };
    Counts Counters() const;

    // Changes the bound; for a program that holds large bitmaps of its own beside the image
    // levels (a benchmark's reference images), so that the levels are kept as they would be.
    void SetBound(std::size_t maxBlocks);

    // Gives every kept block back to the system.
    void FreeKept();

    // No new block is got from the system while this many are held: Take then gives null, as
    // when memory has run out. Lets tests make an allocation fail.
    void SetHeldCeiling(std::size_t blocks);
    // Waits until the workers have nothing left to prepare.
    void WaitUntilPrepared();

    // The pool every Bitmap takes its large blocks from: four image levels and one spare.
    static constexpr std::size_t kSharedBlocks = 5;
    static PixelPool& Shared();

private:
    struct Block {
        char* data;
        std::size_t bytes;
        bool mapped;  // its pages have been touched or populated
    };
    // A block whose pages the workers map, last chunk first: [end, bytes) are mapped or being
    // mapped, and `busy` chunks of it are in a worker's hands. A block freed meanwhile is freed
    // by the worker that ends its last chunk, so that no one waits for a worker.
    struct Job {
        char* data;
        std::size_t bytes;
        std::size_t end;
        int busy;
        bool freeWhenDone = false;
    };

    static std::size_t Round(std::size_t bytes);
    static bool Fits(std::size_t blockBytes, std::size_t wanted);
    void FreeUnfitting(std::size_t wanted);
    void FreeBlock(char* data, std::size_t bytes);
    char* Allocate(std::size_t bytes);
    std::vector<Job>::iterator JobOf(const char* data);
    void StartWorkers();
    void Work();

    std::size_t maxBlocks_;
    std::size_t ceiling_ = static_cast<std::size_t>(-1);
    mutable std::mutex lock_;
    std::condition_variable wake_;     // the workers: a chunk to map, or stop
    std::condition_variable prepared_; // a job ended
    std::vector<Block> kept_;
    std::vector<Job> jobs_;  // in the order they are to be done
    std::size_t wanted_ = 0;  // rounded size of the last request
    Counts counts_;
    bool stop_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace rastrix
