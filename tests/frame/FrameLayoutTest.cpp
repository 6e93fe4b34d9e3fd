#include <gtest/gtest.h>

#include "frame/FrameLayout.h"
#include "frame/FrameSizing.h"

namespace rastrix {
namespace {

struct LayoutCase {
    int width;
    int height;
    bool tools;
    std::array<int, 5> edges;
    int viewAreaHeight;
};

class FrameLayoutGrid : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(FrameLayoutGrid, StatusEdgesAndViewArea) {
    const LayoutCase& c = GetParam();
    const FrameLayout l = ComputeFrameLayout(c.width, c.height, c.tools);
    EXPECT_EQ(l.statusPartEdges, c.edges);
    EXPECT_EQ(l.viewAreaTop, kMainToolBarHeight + 2);
    EXPECT_EQ(l.viewAreaWidth, c.width);
    EXPECT_EQ(l.viewAreaHeight, c.viewAreaHeight);
    EXPECT_EQ(l.mainToolBar, (Rect{0, 0, c.width, kMainToolBarHeight}));
    EXPECT_EQ(l.statusBar, (Rect{0, c.height - kStatusBarHeight, c.width, c.height}));
    // The bands stack without gaps: view area, drawing bar (when shown), status bar.
    const Rect view = l.ViewArea();
    EXPECT_EQ(view, (Rect{0, l.viewAreaTop, c.width, l.viewAreaTop + c.viewAreaHeight}));
    if (c.tools) {
        EXPECT_EQ(l.drawingToolBar, (Rect{0, view.bottom, c.width, view.bottom + 38}));
        EXPECT_EQ(l.drawingToolBar.bottom, l.statusBar.top);
    } else {
        EXPECT_TRUE(l.drawingToolBar.IsEmpty());
        EXPECT_EQ(l.swatchWidth, 0);
        EXPECT_EQ(view.bottom, l.statusBar.top);
    }
}

// Default bars: tool bar 28 (view area from 30), status bar 22.
INSTANTIATE_TEST_SUITE_P(
    ClientSizes, FrameLayoutGrid,
    ::testing::Values(LayoutCase{300, 200, false, {143, 286, 311, 336, 300}, 148},  // narrower than 480
                      LayoutCase{481, 400, true, {143, 286, 311, 336, 481}, 310},
                      LayoutCase{800, 600, true, {250, 500, 525, 550, 800}, 510},
                      LayoutCase{803, 600, true, {251, 502, 527, 552, 803}, 510},
                      LayoutCase{1000, 700, true, {316, 632, 657, 682, 1000}, 610},
                      LayoutCase{1920, 1017, false, {623, 1246, 1271, 1296, 1920}, 965}));

TEST(FrameLayout, TooSmallFrameGivesEmptyViewArea) {
    const FrameLayout l = ComputeFrameLayout(200, 60, true);
    EXPECT_EQ(l.viewAreaHeight, 60 - 30 - 22 - 38);
    EXPECT_TRUE(l.ViewArea().IsEmpty());
}

TEST(FrameLayout, BarHeightsComeFromMetrics) {
    const FrameLayout l = ComputeFrameLayout(800, 600, true, FrameMetrics{40, 30});
    EXPECT_EQ(l.viewAreaTop, 42);
    EXPECT_EQ(l.viewAreaHeight, 600 - 42 - 30 - 38);
    EXPECT_EQ(l.statusBar, (Rect{0, 570, 800, 600}));
    EXPECT_EQ(l.drawingToolBar, (Rect{0, 532, 800, 570}));
}

struct SwatchCase {
    int width;
    int swatch;
    int outerBarWidth;  // 24 swatches plus the 4-pixel edge
};

class SwatchWidthGrid : public ::testing::TestWithParam<SwatchCase> {};

TEST_P(SwatchWidthGrid, ColorBarFollowsClientWidth) {
    const SwatchCase& c = GetParam();
    EXPECT_EQ(SwatchWidthFor(c.width), c.swatch);
    const FrameLayout l = ComputeFrameLayout(c.width, 600, true);
    EXPECT_EQ(l.swatchWidth, c.swatch);
    EXPECT_EQ(l.colorBarWidth, 24 * c.swatch);
    EXPECT_EQ(l.colorBar, (Rect{408, 2, 408 + c.outerBarWidth, 28}));
}

INSTANTIATE_TEST_SUITE_P(Widths, SwatchWidthGrid,
                         ::testing::Values(SwatchCase{600, 8, 196},    // 7 raised to 8
                                           SwatchCase{800, 16, 388},
                                           SwatchCase{1000, 24, 580},
                                           SwatchCase{631, 8, 196},
                                           SwatchCase{632, 9, 220},
                                           SwatchCase{200, 8, 196},    // negative quotient
                                           SwatchCase{392, 8, 196}));  // -24/24 = -1

// ---- resize kinds and maximizedNow --------------------------------------------------------

class FrameResize : public ::testing::Test {
protected:
    SettingsRecord settings;
    FrameState state = InitFrameState(settings);
};

TEST_F(FrameResize, MaximizedNowFollowsRestoreAndMaximise) {
    EXPECT_EQ(state.maximizedNow, 0);
    EXPECT_TRUE(OnFrameResize(state, SizeKind::Maximized, 1920, 1000));
    EXPECT_EQ(state.maximizedNow, 1);
    EXPECT_TRUE(OnFrameResize(state, SizeKind::Relayout, 0, 0));
    EXPECT_EQ(state.maximizedNow, 1);
    EXPECT_FALSE(OnFrameResize(state, SizeKind::Minimized, 0, 0));
    EXPECT_EQ(state.maximizedNow, 1);
    EXPECT_TRUE(OnFrameResize(state, SizeKind::Restored, 640, 400));
    EXPECT_EQ(state.maximizedNow, 0);
    EXPECT_FALSE(OnFrameResize(state, SizeKind::Minimized, 0, 0));
    EXPECT_EQ(state.maximizedNow, 0);
}

TEST_F(FrameResize, MinimisingKeepsTheLastLayout) {
    OnFrameResize(state, SizeKind::Restored, 800, 600);
    const FrameLayout before = state.layout;
    EXPECT_FALSE(OnFrameResize(state, SizeKind::Minimized, 0, 0));
    EXPECT_TRUE(state.minimized);
    EXPECT_EQ(state.layout, before);
    // A relayout request while minimised waits for the restore too.
    EXPECT_FALSE(OnFrameResize(state, SizeKind::Relayout, 0, 0));
    EXPECT_EQ(state.layout, before);
    EXPECT_TRUE(OnFrameResize(state, SizeKind::Restored, 900, 500));
    EXPECT_FALSE(state.minimized);
    EXPECT_EQ(state.layout.clientWidth, 900);
}

}  // namespace
}  // namespace rastrix
