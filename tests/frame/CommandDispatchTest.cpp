#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "document/DocumentCommands.h"
#include "draw/DrawCommands.h"
#include "edit/EditCommands.h"
#include "editor/Editor.h"
#include "frame/CommandDispatch.h"
#include "frame/FrameCommands.h"
#include "selection/SelectionCommands.h"
#include "support/FakeHost.h"

namespace rastrix {
namespace {

// Runs are plain functions, so they record into this.
std::vector<int> calls;

void RecordUndo(Editor&) { calls.push_back(NumberOf(CommandId::Undo)); }
void RecordOther(Editor&) { calls.push_back(-1); }
void RecordWithId(Editor&, CommandId id) { calls.push_back(NumberOf(id)); }
bool Never(const Editor&) { return false; }

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override { calls.clear(); }
    test::FakeHost host;
    Editor editor{host};
    CommandRegistry commands;
};

TEST_F(DispatchTest, RegistrationTakesCommandsOnly) {
    for (int n : {-1, 65536 + NumberOf(CommandId::Undo)}) EXPECT_FALSE(CommandFromNumber(n)) << n;
    for (int n : {0, 256, 264, 294, 384}) {
        const auto id = static_cast<CommandId>(n);
        EXPECT_FALSE(commands.Add(Command{id, nullptr, nullptr, nullptr, RecordUndo})) << n;
        EXPECT_FALSE(commands.Has(id)) << n;
    }
    EXPECT_FALSE(commands.Add(Command{CommandId::Undo}));  // nothing to run
    EXPECT_FALSE(commands.Has(CommandId::Undo));
    EXPECT_TRUE(commands.Add(Command{CommandId::Undo, nullptr, nullptr, nullptr, RecordUndo}));
    EXPECT_TRUE(commands.Add(Command{CommandId::OpenNamed, nullptr, nullptr, nullptr, RecordOther}));
    EXPECT_TRUE(commands.Has(CommandId::Undo));
    EXPECT_TRUE(commands.Has(CommandId::OpenNamed));
    EXPECT_FALSE(commands.Has(CommandId::Cut));
}

TEST_F(DispatchTest, UnknownAndUnhandledIdsAreLeftToDefaultProcessing) {
    commands.Add(Command{CommandId::Undo, nullptr, nullptr, nullptr, RecordUndo});
    const CommandStates before = ShownCommandStates(editor);
    // Numbers from outside go through CommandFromNumber first.
    for (int n : {0, 256, 262, 287, 294, 384, 1000, 65536 + NumberOf(CommandId::Undo), NumberOf(CommandId::Cut)}) {
        const std::optional<CommandId> id = CommandFromNumber(n);
        EXPECT_FALSE(id && Dispatch(commands, editor, *id)) << n;
    }
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(ShownCommandStates(editor), before);
}

TEST_F(DispatchTest, GreyedAndIndeterminateCommandsStillReachTheirRuns) {
    commands.Add(Command{CommandId::Undo, Never, nullptr, nullptr, RecordUndo});
    commands.Add(Command{CommandId::FillSolid, Never, nullptr, nullptr, RunMember<RecordWithId, CommandId::FillSolid>});
    const CommandStates states = ShownCommandStates(commands, editor);
    ASSERT_FALSE(states.MenuItem(CommandId::Undo)->enabled);
    ASSERT_FALSE(states.Button(CommandId::Undo)->Clickable());
    EXPECT_TRUE(Dispatch(commands, editor, CommandId::Undo));
    EXPECT_TRUE(Dispatch(commands, editor, CommandId::FillSolid));
    EXPECT_EQ(calls, (std::vector<int>{NumberOf(CommandId::Undo), NumberOf(CommandId::FillSolid)}));
}

Availability NeedsSelection(const Editor&) { return {Availability::Kind::NeedsSelection}; }
bool Always(const Editor&) { return true; }

// The rule refuses the run on every route; the menu follows the rule unless the record keeps a
// menu rule of its own (a key that acts while the item is greyed, or the reverse).
TEST_F(DispatchTest, TheRuleDecidesTheRunAndTheMenuFollowsItUnlessToldOtherwise) {
    commands.Add(Command{CommandId::Crop, nullptr, nullptr, nullptr, RunMember<RecordWithId, CommandId::Crop>, NeedsSelection});
    commands.Add(Command{CommandId::Undo, Always, nullptr, nullptr, RecordUndo, NeedsSelection});
    commands.Add(Command{CommandId::Save, Never, nullptr, nullptr, RunMember<RecordWithId, CommandId::Save>});
    EXPECT_TRUE(Dispatch(commands, editor, CommandId::Crop));  // handled: refused, not left to default processing
    EXPECT_TRUE(Dispatch(commands, editor, CommandId::Undo));
    EXPECT_TRUE(Dispatch(commands, editor, CommandId::Save));
    EXPECT_EQ(calls, (std::vector<int>{NumberOf(CommandId::Save)}));
    EXPECT_EQ(CanRun(commands, editor, CommandId::Crop), (Availability{Availability::Kind::NeedsSelection}));
    EXPECT_TRUE(CanRun(commands, editor, CommandId::Save).Ok());
    const CommandStates states = ShownCommandStates(commands, editor);
    EXPECT_FALSE(states.MenuItem(CommandId::Crop)->enabled);
    EXPECT_FALSE(states.Button(CommandId::Crop)->Clickable());
    EXPECT_TRUE(states.MenuItem(CommandId::Undo)->enabled);
    EXPECT_FALSE(states.MenuItem(CommandId::Save)->enabled);
}

TEST_F(DispatchTest, EveryCommandOfTheProgramHasItsRunAndFamilyMembersKnowWhichRan) {
    for (const CommandInfo& c : kCommandTable) EXPECT_TRUE(StandardCommands().Has(c.id)) << c.id;
    commands.Add(Command{CommandId::RecentFile5, nullptr, nullptr, nullptr,
                         RunMember<RecordWithId, CommandId::RecentFile5>});
    commands.Add(Command{CommandId::RecentFile15, nullptr, nullptr, nullptr,
                         RunMember<RecordWithId, CommandId::RecentFile15>});
    Dispatch(commands, editor, CommandId::RecentFile5);
    Dispatch(commands, editor, *CommandFromNumber(383));
    Dispatch(commands, editor, CommandId::RecentFile0);  // not entered here
    EXPECT_EQ(calls, (std::vector<int>{373, 383}));
}

// A later registration replaces an earlier one without a word, so a command written into two
// layers' lists, or into a list while its line says its record is its own, would lose one
// record silently. Each command has one record, in the place its line names.
TEST_F(DispatchTest, EveryCommandHasOneRecordWhereItsLineSays) {
    std::map<CommandId, int> listed;
    for (const CommandList list : {FrameCommands(), DocumentCommands(), SelectionCommands(), EditCommands(), DrawCommands()})
        for (const Command& c : list) {
            ++listed[c.id];
            ASSERT_NE(FindCommand(c.id), nullptr) << NumberOf(c.id);
            EXPECT_FALSE(FindCommand(c.id)->ownRecord) << c.id << " says Own and is in a layer's list too";
        }
    for (const auto& [id, times] : listed) EXPECT_EQ(times, 1) << id;
    for (const CommandInfo& c : kCommandTable) {
        if (!c.ownRecord) continue;
        EXPECT_TRUE(StandardCommands().Has(c.id)) << c.id << ": its record has no run";
    }
    // The commands added after the first menus keep theirs.
    EXPECT_TRUE(FindCommand(CommandId::ScaleImage)->ownRecord);
    EXPECT_TRUE(FindCommand(CommandId::ReduceColors)->ownRecord);
    EXPECT_TRUE(FindCommand(CommandId::ExportForDevice)->ownRecord);
}

TEST_F(DispatchTest, ALaterRegistrationReplacesTheEarlierOne) {
    commands.Add(Command{CommandId::Undo, nullptr, nullptr, nullptr, RunMember<RecordWithId, CommandId::Undo>});
    commands.Add(Command{CommandId::Undo, nullptr, nullptr, nullptr, RecordOther});
    Dispatch(commands, editor, CommandId::Undo);
    EXPECT_EQ(calls, (std::vector<int>{-1}));
}

TEST_F(DispatchTest, ReservedFlagTogglesBetweenZeroAndEightAndShowsNowhere) {
    ASSERT_TRUE(StandardCommands().Has(CommandId::ToggleReservedFlag));
    ASSERT_EQ(editor.settings.reservedFlag, 0);
    const CommandStates before = ShownCommandStates(editor);
    EXPECT_TRUE(Dispatch(editor, CommandId::ToggleReservedFlag));
    EXPECT_EQ(editor.settings.reservedFlag, 8);
    // No menu item or button carries the command, so nothing visible moves.
    EXPECT_EQ(ShownCommandStates(editor), before);
    EXPECT_TRUE(Dispatch(editor, CommandId::ToggleReservedFlag));
    EXPECT_EQ(editor.settings.reservedFlag, 0);
    // Its neighbours by number are no commands at all.
    EXPECT_FALSE(CommandFromNumber(264));
    EXPECT_FALSE(CommandFromNumber(384));
    EXPECT_FALSE(Dispatch(editor, static_cast<CommandId>(264)));
}

}  // namespace
}  // namespace rastrix
