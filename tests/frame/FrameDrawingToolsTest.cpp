#include <gtest/gtest.h>

#include "frame/FrameDrawingTools.h"

namespace rastrix {
namespace {

class DrawingTools : public ::testing::Test {
protected:
    void SetUp() override {
        state = InitFrameState(settings);
        OnFrameResize(state, SizeKind::Restored, 800, 600);
    }
    SettingsRecord settings;
    FrameState state;
};

TEST_F(DrawingTools, ShowHideSequenceLeavesTheBandUntilTheNextLayout) {
    ASSERT_EQ(settings.showDrawingTools, 0);
    EXPECT_EQ(state.drawingBarHeight, 0);
    EXPECT_EQ(state.layout.viewAreaHeight, 548);

    // Show: the byte becomes 8 and the frame is laid out with the bar.
    DrawingToolsChange change = ToggleDrawingTools(state, settings);
    EXPECT_TRUE(change.shown);
    EXPECT_TRUE(change.laidOut);
    EXPECT_EQ(settings.showDrawingTools, 8);
    EXPECT_TRUE(state.drawingToolsShown);
    EXPECT_EQ(state.drawingBarHeight, 38);
    EXPECT_EQ(state.layout.viewAreaHeight, 510);
    EXPECT_EQ(state.layout.drawingToolBar, (Rect{0, 540, 800, 578}));
    EXPECT_EQ(state.layout.swatchWidth, 16);
    EXPECT_FALSE(LeftoverDrawingBand(state));

    // Hide: no layout pass, the view area keeps its size and the band stays empty.
    change = ToggleDrawingTools(state, settings);
    EXPECT_FALSE(change.shown);
    EXPECT_FALSE(change.laidOut);
    EXPECT_EQ(settings.showDrawingTools, 0);
    EXPECT_FALSE(state.drawingToolsShown);
    EXPECT_EQ(state.layout.viewAreaHeight, 510);
    ASSERT_TRUE(LeftoverDrawingBand(state));
    EXPECT_EQ(*LeftoverDrawingBand(state), (Rect{0, 540, 800, 578}));
    EXPECT_EQ(state.drawingBarHeight, 38);

    // The next layout pass (a resize or a button release on the frame) closes the gap.
    EXPECT_TRUE(OnFrameResize(state, SizeKind::Relayout, 0, 0));
    EXPECT_EQ(state.layout.viewAreaHeight, 548);
    EXPECT_FALSE(LeftoverDrawingBand(state));
    EXPECT_EQ(state.drawingBarHeight, 38);  // never set back

    // Shown again: laid out again at once.
    change = ToggleDrawingTools(state, settings);
    EXPECT_TRUE(change.laidOut);
    EXPECT_EQ(settings.showDrawingTools, 8);
    EXPECT_EQ(state.layout.viewAreaHeight, 510);
}

TEST_F(DrawingTools, StrayStoredByteStillToggles) {
    // A value other than 0 and 8 read back from disk counts as on; the first toggle turns it off.
    settings.showDrawingTools = 1;
    state.drawingToolsShown = true;
    EXPECT_FALSE(ToggleDrawingTools(state, settings).shown);
    EXPECT_EQ(settings.showDrawingTools, 0);
    EXPECT_TRUE(ToggleDrawingTools(state, settings).shown);
    EXPECT_EQ(settings.showDrawingTools, 8);
}

TEST(DrawingToolsAtStart, SettingOnShowsTheBarFromTheFirstLayout) {
    SettingsRecord settings;
    settings.showDrawingTools = 8;
    FrameState state = InitFrameState(settings);
    EXPECT_TRUE(state.drawingToolsShown);
    EXPECT_EQ(state.drawingBarHeight, 0);
    OnFrameResize(state, SizeKind::Restored, 1000, 700);
    EXPECT_TRUE(state.layout.hasDrawingBar);
    EXPECT_EQ(state.layout.swatchWidth, 24);
    EXPECT_EQ(state.drawingBarHeight, 38);
}

}  // namespace
}  // namespace rastrix
