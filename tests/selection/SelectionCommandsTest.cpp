#include "SelectionFixture.h"

#include "document/Undo.h"
#include "selection/Selection.h"
#include "selection/SelectionCommands.h"
#include "frame/CommandDispatch.h"

namespace rastrix::test {
namespace {

using testing_support::Changes;
using testing_support::Seen;
using testing_support::Snapshot;

constexpr int E = ButtonBits::Enabled;
constexpr int I = ButtonBits::Indeterminate;

struct ToolCase {
    CommandId command;
    CursorKind cursor;
    CommandId shapeAfter;  // starting from an ellipse
};

class ToolCommands : public SelectionTest, public ::testing::WithParamInterface<ToolCase> {};

TEST_P(ToolCommands, SetCursorShapeCheckAndHeldButton) {
    ed.settings.showDrawingTools = 8;
    ed.selection.shape = CommandId::EllipseSelection;
    const ToolCase& c = GetParam();
    Dispatch(ed, c.command);
    EXPECT_EQ(ed.view.toolCursor, c.cursor);
    EXPECT_EQ(ed.selection.shape, c.shapeAfter);
    EXPECT_EQ(ed.draw.currentTool, c.command);
    for (CommandId id : {CommandId::Pen, CommandId::Bucket, CommandId::PickColor, CommandId::RectangleSelection,
                         CommandId::RoundedRectangleSelection, CommandId::EllipseSelection, CommandId::LineSelection}) {
        EXPECT_EQ(ShownCommandStates(ed).MenuItem(id)->checked, id == c.command) << id;
        EXPECT_EQ(ShownCommandStates(ed).Button(id)->Pressed(), id == c.command) << id;
    }
}

INSTANTIATE_TEST_SUITE_P(SevenTools, ToolCommands,
                         ::testing::Values(ToolCase{CommandId::Pen, CursorKind::Pen, CommandId::EllipseSelection},
                                           ToolCase{CommandId::Bucket, CursorKind::Bucket, CommandId::EllipseSelection},
                                           ToolCase{CommandId::PickColor, CursorKind::Picker, CommandId::EllipseSelection},
                                           ToolCase{CommandId::RectangleSelection, CursorKind::Cross, CommandId::RectangleSelection},
                                           ToolCase{CommandId::RoundedRectangleSelection, CursorKind::Cross, CommandId::RoundedRectangleSelection},
                                           ToolCase{CommandId::EllipseSelection, CursorKind::Cross, CommandId::EllipseSelection},
                                           ToolCase{CommandId::LineSelection, CursorKind::Cross, CommandId::LineSelection}));

TEST_F(SelectionTest, SwitchingShapeWithASelectionMovesRotateFlipAndShift) {
    LoadImage(640, 480);
    Drag({10, 10}, {100, 80});
    ed.view.repaintNeeded = false;

    Snapshot before = States();
    Dispatch(ed, CommandId::EllipseSelection);
    Snapshot changed = Changes(before, States());
    // Snapshots are keyed by number: 304..312 are the rotations, flips and shifts.
    for (int id = 304; id <= 312; ++id) EXPECT_EQ(changed[id], (Seen{'G', false, I})) << id;
    EXPECT_EQ(changed[NumberOf(CommandId::EllipseSelection)].checked, true);
    EXPECT_EQ(changed[NumberOf(CommandId::RectangleSelection)].checked, false);
    EXPECT_EQ(changed.size(), std::size_t(312 - 304 + 1 + 2));
    EXPECT_TRUE(ed.view.repaintNeeded);  // the outline changes shape

    before = States();
    Dispatch(ed, CommandId::RectangleSelection);
    changed = Changes(before, States());
    for (int id = 304; id <= 312; ++id) EXPECT_EQ(changed[id], (Seen{'E', false, E})) << id;

    // Pen keeps the selection and the rectangle, and the rectangle's commands.
    before = States();
    Dispatch(ed, CommandId::Pen);
    changed = Changes(before, States());
    EXPECT_EQ(changed.size(), 2u);  // only the two check marks
    EXPECT_TRUE(Active());
    EXPECT_EQ(ed.selection.shape, CommandId::RectangleSelection);
}

TEST_F(SelectionTest, SwitchingShapeWithoutSelectionLeavesTheGroupsAlone) {
    LoadImage(640, 480);
    ed.view.repaintNeeded = false;
    const Snapshot before = States();
    Dispatch(ed, CommandId::LineSelection);
    EXPECT_EQ(Changes(before, States()), (Snapshot{{NumberOf(CommandId::RectangleSelection), {'E', false, -1}}, {NumberOf(CommandId::LineSelection), {'E', true, -1}}}));
    EXPECT_FALSE(ed.view.repaintNeeded);
}

TEST_F(SelectionTest, CropKeepsTheSelectedPixelsAsANewLevel) {
    LoadImage(640, 480);
    Drag({10, 20}, {110, 70});
    const int depth = ed.doc.undoDepth;
    Dispatch(ed, CommandId::Crop);

    const Bitmap& image = CurrentImage(ed);
    ASSERT_EQ(image.Width(), 100);
    ASSERT_EQ(image.Height(), 50);
    EXPECT_EQ(ed.doc.imageWidth, 100);
    EXPECT_EQ(ed.doc.imageHeight, 50);
    EXPECT_EQ(image.GetPixel(0, 0), PositionColor(10, 20));
    EXPECT_EQ(image.GetPixel(99, 49), PositionColor(109, 69));
    EXPECT_EQ(ed.doc.undoDepth, depth + 1);
    EXPECT_FALSE(Active());
    EXPECT_FALSE(AdjustDialogOpen(ed));
    EXPECT_TRUE(MenuEnabled(CommandId::RestoreSelection));
    EXPECT_FALSE(MenuEnabled(CommandId::Crop));
    EXPECT_TRUE(MenuEnabled(CommandId::Undo));
    EXPECT_TRUE(MenuEnabled(CommandId::Save));
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_EQ(Sel(), (Rect{10, 20, 110, 70}));  // kept for Restore

    Undo(ed);
    EXPECT_EQ(ed.doc.imageWidth, 640);
    EXPECT_EQ(ed.doc.imageHeight, 480);
    EXPECT_EQ(CurrentImage(ed), PositionImage(640, 480));
}

TEST_F(SelectionTest, RestoreAfterCropBringsTheRectangleBackInsideTheSmallerImage) {
    LoadImage(640, 480);
    Drag({10, 20}, {110, 70});
    Dispatch(ed, CommandId::Crop);
    Dispatch(ed, CommandId::RestoreSelection);
    EXPECT_TRUE(Active());
    EXPECT_EQ(Sel(), (Rect{10, 20, 100, 50}));
    EXPECT_TRUE(AdjustDialogOpen(ed));
    EXPECT_EQ(Fields(), "10,20,90,30");
    EXPECT_FALSE(MenuEnabled(CommandId::RestoreSelection));
}

class CropRefused : public SelectionTest, public ::testing::WithParamInterface<std::pair<Point, Point>> {};

TEST_P(CropRefused, SelectionWithoutWidthOrHeightIsNotCropped) {
    LoadImage(640, 480);
    Drag(GetParam().first, GetParam().second);
    ASSERT_TRUE(Active());
    Dispatch(ed, CommandId::Crop);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kCropEmptySelectionText);
    EXPECT_EQ(ed.doc.imageWidth, 640);
    EXPECT_EQ(ed.doc.imageHeight, 480);
    EXPECT_EQ(ed.doc.undoDepth, 0);
    EXPECT_EQ(ed.doc.modified, 0);
    EXPECT_TRUE(Active());
}

INSTANTIATE_TEST_SUITE_P(ZeroSides, CropRefused,
                         ::testing::Values(std::pair{Point{10, 20}, Point{110, 20}},
                                           std::pair{Point{10, 20}, Point{10, 70}},
                                           std::pair{Point{640, 100}, Point{900, 300}}));

TEST_F(SelectionTest, CropWithoutSelectionDoesNothing) {
    LoadImage(640, 480);
    Drag({10, 20}, {110, 70});
    Dispatch(ed, CommandId::Unselect);
    Dispatch(ed, CommandId::Crop);
    EXPECT_EQ(ed.doc.imageWidth, 640);
    EXPECT_EQ(ed.doc.undoDepth, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(SelectionTest, UnselectEndsTheSelectionAndRepaints) {
    LoadImage(640, 480);
    Dispatch(ed, CommandId::EllipseSelection);
    Drag({10, 20}, {110, 70});
    ed.view.repaintNeeded = false;
    Dispatch(ed, CommandId::Unselect);
    EXPECT_FALSE(Active());
    EXPECT_TRUE(ed.view.repaintNeeded);
    EXPECT_FALSE(AdjustDialogOpen(ed));
    for (CommandId id : {CommandId::Cut, CommandId::AdjustSelection, CommandId::Crop, CommandId::Unselect, CommandId::ShiftLeft}) EXPECT_FALSE(MenuEnabled(id)) << id;
    for (CommandId id : {CommandId::Cut, CommandId::AdjustSelection, CommandId::Crop, CommandId::Unselect}) EXPECT_FALSE(ButtonEnabled(id)) << id;
    EXPECT_TRUE(MenuEnabled(CommandId::RotateClockwise));
    EXPECT_TRUE(MenuEnabled(CommandId::RestoreSelection));
}

TEST_F(SelectionTest, EndingAnEmptySelectionLeavesRestoreAsItWas) {
    LoadImage(640, 480);
    EXPECT_FALSE(MenuEnabled(CommandId::RestoreSelection));
    EndSelection(ed);
    EXPECT_FALSE(MenuEnabled(CommandId::RestoreSelection));
    ed.selection.restoreOffered = true;  // as an earlier selection left it
    EndSelection(ed);
    EXPECT_TRUE(MenuEnabled(CommandId::RestoreSelection));
}

TEST_F(SelectionTest, RestoreNeedsAnImageAndSomethingKept) {
    Dispatch(ed, CommandId::RestoreSelection);  // no image
    EXPECT_FALSE(Active());
    LoadImage(640, 480);
    Dispatch(ed, CommandId::RestoreSelection);  // nothing selected yet
    EXPECT_FALSE(Active());
    EXPECT_FALSE(AdjustDialogOpen(ed));
}

}  // namespace
}  // namespace rastrix::test
