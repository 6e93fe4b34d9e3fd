#include <gtest/gtest.h>

#include "ViewPrinters.h"

#include "view/Layout.h"
#include "view/PaintPlan.h"

namespace rastrix {
namespace {

TEST(SelectionOutline, FollowsZoomAndOriginAndTheLineDirection) {
    ViewState view;
    const Rect sel{10, 20, 110, 70};
    auto line = ComputeSelectionOutline(sel, CommandId::LineSelection, false, view, 100);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->from, (Point{10, 20}));
    EXPECT_EQ(line->to, (Point{110, 70}));
    line = ComputeSelectionOutline(sel, CommandId::LineSelection, true, view, 100);  // dragged bottom-left to top-right
    EXPECT_EQ(line->from, (Point{110, 20}));
    EXPECT_EQ(line->to, (Point{10, 70}));

    view.scrollOriginX = 20;
    view.scrollOriginY = 5;
    auto rounded = ComputeSelectionOutline(Rect{10, 8, 41, 30}, CommandId::RoundedRectangleSelection, false, view, 200);
    ASSERT_TRUE(rounded);
    EXPECT_EQ(rounded->box, (Rect{-20, 6, 42, 50}));
    EXPECT_EQ((Point{rounded->cornerWidth, rounded->cornerHeight}), (Point{15, 11}));  // 62 / 4, 44 / 4
    EXPECT_EQ(ComputeSelectionOutline(Rect{21, 5, 22, 7}, CommandId::RectangleSelection, false, view, 800)->box,
              (Rect{8, 0, 16, 16}));
    EXPECT_FALSE(ComputeSelectionOutline(sel, CommandId::Pen, false, view, 100));  // a tool, no shape
}

struct PaintFixture : ::testing::Test {
    ViewState view;
    SettingsRecord settings;
    ImagePaintInputs inputs{true, 1000, 1000, 8, false, CommandId::RectangleSelection, Rect{10, 20, 110, 70}, false};
    void SetUp() override { RelayoutImageWindow(view, settings, ViewArea{800, 600, 0, 17, 17}, 1000, 1000); }
};

TEST_F(PaintFixture, WithSelectionShowsTheOutline) {
    inputs.hasSelection = true;
    inputs.selectionShape = CommandId::EllipseSelection;
    view.restoreCursor = CursorKind::Pen;
    view.shownCursor = CursorKind::Wait;
    view.scrollOriginY = 600;  // scrolled since the last paint
    const ViewState scrolled = view;
    const ImagePaintPlan plan = PlanImageWindowPaint(view, settings, inputs);
    ASSERT_TRUE(plan.paintsImage);
    ASSERT_TRUE(plan.outline);
    EXPECT_EQ(plan.outline->box, (Rect{10 - 110, 20 - 600, 110 - 110, 70 - 600}));
    EXPECT_EQ(plan.render.source.top, 600);
    // A paint leaves the scroll bars as the scroll left them.
    EXPECT_EQ(view.vScroll, scrolled.vScroll);
    EXPECT_EQ(view.shownCursor, CursorKind::Pen);
    EXPECT_FALSE(view.repaintNeeded);
}

TEST_F(PaintFixture, WithoutSelectionDrawsNoOutline) {
    inputs.hasSelection = false;
    const ImagePaintPlan plan = PlanImageWindowPaint(view, settings, inputs);
    EXPECT_TRUE(plan.paintsImage);
    EXPECT_FALSE(plan.outline);
}

TEST_F(PaintFixture, WithoutImageOnlyRestoresTheCursor) {
    inputs.hasImage = false;
    view.repaintNeeded = true;
    view.shownCursor = CursorKind::Wait;
    const ImagePaintPlan plan = PlanImageWindowPaint(view, settings, inputs);
    EXPECT_FALSE(plan.paintsImage);
    EXPECT_EQ(plan.render.mode, BlitMode::None);
    EXPECT_EQ(view.shownCursor, CursorKind::Arrow);
    EXPECT_FALSE(view.repaintNeeded);
}

}  // namespace
}  // namespace rastrix
