#include "raster/Bands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace rastrix {
namespace {

struct BandCase {
    int count, step, minPerBand, threads;
    int bands;  // how many bands the work must be cut into
};

class ForEachBandTest : public testing::TestWithParam<BandCase> {};

// Every item is done exactly once, bands start on whole steps, none is smaller than asked
// (but for a lone band), and the bands run on as many distinct threads as there are bands.
TEST_P(ForEachBandTest, CoversEveryItemOnceInWholeSteps) {
    const BandCase c = GetParam();
    const BandLimit limit(c.threads);
    std::vector<int> done(std::size_t(std::max(c.count, 0)), 0);
    std::mutex m;
    std::vector<std::pair<int, int>> bands;
    std::set<std::thread::id> threads;
    ForEachBand(c.count, c.step, c.minPerBand, [&](int first, int last) {
        for (int i = first; i < last; ++i) ++done[std::size_t(i)];  // bands never share an item
        std::lock_guard<std::mutex> hold(m);
        bands.emplace_back(first, last);
        threads.insert(std::this_thread::get_id());
    });
    for (int i = 0; i < c.count; ++i) ASSERT_EQ(done[std::size_t(i)], 1) << "item " << i;
    ASSERT_EQ(int(bands.size()), c.bands);
    EXPECT_EQ(int(threads.size()), c.bands);
    for (const auto& [first, last] : bands) {
        EXPECT_EQ(first % c.step, 0) << first;
        EXPECT_LT(first, last);
        if (c.bands > 1) EXPECT_GE(last - first, std::min(c.minPerBand, c.count)) << first << ".." << last;
    }
}

INSTANTIATE_TEST_SUITE_P(Cuts, ForEachBandTest,
                         testing::Values(BandCase{0, 1, 1, 2, 0},          // nothing to do: no call
                                         BandCase{1, 1, 1, 2, 1},          // one item
                                         BandCase{10, 1, 1, 1, 1},         // one thread: one band
                                         BandCase{10, 1, 1, 2, 2},
                                         BandCase{11, 1, 1, 4, 4},         // uneven
                                         BandCase{8000, 128, 1, 2, 2},     // tiles of a quarter turn
                                         BandCase{300, 128, 1, 4, 3},      // three steps, the last one short
                                         BandCase{127, 128, 1, 4, 1},      // less than a step
                                         BandCase{1000, 1, 600, 4, 1},     // too little work for two
                                         BandCase{1000, 1, 300, 4, 3},     // work for three
                                         BandCase{6000, 1, 1, 8, 8}));

TEST(BandItems, ABandHoldsAboutAMegabyteOfPixels) {
    EXPECT_EQ(BandItems(8000), 32);  // rows of 8000 pixels
    EXPECT_EQ(BandItems(1 << 18), 1);
    EXPECT_EQ(BandItems(1 << 20), 1);  // never fewer than one
    EXPECT_EQ(BandItems(0), 1 << 18);
}

// Background work waits while a kernel has helper threads, and only then.
TEST(BandsRunning, WhileAKernelHasHelperThreads) {
    EXPECT_FALSE(BandsRunning());
    for (int threads : {1, 2}) {
        const BandLimit limit(threads);
        std::atomic<int> seen{0};
        ForEachBand(1000, 1, 1, [&](int, int) { seen += BandsRunning() ? 1 : 0; });
        EXPECT_EQ(seen.load(), threads == 1 ? 0 : 2) << threads << " threads";
    }
    EXPECT_FALSE(BandsRunning());
}

TEST(BandLimit, IsUndoneWhenItEnds) {
    const int cores = BandThreads();
    {
        const BandLimit one(1);
        EXPECT_EQ(BandThreads(), 1);
        {
            const BandLimit three(3);
            EXPECT_EQ(BandThreads(), 3);
        }
        EXPECT_EQ(BandThreads(), 1);
    }
    EXPECT_EQ(BandThreads(), cores);
}

}  // namespace
}  // namespace rastrix
