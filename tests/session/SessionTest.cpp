// Long random sessions: thousands of commands and mouse events from fixed seeds, every
// invariant checked after every step. RASTRIX_SEED replays one seed, RASTRIX_STEPS sets how
// many steps each seed runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "session/Session.h"

namespace rastrix::session {
namespace {

constexpr int kDefaultSteps = 800;

int StepsPerSeed() {
    const char* text = std::getenv("RASTRIX_STEPS");
    return text ? std::max(1, std::atoi(text)) : kDefaultSteps;
}

class RandomSession : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(RandomSession, KeepsEveryInvariantAfterEveryStep) {
    std::uint64_t seed = GetParam();
    if (const char* replay = std::getenv("RASTRIX_SEED")) {
        if (GetParam() != 1) GTEST_SKIP() << "RASTRIX_SEED replays one seed";
        seed = std::strtoull(replay, nullptr, 10);
    }
    Session session(seed);
    const std::string fault = session.Run(StepsPerSeed());
    EXPECT_TRUE(fault.empty()) << fault;
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomSession, ::testing::Values(1u, 2u, 3u, 4u, 5u));

}  // namespace
}  // namespace rastrix::session
