#include <gtest/gtest.h>

#include <vector>

#include "editor/Editor.h"
#include "editor/EnableGroups.h"
#include "frame/CommandDispatch.h"
#include "support/FakeHost.h"

namespace rastrix {
namespace {

// Handlers are plain functions, so they record into this.
std::vector<int> calls;

void RecordUndo(Editor&) { calls.push_back(CommandId::Undo); }
void RecordOther(Editor&) { calls.push_back(-1); }
void RecordWithId(Editor&, int id) { calls.push_back(id); }

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override { calls.clear(); }
    test::FakeHost host;
    Editor editor{host};
    CommandHandlers handlers;
};

TEST_F(DispatchTest, RegistrationTakesCommandsOnly) {
    for (int id : {0, -1, 256, 262, 294, 384, 65536 + CommandId::Undo}) {
        EXPECT_FALSE(handlers.Register(id, RecordUndo)) << id;
        EXPECT_FALSE(handlers.Has(id)) << id;
    }
    EXPECT_FALSE(handlers.Register(CommandId::Undo, CommandHandler{nullptr}));
    EXPECT_FALSE(handlers.Has(CommandId::Undo));
    EXPECT_TRUE(handlers.Register(CommandId::Undo, RecordUndo));
    EXPECT_TRUE(handlers.Register(CommandId::OpenNamed, RecordOther));
    EXPECT_TRUE(handlers.Has(CommandId::Undo));
    EXPECT_TRUE(handlers.Has(CommandId::OpenNamed));
    EXPECT_FALSE(handlers.Has(CommandId::Cut));
}

TEST_F(DispatchTest, UnknownAndUnhandledIdsAreLeftToDefaultProcessing) {
    handlers.Register(CommandId::Undo, RecordUndo);
    const auto revision = editor.commands.Revision();
    for (int id : {0, 256, 262, 287, 294, 384, 1000, 65536 + CommandId::Undo, CommandId::Cut})
        EXPECT_FALSE(Dispatch(handlers, editor, id)) << id;
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(editor.commands.Revision(), revision);
}

TEST_F(DispatchTest, GreyedAndIndeterminateCommandsStillReachTheirHandlers) {
    handlers.Register(CommandId::Undo, RecordUndo);
    handlers.Register(CommandId::FillSolid, RecordWithId);
    DisableCommand(editor.commands, CommandId::Undo);
    ASSERT_FALSE(editor.commands.MenuItem(CommandId::Undo)->enabled);
    ASSERT_FALSE(editor.commands.Button(CommandId::Undo)->Clickable());
    EXPECT_TRUE(Dispatch(handlers, editor, CommandId::Undo));
    EXPECT_TRUE(Dispatch(handlers, editor, CommandId::FillSolid));  // starts greyed
    EXPECT_EQ(calls, (std::vector<int>{CommandId::Undo, CommandId::FillSolid}));
}

TEST_F(DispatchTest, FamilyHandlersLearnWhichMemberRan) {
    for (int k = 0; k < kRecentCount; ++k) handlers.Register(CommandId::FirstRecentFile + k, RecordWithId);
    Dispatch(handlers, editor, CommandId::FirstRecentFile + 5);
    Dispatch(handlers, editor, 383);
    Dispatch(handlers, editor, CommandId::FirstRecentFile);
    EXPECT_EQ(calls, (std::vector<int>{373, 383, 368}));
}

TEST_F(DispatchTest, ALaterRegistrationReplacesTheEarlierOne) {
    handlers.Register(CommandId::Undo, RecordWithId);
    handlers.Register(CommandId::Undo, RecordOther);
    Dispatch(handlers, editor, CommandId::Undo);
    EXPECT_EQ(calls, (std::vector<int>{-1}));
}

TEST_F(DispatchTest, ReservedFlagTogglesBetweenZeroAndEightAndShowsNowhere) {
    ASSERT_TRUE(StandardCommandHandlers().Has(CommandId::ToggleReservedFlag));
    ASSERT_EQ(editor.settings.reservedFlag, 0);
    const auto revision = editor.commands.Revision();
    EXPECT_TRUE(Dispatch(editor, CommandId::ToggleReservedFlag));
    EXPECT_EQ(editor.settings.reservedFlag, 8);
    EXPECT_TRUE(Dispatch(editor, CommandId::ToggleReservedFlag));
    EXPECT_EQ(editor.settings.reservedFlag, 0);
    // No menu item or button carries the command, so nothing visible moves.
    EXPECT_EQ(editor.commands.Revision(), revision);
    EXPECT_FALSE(Dispatch(editor, 262));
    EXPECT_FALSE(Dispatch(editor, 384));
}

}  // namespace
}  // namespace rastrix
