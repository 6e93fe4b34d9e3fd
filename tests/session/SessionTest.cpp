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

// Every command of the program is drawn by the random steps or named here with the reason it is
// not, so a new command that is left out of the sessions fails here instead of passing silently.
TEST(RandomSessionCommands, DrawEveryCommandOrSayWhyNot) {
    std::map<CommandId, std::string> notDrawn = {
        {CommandId::Exit, "it ends the session"},
        {CommandId::VisitWebsite, "it only hands the program's address to the platform"},
        {CommandId::ExportForDevice, "its dialog has no scripted answers in the session world yet"},
    };
    for (int k = 3; k < kRecentCount; ++k)
        notDrawn[RecentFileCommand(k)] = "the first three recent files stand for the whole list";
    const std::vector<CommandId>& pool = CommandPool();
    for (const CommandInfo& c : kCommandTable) {
        const bool drawn = std::find(pool.begin(), pool.end(), c.id) != pool.end();
        const bool named = notDrawn.contains(c.id);
        EXPECT_TRUE(drawn != named) << "command " << c.id << (drawn ? " is drawn and named as not drawn"
                                                                    : " is neither drawn nor named with a reason");
        EXPECT_TRUE(StandardCommands().Has(c.id)) << "command " << c.id << " has no run";
    }
    for (CommandId id : pool) EXPECT_TRUE(IsCommand(id)) << "command " << id << " is not in the table";
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
