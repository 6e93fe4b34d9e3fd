// Long random sessions: thousands of commands and mouse events from fixed seeds, every
// invariant checked after every step. RASTRIX_SEED replays one seed, RASTRIX_STEPS sets how
// many steps each seed runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <algorithm>
#include <iostream>
#include <map>
#include <string>

#include "editor/CommandTable.h"
#include "frame/CommandDispatch.h"
#include "session/Session.h"

namespace rastrix::session {
namespace {

constexpr int kDefaultSteps = 800;

int StepsPerSeed() {
    const char* text = std::getenv("RASTRIX_STEPS");
    return text ? std::max(1, std::atoi(text)) : kDefaultSteps;
}

// Every command of the program is drawn by the random steps unless it is named with the reason it
// is not; the names and weights must be commands the table has, and every command must have a run,
// or the sessions would draw a command that does nothing.
TEST(RandomSessionCommands, DrawEveryCommandOrSayWhyNot) {
    const std::vector<CommandId>& pool = CommandPool();
    for (const CommandInfo& c : kCommandTable) {
        const bool drawn = std::find(pool.begin(), pool.end(), c.id) != pool.end();
        EXPECT_NE(drawn, CommandsNotDrawn().contains(c.id)) << "command " << c.id;
        EXPECT_TRUE(StandardCommands().Has(c.id)) << "command " << c.id << " has no run";
    }
    for (const auto& [id, reason] : CommandsNotDrawn()) {
        EXPECT_TRUE(IsCommand(id)) << "command " << id << " is not in the table";
        EXPECT_FALSE(reason.empty()) << "command " << id << " is not drawn without a reason";
        EXPECT_FALSE(CommandWeights().contains(id)) << "command " << id << " is weighted but not drawn";
    }
    for (const auto& [id, weight] : CommandWeights()) {
        EXPECT_TRUE(IsCommand(id)) << "command " << id << " is not in the table";
        EXPECT_GT(weight, 0) << "command " << id;
    }
}

class RandomSession : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(RandomSession, KeepsEveryInvariantAfterEveryStep) {
    std::uint64_t seed = GetParam();
    const char* replay = std::getenv("RASTRIX_SEED");
    if (replay) {
        if (GetParam() != 1) GTEST_SKIP() << "RASTRIX_SEED replays one seed";
        seed = std::strtoull(replay, nullptr, 10);
    }
    Session session(seed);
    const std::string fault = session.Run(StepsPerSeed());
    ASSERT_TRUE(fault.empty()) << fault;

    // A session that never reached these states would pass without testing them.
    const Coverage& seen = session.Seen();
    std::cout << "seed " << seed << ": " << seen.undos << " undos, " << seen.pushesWhenFull << " edits on a full stack, "
              << seen.newImages << " new images, " << seen.inPlaceStrokes << " pen moves, " << seen.savesAt24
              << " + " << seen.savesBelow24 << " saves read back, " << seen.selectedSteps << " steps with a selection, " << seen.scales << " scales, " << seen.reductions
              << " colour reductions\n";
    if (!replay && StepsPerSeed() >= kDefaultSteps) {
        EXPECT_GT(seen.undos, 0);
        EXPECT_GT(seen.pushesWhenFull, 0);
        EXPECT_GT(seen.newImages, 0);
        EXPECT_GT(seen.inPlaceStrokes, 0);
        EXPECT_GT(seen.savesAt24, 0);
        EXPECT_GT(seen.savesBelow24, 0);
        EXPECT_GT(seen.selectedSteps, 0);
        EXPECT_GT(seen.scales, 0);
        EXPECT_GT(seen.reductions, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomSession, ::testing::Values(1u, 2u, 3u, 4u, 5u));

}  // namespace
}  // namespace rastrix::session
