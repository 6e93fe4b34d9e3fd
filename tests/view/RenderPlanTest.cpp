#include <gtest/gtest.h>

#include "ViewPrinters.h"
#include "view/RenderPlan.h"
#include "view/ViewCommands.h"

namespace rastrix {
namespace {

const ViewArea kArea{800, 600, 0, 17, 17};

struct PlanCase {
    ViewMode mode;
    int width, height;
    BlitMode blit;
    Rect source, dest;
};
class RenderPlanTest : public ::testing::TestWithParam<PlanCase> {};

TEST_P(RenderPlanTest, NamesOnlyTheVisiblePart) {
    const PlanCase c = GetParam();
    ViewState view;
    SettingsRecord settings;
    RunViewCommand(c.mode, view, settings, kArea, c.width, c.height);
    const RenderPlan plan = ComputeRenderPlan(view, settings, c.width, c.height);
    EXPECT_EQ(plan.mode, c.blit);
    EXPECT_EQ(plan.source, c.source);
    EXPECT_EQ(plan.dest, c.dest);
    EXPECT_EQ(plan.imagePart, (Rect{0, 0, view.ImagePartWidth(), view.ImagePartHeight()}));
}

INSTANTIATE_TEST_SUITE_P(
    Render, RenderPlanTest,
    ::testing::Values(
        PlanCase{ViewMode::Actual, 1000, 1000, BlitMode::Copy, {110, 210, 889, 789}, {0, 0, 779, 579}},
        PlanCase{ViewMode::Zoom2, 1000, 1000, BlitMode::ColorOnColor, {306, 356, 694, 644}, {0, 0, 776, 576}},
        PlanCase{ViewMode::Zoom8, 1000, 1000, BlitMode::ColorOnColor, {451, 464, 548, 536}, {0, 0, 776, 576}},
        PlanCase{ViewMode::Fit, 2000, 1000, BlitMode::Halftone, {0, 0, 2000, 1000}, {0, 0, 780, 390}},
        PlanCase{ViewMode::Fit, 100, 50, BlitMode::ColorOnColor, {0, 0, 100, 50}, {0, 0, 700, 350}},
        PlanCase{ViewMode::Zoom4, 30, 20, BlitMode::ColorOnColor, {0, 0, 30, 20}, {0, 0, 120, 80}},
        PlanCase{ViewMode::Actual, 30, 20, BlitMode::Copy, {0, 0, 30, 20}, {0, 0, 30, 20}}));

TEST(RenderPlan, ScrolledToTheFarEdgeEndsAtTheImageEdge) {
    ViewState view;
    SettingsRecord settings;
    RunViewCommand(ViewMode::Zoom4, view, settings, kArea, 1000, 1000);
    view.scrollOriginX = 1000 - view.visibleImageWidth;
    view.scrollOriginY = 1000 - view.visibleImageHeight;
    const RenderPlan plan = ComputeRenderPlan(view, settings, 1000, 1000);
    EXPECT_EQ(plan.source.right, 1000);
    EXPECT_EQ(plan.source.bottom, 1000);
    EXPECT_EQ(plan.dest, plan.imagePart);
}

TEST(RenderPlan, PartWiderThanTheImageIsCutAtTheEdgeAndTheRestUncovered) {
    ViewState view;
    SettingsRecord settings;
    settings.viewMode = StoredViewMode(ViewMode::Zoom2);
    settings.zoomPercent = 200;
    view.imageWindowWidth = 304;  // image part 300 x 100 shows 150 x 50 pixels of a 100 x 40 image
    view.imageWindowHeight = 104;
    const RenderPlan plan = ComputeRenderPlan(view, settings, 100, 40);
    EXPECT_EQ(plan.source, (Rect{0, 0, 100, 40}));
    EXPECT_EQ(plan.dest, (Rect{0, 0, 200, 80}));
    const std::vector<Rect> rest = UncoveredAreas(plan, 300, 100);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(rest[0], (Rect{200, 0, 300, 100}));
    EXPECT_EQ(rest[1], (Rect{0, 80, 200, 100}));
    EXPECT_TRUE(UncoveredAreas(plan, 200, 80).empty());
}

TEST(RenderPlan, EmptyPartOrImageOrAnOriginPastTheImageDrawsNothing) {
    ViewState view;
    SettingsRecord settings;
    view.imageWindowWidth = 21;  // nothing but edges and scroll-bar room
    view.vScrollReserve = 17;
    view.imageWindowHeight = 50;
    EXPECT_EQ(ComputeRenderPlan(view, settings, 100, 100).mode, BlitMode::None);
    view.vScrollReserve = 0;
    EXPECT_EQ(ComputeRenderPlan(view, settings, 0, 100).mode, BlitMode::None);
    view.scrollOriginX = 200;
    EXPECT_EQ(ComputeRenderPlan(view, settings, 100, 100).mode, BlitMode::None);
}

}  // namespace
}  // namespace rastrix
