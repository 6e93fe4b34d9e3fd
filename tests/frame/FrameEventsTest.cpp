// The frame's events through the Editor: keys, the status bar, start-up and shutdown.
#include <gtest/gtest.h>

#include "editor/CommandIds.h"
#include "editor/KeyCodes.h"
#include "frame/EditorEvents.h"
#include "frame/SettingsCodec.h"
#include "store/Store.h"
#include "store/StoreTestSupport.h"
#include "support/EditorFixture.h"
#include "frame/CommandDispatch.h"

namespace rastrix {
namespace {

class FrameEventsTest : public test::EditorTest {};

TEST_F(FrameEventsTest, CtrlLetterAndFunctionKeysReachTheirCommands) {
    EXPECT_EQ(FrameKeyDown(ed, {'O', true, false, false, false}), KeyRoute::FrameShortcut);
    ASSERT_EQ(host.openRequests.size(), 1u);  // Ctrl+O asked for a file
    EXPECT_EQ(FrameKeyDown(ed, {Key::F1, false, false, false, false}), KeyRoute::FrameShortcut);
    ASSERT_NE(host.LastMessage(), nullptr);
    EXPECT_EQ(host.LastMessage()->caption, "Rastrix Help");
    // A navigation key with no image goes nowhere and does nothing.
    const std::size_t shown = host.messages.size();
    EXPECT_EQ(FrameKeyDown(ed, {Key::Left, false, false, false, false}), KeyRoute::Dropped);
    EXPECT_EQ(host.messages.size(), shown);
}

TEST_F(FrameEventsTest, AKeyTheTableDoesNotHoldBlanksThePointerPartWhenItReachesTheFrame) {
    struct Case {
        KeyCode key;
        bool ctrl, alt, frameHasFocus;
        bool blanks;
    };
    const Case cases[] = {
        {Key::F2, false, false, false, true},   {Key::F3, false, false, false, true},  {Key::F4, false, false, false, true},
        {Key::F6, false, false, false, true},   {Key::F7, false, false, false, true},  {Key::F8, false, false, false, true},
        {Key::F9, false, false, false, true},   {'Q', false, false, false, true},    {'Q', true, false, false, true},
        {'7', false, false, false, true},     {Key::Escape, false, false, true, true}, {Key::Tab, false, false, true, true},
        // Below 0x20 a key stays where the focus is; system keys work the menu.
        {Key::Escape, false, false, false, false}, {Key::F10, false, false, true, false}, {'Q', false, true, true, false},
    };
    for (const Case& c : cases) {
        ed.pointerStatus = "RGB=86,52,18";
        FrameKeyDown(ed, {c.key, c.ctrl, c.alt, false, false, c.frameHasFocus});
        EXPECT_EQ(ed.pointerStatus, c.blanks ? " " : "RGB=86,52,18") << "key " << int(c.key);
    }
    // A key the table holds runs its command and leaves the text to it.
    ed.pointerStatus = "RGB=86,52,18";
    FrameKeyDown(ed, {Key::F1, false, false, false, false, true});
    EXPECT_EQ(ed.pointerStatus, "RGB=86,52,18");
}

TEST_F(FrameEventsTest, TheStatusBarShowsTheSwatchColorsAndItsClicksRunCommands) {
    ed.settings.foreColor = ColorFromRgb(1, 2, 3);
    ed.settings.backColor = ColorFromRgb(250, 251, 252);
    const auto& e = ed.frame.layout.statusPartEdges;  // 1024 wide: 324, 648, 673, 698, 1024
    ASSERT_EQ(e[1], 648);
    StatusBarMouseMove(ed, e[1] + 5, 10);
    EXPECT_EQ(ed.pointerStatus, "RGB=1,2,3");
    StatusBarMouseMove(ed, e[2] + 5, 10);
    EXPECT_EQ(ed.pointerStatus, "RGB=250,251,252");
    StatusBarMouseMove(ed, 10, 10);
    EXPECT_EQ(ed.pointerStatus, " ");
    StatusBarMouseMove(ed, e[2], 10);  // on an edge: no part
    EXPECT_EQ(ed.pointerStatus, " ");
}

TEST_F(FrameEventsTest, ExitAsksTheFrameToClose) {
    RunCommand(ed, CommandId::Exit);
    EXPECT_TRUE(ed.closeRequested);
    EXPECT_TRUE(RequestClose(ed));  // nothing modified: no question
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FrameEventsTest, SettingsChangedInARunAreThereAtTheNextStart) {
    testing::TempFolder folder;
    Store store(folder.Path());
    {
        test::FakeHost h;
        Editor first(h);
        StartUp(first, store, {});
        EXPECT_EQ(first.settings.viewMode, 275);  // defaults on a first run
        EXPECT_EQ(first.doc.caption, "Rastrix");
        FrameResized(first, SizeKind::Restored, 800, 600, WindowRect{10, 20, 810, 620});
        RunCommand(first, CommandId::Magnify4);
        RunCommand(first, CommandId::ShowDrawingTools);
        first.settings.foreColor = ColorFromRgb(9, 8, 7);
        EXPECT_FALSE(Shutdown(first, store).has_value());
    }
    test::FakeHost h;
    Editor second(h);
    StartUp(second, store, {});
    EXPECT_EQ(second.settings.viewMode, StoredViewMode(ViewMode::Zoom4));
    EXPECT_EQ(second.settings.zoomPercent, 400);
    EXPECT_EQ(second.settings.showDrawingTools, 8);
    EXPECT_EQ(second.settings.foreColor, ColorFromRgb(9, 8, 7));
    EXPECT_EQ(second.settings.maximized, 0);
    EXPECT_EQ(second.settings.windowRect, (WindowRect{10, 20, 810, 620}));
    EXPECT_TRUE(ShownCommandStates(second).MenuItem(CommandId::Magnify4)->checked);
    EXPECT_TRUE(ShownCommandStates(second).Button(CommandId::Magnify4)->Pressed());
    EXPECT_TRUE(ShownCommandStates(second).MenuItem(CommandId::ShowDrawingTools)->checked);
    EXPECT_TRUE(ShownCommandStates(second).DrawingToolBarExists());
}

TEST_F(FrameEventsTest, AFileNamedAtStartIsOpened) {
    testing::TempFolder folder;
    Store store(folder.Path() / "config");
    StartUp(ed, store, {});
    EXPECT_TRUE(host.messages.empty());  // nothing is opened before the frame is on screen
    OpenStartFile(ed, (folder.Path() / "nothing-here.bmp").string());
    ASSERT_NE(host.LastMessage(), nullptr);
    EXPECT_EQ(host.LastMessage()->caption, "Line 2293, Error Code 2");
    EXPECT_EQ(ed.doc.fileSize, 0u);
}

}  // namespace
}  // namespace rastrix
