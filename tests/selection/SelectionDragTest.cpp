#include "SelectionFixture.h"

namespace rastrix::test {
namespace {

struct DragCase {
    Point from, to;
    Rect rect;
    bool lineReversed;
};

class DragDirections : public SelectionTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DragDirections, RectangleRunsFromTheAnchorAndTheLineFollowsTheDrag) {
    LoadImage(640, 480);
    const DragCase& c = GetParam();
    Drag(c.from, c.to);
    EXPECT_TRUE(Active());
    EXPECT_EQ(Sel(), c.rect);
    EXPECT_EQ(ed.selection.lineReversed, c.lineReversed);
    EXPECT_EQ(ed.selection.anchor, c.from);
    EXPECT_EQ(ed.selection.drag, c.to);
}

INSTANTIATE_TEST_SUITE_P(
    FourWays, DragDirections,
    ::testing::Values(DragCase{{10, 20}, {30, 40}, {10, 20, 30, 40}, false},  // down and right
                      DragCase{{30, 40}, {10, 20}, {10, 20, 30, 40}, false},  // up and left
                      DragCase{{10, 40}, {30, 20}, {10, 20, 30, 40}, true},   // up and right
                      DragCase{{30, 20}, {10, 40}, {10, 20, 30, 40}, true},   // down and left
                      // Only sideways or only up and down: one side has no extent.
                      DragCase{{50, 60}, {90, 60}, {50, 60, 90, 60}, true},
                      DragCase{{90, 60}, {50, 60}, {50, 60, 90, 60}, false},
                      DragCase{{50, 60}, {50, 99}, {50, 60, 50, 99}, true},
                      // Past the edges: held at the image's size and at 0.
                      DragCase{{600, 400}, {900, 700}, {600, 400, 640, 480}, false},
                      DragCase{{20, 30}, {0, 0}, {0, 0, 20, 30}, false},
                      // Pressed beyond the last column: the rectangle still stays inside.
                      DragCase{{700, 10}, {800, 50}, {640, 10, 640, 50}, false}));

TEST_F(SelectionTest, FirstStepBeginsTheSelectionWithItsCommands) {
    LoadImage(640, 480);
    const auto before = States();
    SelectionDragStart(ed, {5, 5});
    EXPECT_EQ(ed.selection.dragging, 1);
    EXPECT_FALSE(Active());
    EXPECT_EQ(States(), before);  // a press alone changes nothing

    SelectionDragStep(ed, {50, 40});
    EXPECT_TRUE(Active());
    EXPECT_TRUE(ed.view.repaintNeeded);
    for (CommandId id : {CommandId::Cut, CommandId::AdjustSelection, CommandId::Crop, CommandId::Unselect, CommandId::ShiftLeft, CommandId::ShiftDown, CommandId::RotateClockwise})
        EXPECT_TRUE(MenuEnabled(id) && ButtonEnabled(id)) << id;
    EXPECT_FALSE(MenuEnabled(CommandId::RestoreSelection));
    EXPECT_FALSE(ButtonEnabled(CommandId::RestoreSelection));

    SelectionButtonUp(ed, true);
    EXPECT_EQ(ed.selection.dragging, 0);
    EXPECT_TRUE(AdjustDialogOpen(ed));
    EXPECT_EQ(host.modeless, ed.adjustDialog.get());
}

TEST_F(SelectionTest, ShapedSelectionForbidsRotatingAndShifting) {
    LoadImage(640, 480);
    Dispatch(ed, CommandId::EllipseSelection);
    Drag({5, 5}, {50, 40});
    EXPECT_FALSE(MenuEnabled(CommandId::RotateClockwise));
    EXPECT_FALSE(ButtonEnabled(CommandId::FlipVertical));
    EXPECT_FALSE(MenuEnabled(CommandId::ShiftLeft));
    EXPECT_TRUE(MenuEnabled(CommandId::Crop));
}

TEST_F(SelectionTest, ClickWithoutMoveKeepsTheSelectionAndOpensTheDialog) {
    LoadImage(640, 480);
    Drag({10, 20}, {110, 70});
    CloseAdjustDialog(ed);
    Drag({300, 300}, {});
    EXPECT_EQ(Sel(), (Rect{10, 20, 110, 70}));
    EXPECT_TRUE(AdjustDialogOpen(ed));
    EXPECT_EQ(Fields(), "10,20,100,50");
}

TEST_F(SelectionTest, ClickWithoutSelectionDoesNothing) {
    LoadImage(640, 480);
    const auto before = States();
    Drag({300, 300}, {});
    EXPECT_FALSE(Active());
    EXPECT_FALSE(AdjustDialogOpen(ed));
    EXPECT_EQ(host.modelessShows, 0);
    EXPECT_EQ(States(), before);
}

TEST_F(SelectionTest, StepOnTheSamePixelChangesNothingAndMovesWithoutDragDoNothing) {
    LoadImage(640, 480);
    SelectionDragStart(ed, {10, 10});
    SelectionDragStep(ed, {20, 20});
    ed.view.repaintNeeded = false;
    SelectionDragStep(ed, {20, 20});
    EXPECT_FALSE(ed.view.repaintNeeded);
    SelectionDragStep(ed, {25, 22});
    EXPECT_EQ(Sel(), (Rect{10, 10, 25, 22}));
    SelectionButtonUp(ed, true);

    ed.view.repaintNeeded = false;
    SelectionDragStep(ed, {100, 100});  // the button is up
    EXPECT_EQ(Sel(), (Rect{10, 10, 25, 22}));
    EXPECT_FALSE(ed.view.repaintNeeded);
}

TEST_F(SelectionTest, DraggingClosesTheDialogAndTheRightButtonEndsWithoutIt) {
    LoadImage(640, 480);
    Drag({10, 10}, {40, 40});
    ASSERT_TRUE(AdjustDialogOpen(ed));
    SelectionDragStart(ed, {5, 5});
    SelectionDragStep(ed, {60, 70});
    EXPECT_FALSE(AdjustDialogOpen(ed));
    EXPECT_EQ(host.modeless, nullptr);
    SelectionButtonUp(ed, false);
    EXPECT_EQ(ed.selection.dragging, 0);
    EXPECT_FALSE(AdjustDialogOpen(ed));
    EXPECT_EQ(Sel(), (Rect{5, 5, 60, 70}));
}

TEST_F(SelectionTest, LeftUpWithAnotherToolOpensNothing) {
    LoadImage(640, 480);
    Drag({10, 10}, {40, 40});
    CloseAdjustDialog(ed);
    Dispatch(ed, CommandId::Pen);
    SelectionButtonUp(ed, true);
    EXPECT_FALSE(AdjustDialogOpen(ed));
}

TEST_F(SelectionTest, SidewaysSelectionCanBeRestoredAfterUnselect) {
    LoadImage(640, 480);
    Drag({50, 60}, {90, 60});
    Dispatch(ed, CommandId::Unselect);
    EXPECT_FALSE(Active());
    EXPECT_TRUE(MenuEnabled(CommandId::RestoreSelection));
    EXPECT_TRUE(ButtonEnabled(CommandId::RestoreSelection));
    Dispatch(ed, CommandId::RestoreSelection);
    EXPECT_TRUE(Active());
    EXPECT_EQ(Sel(), (Rect{50, 60, 90, 60}));
}

}  // namespace
}  // namespace rastrix::test
