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

void RecordUndo(Editor&) { calls.push_back(IDM_UNDO); }
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
    for (int id : {0, -1, 256, 262, 294, 384, 65536 + IDM_UNDO}) {
        EXPECT_FALSE(handlers.Register(id, RecordUndo)) << id;
        EXPECT_FALSE(handlers.Has(id)) << id;
    }
    EXPECT_FALSE(handlers.Register(IDM_UNDO, CommandHandler{nullptr}));
    EXPECT_FALSE(handlers.Has(IDM_UNDO));
    EXPECT_TRUE(handlers.Register(IDM_UNDO, RecordUndo));
    EXPECT_TRUE(handlers.Register(IDM_OPEN_NAMED, RecordOther));
    EXPECT_TRUE(handlers.Has(IDM_UNDO));
    EXPECT_TRUE(handlers.Has(IDM_OPEN_NAMED));
    EXPECT_FALSE(handlers.Has(IDM_CUT));
}

TEST_F(DispatchTest, UnknownAndUnhandledIdsAreLeftToDefaultProcessing) {
    handlers.Register(IDM_UNDO, RecordUndo);
    const auto revision = editor.commands.Revision();
    for (int id : {0, 256, 262, 287, 294, 384, 1000, 65536 + IDM_UNDO, IDM_CUT})
        EXPECT_FALSE(Dispatch(handlers, editor, id)) << id;
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(editor.commands.Revision(), revision);
}

TEST_F(DispatchTest, GreyedAndIndeterminateCommandsStillReachTheirHandlers) {
    handlers.Register(IDM_UNDO, RecordUndo);
    handlers.Register(IDM_FILLSOLID, RecordWithId);
    DisableCommand(editor.commands, IDM_UNDO);
    ASSERT_FALSE(editor.commands.MenuItem(IDM_UNDO)->enabled);
    ASSERT_FALSE(editor.commands.Button(IDM_UNDO)->Clickable());
    EXPECT_TRUE(Dispatch(handlers, editor, IDM_UNDO));
    EXPECT_TRUE(Dispatch(handlers, editor, IDM_FILLSOLID));  // starts greyed
    EXPECT_EQ(calls, (std::vector<int>{IDM_UNDO, IDM_FILLSOLID}));
}

TEST_F(DispatchTest, FamilyHandlersLearnWhichMemberRan) {
    for (int k = 0; k < kRecentCount; ++k) handlers.Register(IDM_RECENT0 + k, RecordWithId);
    Dispatch(handlers, editor, IDM_RECENT0 + 5);
    Dispatch(handlers, editor, 383);
    Dispatch(handlers, editor, IDM_RECENT0);
    EXPECT_EQ(calls, (std::vector<int>{373, 383, 368}));
}

TEST_F(DispatchTest, ALaterRegistrationReplacesTheEarlierOne) {
    handlers.Register(IDM_UNDO, RecordWithId);
    handlers.Register(IDM_UNDO, RecordOther);
    Dispatch(handlers, editor, IDM_UNDO);
    EXPECT_EQ(calls, (std::vector<int>{-1}));
}

TEST_F(DispatchTest, ReservedFlagTogglesBetweenZeroAndEightAndShowsNowhere) {
    ASSERT_TRUE(StandardCommandHandlers().Has(IDM_TOOLBAR_272));
    ASSERT_EQ(editor.settings.reservedFlag, 0);
    const auto revision = editor.commands.Revision();
    EXPECT_TRUE(Dispatch(editor, IDM_TOOLBAR_272));
    EXPECT_EQ(editor.settings.reservedFlag, 8);
    EXPECT_TRUE(Dispatch(editor, IDM_TOOLBAR_272));
    EXPECT_EQ(editor.settings.reservedFlag, 0);
    // No menu item or button carries the command, so nothing visible moves.
    EXPECT_EQ(editor.commands.Revision(), revision);
    EXPECT_FALSE(Dispatch(editor, 262));
    EXPECT_FALSE(Dispatch(editor, 384));
}

}  // namespace
}  // namespace rastrix
