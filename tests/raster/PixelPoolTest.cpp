#include "raster/PixelPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#include <thread>
#include <vector>

namespace rastrix {
namespace {

constexpr std::size_t kMiB = std::size_t(1) << 20;

// The share of the block's pages that are in memory.
double ResidentShare(void* block, std::size_t bytes) {
    const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> in((bytes + page - 1) / page);
    if (mincore(block, bytes, in.data()) != 0) return -1;
    std::size_t resident = 0;
    for (unsigned char v : in) resident += v & 1;
    return double(resident) / double(in.size());
}

// Takes n blocks of the given size; none may fail.
std::vector<void*> TakeMany(PixelPool& pool, int n, std::size_t bytes) {
    std::vector<void*> blocks;
    for (int i = 0; i < n; ++i) {
        blocks.push_back(pool.Take(bytes));
        EXPECT_NE(blocks.back(), nullptr);
    }
    return blocks;
}

TEST(PixelPoolTest, ABlockGivenBackServesTheNextRequestOfItsSize) {
    PixelPool pool(3);
    void* first = pool.Take(8 * kMiB);
    ASSERT_NE(first, nullptr);
    pool.Give(first, 8 * kMiB);
    EXPECT_EQ(pool.Counters().kept, 1u);
    EXPECT_EQ(pool.Take(8 * kMiB), first);
    // A level cropped a little smaller fits the same block (rounded to whole granules).
    pool.Give(first, 8 * kMiB);
    EXPECT_EQ(pool.Take(7 * kMiB), first);
    const PixelPool::Counts c = pool.Counters();
    EXPECT_EQ(c.fresh, 1u);
    EXPECT_EQ(c.reused, 2u);
    EXPECT_EQ(c.inUse, 1u);
    EXPECT_EQ(c.kept, 0u);
    pool.Give(first, 7 * kMiB);
}

TEST(PixelPoolTest, NeverKeepsMoreThanItsBoundInUseAndKeptTogether) {
    PixelPool pool(3);
    std::vector<void*> blocks = TakeMany(pool, 5, 4 * kMiB);  // more in use than the bound: allowed
    EXPECT_EQ(pool.Counters().Held(), 5u);
    for (void* b : blocks) {
        pool.Give(b, 4 * kMiB);
        EXPECT_LE(pool.Counters().Held(), 5u);
    }
    EXPECT_EQ(pool.Counters().kept, 3u);
    EXPECT_EQ(pool.Counters().inUse, 0u);
    // Taking them again reuses all three and gets only what is missing.
    blocks = TakeMany(pool, 4, 4 * kMiB);
    EXPECT_EQ(pool.Counters().fresh, 6u);
    EXPECT_EQ(pool.Counters().reused, 3u);
    for (void* b : blocks) pool.Give(b, 4 * kMiB);
    EXPECT_EQ(pool.Counters().kept, 3u);
}

TEST(PixelPoolTest, ARequestOfAnotherSizeGivesBackTheBlocksThatDoNotFit) {
    PixelPool pool(5);
    std::vector<void*> big = TakeMany(pool, 3, 16 * kMiB);
    for (void* b : big) pool.Give(b, 16 * kMiB);
    EXPECT_EQ(pool.Counters().kept, 3u);
    // The image shrank to a quarter: its blocks are freed before the new one is got.
    void* small = pool.Take(4 * kMiB);
    EXPECT_EQ(pool.Counters().kept, 0u);
    EXPECT_EQ(pool.Counters().Held(), 1u);
    // A block of the old size given back now is not kept either.
    void* old = pool.Take(16 * kMiB);
    pool.Give(small, 4 * kMiB);  // the last request was 16 MiB: this one no longer fits
    EXPECT_EQ(pool.Counters().kept, 0u);
    pool.Give(old, 16 * kMiB);
    EXPECT_EQ(pool.Counters().kept, 1u);
}

TEST(PixelPoolTest, AtTheCeilingTakeFailsUntilABlockComesBack) {
    PixelPool pool(5);
    pool.SetHeldCeiling(2);
    std::vector<void*> blocks = TakeMany(pool, 2, 4 * kMiB);
    EXPECT_EQ(pool.Take(4 * kMiB), nullptr);
    EXPECT_EQ(pool.Counters().Held(), 2u);
    pool.Give(blocks[1], 4 * kMiB);
    EXPECT_EQ(pool.Take(4 * kMiB), blocks[1]);
    for (void* b : blocks) pool.Give(b, 4 * kMiB);
}

TEST(PixelPoolTest, ASpareIsMadeReadyOnceAndOnlyWithinTheBound) {
    PixelPool pool(2);
    pool.PrepareSpare(8 * kMiB);
    pool.PrepareSpare(8 * kMiB);  // already there: nothing more is got
    pool.WaitUntilPrepared();
    EXPECT_EQ(pool.Counters().kept, 1u);
    EXPECT_EQ(pool.Counters().fresh, 1u);
    void* a = pool.Take(8 * kMiB);
    void* b = pool.Take(8 * kMiB);
    EXPECT_EQ(pool.Counters().reused, 1u);
    pool.PrepareSpare(8 * kMiB);  // two in use: the bound leaves no room for a spare
    EXPECT_EQ(pool.Counters().Held(), 2u);
    pool.Give(a, 8 * kMiB);
    pool.Give(b, 8 * kMiB);
    // A spare of another size replaces the kept blocks.
    pool.PrepareSpare(32 * kMiB);
    pool.WaitUntilPrepared();
    EXPECT_EQ(pool.Counters().kept, 1u);
    EXPECT_EQ(pool.Counters().Held(), 1u);
}

TEST(PixelPoolTest, ATakeDoesNotWaitForTheWorkerAndTheBlockStaysUsable) {
    PixelPool pool(2);
    pool.PrepareSpare(64 * kMiB);
    // Taken at once, most likely while its pages are still being mapped.
    auto* p = static_cast<unsigned char*>(pool.Take(64 * kMiB));
    ASSERT_NE(p, nullptr);
    for (std::size_t i = 0; i < 64 * kMiB; i += 4096) p[i] = static_cast<unsigned char>(i >> 12);
    pool.WaitUntilPrepared();
    for (std::size_t i = 0; i < 64 * kMiB; i += 4096) ASSERT_EQ(p[i], static_cast<unsigned char>(i >> 12));
    pool.Give(p, 64 * kMiB);
    // Freed while being prepared: the worker frees it once its chunk is done.
    pool.PrepareSpare(128 * kMiB);
    void* other = pool.Take(4 * kMiB);  // another size: the spare is freed
    EXPECT_EQ(pool.Counters().Held(), 1u);
    pool.Give(other, 4 * kMiB);
}

// Several spares asked for at once (the levels an open image may still grow by): as many as the
// bound leaves room for beside the blocks in use, got once, and all of them mapped in the end.
TEST(PixelPoolTest, SeveralSparesAreMadeReadyWithinTheBound) {
    struct Case {
        std::size_t bound, inUse, asked, kept;
    };
    for (const Case c : {Case{5, 1, 3, 3}, Case{5, 1, 4, 4}, Case{5, 1, 6, 4}, Case{3, 1, 3, 2}, Case{5, 3, 1, 1},
                         Case{5, 5, 2, 0}}) {
        PixelPool pool(c.bound);
        std::vector<void*> used = TakeMany(pool, int(c.inUse), 8 * kMiB);
        pool.PrepareSpare(8 * kMiB, c.asked);
        pool.PrepareSpare(8 * kMiB, c.asked);  // already there: nothing more is got
        pool.WaitUntilPrepared();
        const PixelPool::Counts n = pool.Counters();
        EXPECT_EQ(n.kept, c.kept) << c.bound << " " << c.inUse << " " << c.asked;
        EXPECT_EQ(n.fresh, c.inUse + c.kept);
        EXPECT_LE(n.Held(), std::max(c.bound, c.inUse));
        // Each spare serves a Take without a block from the system.
        std::vector<void*> spares = TakeMany(pool, int(c.kept), 8 * kMiB);
        EXPECT_EQ(pool.Counters().fresh, c.inUse + c.kept);
        for (void* b : spares) pool.Give(b, 8 * kMiB);
        for (void* b : used) pool.Give(b, 8 * kMiB);
    }
}

// Spares taken at once by commands that write only their first pages: whether the workers had
// started on one (they go on mapping the rest, that one first) or not (the Take maps it), a
// command does not fault the pages in one by one as it reaches them.
TEST(PixelPoolTest, SparesTakenBeforeTheyAreReadyAreMappedToTheEnd) {
    const std::size_t bytes = 128 * kMiB;
    for (const std::size_t count : {std::size_t(1), std::size_t(3)}) {
        PixelPool pool(4);
        void* fresh = pool.Take(bytes);
        ASSERT_NE(fresh, nullptr);
        if (ResidentShare(fresh, bytes) < 0.9) GTEST_SKIP() << "this kernel or machine does not map pages ahead";
        pool.Give(fresh, bytes);
        pool.FreeKept();

        pool.PrepareSpare(bytes, count);
        std::vector<unsigned char*> taken;
        for (std::size_t i = 0; i < count; ++i) {
            taken.push_back(static_cast<unsigned char*>(pool.Take(bytes)));  // long before they can be mapped
            ASSERT_NE(taken.back(), nullptr);
            taken.back()[0] = static_cast<unsigned char>(7 + i);
        }
        EXPECT_EQ(pool.Counters().fresh, 1 + count);  // every Take found a spare
        pool.WaitUntilPrepared();
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_GT(ResidentShare(taken[i], bytes), 0.99) << "spare " << i << " of " << count;
            EXPECT_EQ(taken[i][0], 7 + i);  // the workers left the written page as it was
        }
        for (unsigned char* p : taken) pool.Give(p, bytes);
    }
}

// A decoder that may still fail takes its block with the pages left to be got as they are
// written, so a file that only claims a large picture costs no memory; a command's level has its
// pages mapped before it starts.
TEST(PixelPoolTest, AFreshBlockMapsItsPagesAtOnceOnlyWhenAsked) {
    PixelPool pool(5);
    const std::size_t bytes = 96 * kMiB;
    void* now = pool.Take(bytes);
    ASSERT_NE(now, nullptr);
    const double mappedNow = ResidentShare(now, bytes);
    if (mappedNow < 0.9) GTEST_SKIP() << "this kernel or machine does not map a fresh block ahead (" << mappedNow << ")";
    void* later = pool.Take(bytes, PixelPool::FreshPages::MapAsWritten);
    ASSERT_NE(later, nullptr);
    EXPECT_LT(ResidentShare(later, bytes), 0.1);
    static_cast<unsigned char*>(later)[bytes - 1] = 1;  // written as usual
    pool.Give(later, bytes);
    pool.Give(now, bytes);
}

// Two threads take, give and prepare blocks of mixed sizes, as rastrix-batch's workers would.
// One asks for a spare of one size and at once for a block of a larger size, so its Take frees
// the spare while the worker still maps it; meanwhile the other takes and gives back blocks of a
// smaller size. Every block must be at least the size asked for, and never held by both.
TEST(PixelPoolTest, TwoThreadsNeverGetASharedOrTooSmallBlock) {
    PixelPool pool(5);
    std::atomic<bool> done{false};
    std::atomic<int> tooSmall{0}, shared{0};
    auto use = [&](std::size_t bytes, unsigned char mark) {
        auto* p = static_cast<unsigned char*>(pool.Take(bytes));
        if (!p) return;
        if (malloc_usable_size(p) < bytes) {
            ++tooSmall;  // not written: it would run past the block
            return;
        }
        p[0] = mark;
        std::this_thread::yield();
        if (p[0] != mark) ++shared;
        pool.Give(p, bytes);
    };
    std::thread other([&] {
        while (!done) use(4 * kMiB, 1);
    });
    for (int round = 0; round < 300; ++round) {
        pool.PrepareSpare(6 * kMiB, std::size_t(1 + round % 2));  // one or both workers busy
        std::this_thread::sleep_for(std::chrono::microseconds(100));  // the worker starts on it
        use(12 * kMiB, 2);
    }
    done = true;
    other.join();
    pool.WaitUntilPrepared();
    EXPECT_EQ(tooSmall.load(), 0);
    EXPECT_EQ(shared.load(), 0);
    EXPECT_EQ(pool.Counters().inUse, 0u);
    EXPECT_LE(pool.Counters().Held(), 5u);
}

}  // namespace
}  // namespace rastrix
