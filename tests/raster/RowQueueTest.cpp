// A decoder and a scaler on two threads, handing rows over through a small ring.
#include "raster/RowQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "raster/Bands.h"

namespace rastrix {
namespace {

struct QueueCase {
    int slots;
    int rows;       // made before the maker stops
    bool makerFails;  // stops half way through a row it does not hand over
};

class RowQueueTest : public testing::TestWithParam<QueueCase> {};

// Every row handed over comes out once, whole and in order, however few the slots (so rows are
// made into slots the taker has just let go), and a maker that stops part way still ends the taker.
TEST_P(RowQueueTest, RowsComeOutWholeAndInOrder) {
    const QueueCase c = GetParam();
    constexpr std::size_t kRowBytes = 64;
    const std::unique_ptr<RowQueue> queue = RowQueue::Create(kRowBytes, c.slots);
    ASSERT_TRUE(queue);
    const BandLimit two(2);
    std::vector<int> seen;
    bool whole = true;
    const bool ran = RunBeside(
        [&] {
            while (const std::uint8_t* row = queue->Take()) {
                int n = 0;
                std::memcpy(&n, row, sizeof n);
                for (std::size_t i = sizeof n; i < kRowBytes; ++i) whole = whole && row[i] == std::uint8_t(n + int(i));
                seen.push_back(n);
                queue->Taken();
            }
        },
        [&] {
            for (int n = 0; n < c.rows; ++n) {
                std::uint8_t* row = queue->Fill();
                std::memcpy(row, &n, sizeof n);
                for (std::size_t i = sizeof n; i < kRowBytes; ++i) row[i] = std::uint8_t(n + int(i));
                queue->Filled();
            }
            if (c.makerFails) std::memset(queue->Fill(), 0xEE, kRowBytes);  // a row never handed over
            queue->Close();
        });
    ASSERT_TRUE(ran);
    ASSERT_EQ(int(seen.size()), c.rows);
    for (int n = 0; n < c.rows; ++n) ASSERT_EQ(seen[std::size_t(n)], n);
    EXPECT_TRUE(whole);
}

INSTANTIATE_TEST_SUITE_P(Rings, RowQueueTest,
                         testing::Values(QueueCase{1, 500, false}, QueueCase{3, 2000, false}, QueueCase{16, 40, false},
                                         QueueCase{16, 0, false}, QueueCase{2, 300, true}, QueueCase{16, 5, true}));

// On one thread the two jobs would wait on each other for ever: neither is run and the caller is told.
TEST(RunBeside, RunsNeitherJobWhereKernelsHaveOneThread) {
    const BandLimit one(1);
    std::atomic<int> runs{0};
    EXPECT_FALSE(RunBeside([&] { ++runs; }, [&] { ++runs; }));
    EXPECT_EQ(runs.load(), 0);
}

TEST(RunBeside, RunsBothOnTwoThreadsAndCountsAsAKernelRunning) {
    const BandLimit two(2);
    std::atomic<int> running{0};
    std::thread::id helper, here;
    EXPECT_TRUE(RunBeside(
        [&] {
            helper = std::this_thread::get_id();
            running += BandsRunning() ? 1 : 0;
        },
        [&] {
            here = std::this_thread::get_id();
            running += BandsRunning() ? 1 : 0;
        }));
    EXPECT_EQ(running.load(), 2);
    EXPECT_EQ(here, std::this_thread::get_id());
    EXPECT_NE(helper, here);
    EXPECT_FALSE(BandsRunning());
}

TEST(RowQueue, EmptySizesAreRefused) {
    EXPECT_FALSE(RowQueue::Create(0, 4));
    EXPECT_FALSE(RowQueue::Create(64, 0));
}

}  // namespace
}  // namespace rastrix
