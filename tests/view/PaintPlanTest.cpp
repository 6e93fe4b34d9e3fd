#include <gtest/gtest.h>

#include "ViewPrinters.h"

#include "view/Layout.h"
#include "view/PaintPlan.h"

namespace rastrix {
namespace {

std::vector<std::int16_t> Enabled(const std::array<CommandEnable, kFillCommandCount>& states) {
    std::vector<std::int16_t> ids;
    for (const CommandEnable& s : states) {
        if (s.enabled) ids.push_back(s.id);
    }
    return ids;
}

TEST(FillCommands, GreyedWithoutSelectionAndByShapeWithOne) {
    const auto none = FillCommandStatesAfterPaint(false, kShapeRectangle);
    EXPECT_TRUE(Enabled(none).empty());
    EXPECT_EQ(none[0].id, 336);
    EXPECT_EQ(none[4].id, 340);
    const std::vector<std::int16_t> all{336, 337, 338, 339, 340};
    for (std::int16_t shape : {kShapeRectangle, kShapeRoundRect, kShapeEllipse})
        EXPECT_EQ(Enabled(FillCommandStatesAfterPaint(true, shape)), all) << shape;
    EXPECT_EQ(Enabled(FillCommandStatesAfterPaint(true, kShapeLine)), std::vector<std::int16_t>{336});
}

TEST(SelectionOutline, FollowsZoomAndOriginAndTheLineDirection) {
    ViewState view;
    const Rect sel{10, 20, 110, 70};
    auto line = ComputeSelectionOutline(sel, kShapeLine, false, view, 100);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->from, (Point{10, 20}));
    EXPECT_EQ(line->to, (Point{110, 70}));
    line = ComputeSelectionOutline(sel, kShapeLine, true, view, 100);  // dragged bottom-left to top-right
    EXPECT_EQ(line->from, (Point{110, 20}));
    EXPECT_EQ(line->to, (Point{10, 70}));

    view.scrollOriginX = 20;
    view.scrollOriginY = 5;
    auto rounded = ComputeSelectionOutline(Rect{10, 8, 41, 30}, kShapeRoundRect, false, view, 200);
    ASSERT_TRUE(rounded);
    EXPECT_EQ(rounded->box, (Rect{-20, 6, 42, 50}));
    EXPECT_EQ((Point{rounded->cornerWidth, rounded->cornerHeight}), (Point{15, 11}));  // 62 / 4, 44 / 4
    EXPECT_EQ(ComputeSelectionOutline(Rect{21, 5, 22, 7}, kShapeRectangle, false, view, 800)->box,
              (Rect{8, 0, 16, 16}));
    EXPECT_FALSE(ComputeSelectionOutline(sel, 320, false, view, 100));
}

struct PaintFixture : ::testing::Test {
    ViewState view;
    SettingsRecord settings;
    ImagePaintInputs inputs{true, 1000, 1000, 8, Rect{10, 20, 110, 70}, false};
    void SetUp() override { RelayoutImageWindow(view, settings, ViewArea{800, 600, 0, 17, 17}, 1000, 1000); }
};

TEST_F(PaintFixture, WithSelectionShowsOutlineTextsAndEnablesFills) {
    settings.hasSelection = 1;
    settings.selectionShape = kShapeEllipse;
    view.restoreCursor = CursorKind::Pen;
    view.shownCursor = CursorKind::Wait;
    view.scrollOriginY = 600;  // scrolled since the last paint
    const ImagePaintPlan plan = PlanImageWindowPaint(view, settings, inputs);
    ASSERT_TRUE(plan.paintsImage);
    EXPECT_EQ(plan.imageStatus, "1000W x 1000H, 8 bits per pixel, 100%");
    EXPECT_EQ(plan.selectionStatus, "Selection@ 10,20 (100W x 50H)");
    ASSERT_TRUE(plan.outline);
    EXPECT_EQ(plan.outline->box, (Rect{10 - 110, 20 - 600, 110 - 110, 70 - 600}));
    EXPECT_EQ(Enabled(plan.fillCommands).size(), 5u);
    EXPECT_EQ(plan.render.source.top, 600);
    EXPECT_EQ(view.vScroll.position, 600);
    EXPECT_EQ(view.shownCursor, CursorKind::Pen);
    EXPECT_FALSE(view.repaintNeeded);
}

TEST_F(PaintFixture, WithoutSelectionBlanksPartFourAndGreysFills) {
    settings.hasSelection = 0;
    const ImagePaintPlan plan = PlanImageWindowPaint(view, settings, inputs);
    EXPECT_EQ(plan.selectionStatus, " ");
    EXPECT_FALSE(plan.outline);
    EXPECT_TRUE(Enabled(plan.fillCommands).empty());
}

TEST_F(PaintFixture, WithoutImageOnlyRestoresTheCursor) {
    inputs.hasImage = false;
    view.repaintNeeded = true;
    view.shownCursor = CursorKind::Wait;
    const ImagePaintPlan plan = PlanImageWindowPaint(view, settings, inputs);
    EXPECT_FALSE(plan.paintsImage);
    EXPECT_TRUE(plan.imageStatus.empty());
    EXPECT_EQ(plan.render.mode, BlitMode::None);
    EXPECT_EQ(view.shownCursor, CursorKind::Arrow);
    EXPECT_FALSE(view.repaintNeeded);
}

}  // namespace
}  // namespace rastrix
