#include <gtest/gtest.h>

#include "ViewPrinters.h"
#include "view/Scrolling.h"
#include "view/ViewCommands.h"

namespace rastrix {
namespace {

// 1000 x 1000 at 200 % in an 800 x 600 band: image part 776 x 576, 388 x 288 pixels shown.
struct ScrollFixture : ::testing::Test {
    ViewState view;
    SettingsRecord settings;
    void SetUp() override {
        RunViewCommand(ViewMode::Zoom2, view, settings, ViewArea{800, 600, 0, 17, 17}, 1000, 1000);
        ASSERT_EQ((Point{view.visibleImageWidth, view.visibleImageHeight}), (Point{388, 288}));
        ASSERT_EQ((Point{view.scrollOriginX, view.scrollOriginY}), (Point{306, 356}));
        view.repaintNeeded = false;
    }
    bool Scroll(ScrollBarKind bar, ScrollRequest request, int thumb = 0) {
        return HandleScrollRequest(view, bar, request, thumb, 1000, 1000);
    }
};

TEST_F(ScrollFixture, LineStepsStopAtBothEnds) {
    int steps = 0;
    while (Scroll(ScrollBarKind::Horizontal, ScrollRequest::LineForward)) ++steps;
    EXPECT_EQ(view.scrollOriginX, 612);
    EXPECT_EQ(steps, 612 - 306);
    while (Scroll(ScrollBarKind::Vertical, ScrollRequest::LineForward)) {}
    EXPECT_EQ(view.scrollOriginY, 712);

    while (Scroll(ScrollBarKind::Vertical, ScrollRequest::LineBack)) {}
    EXPECT_EQ(view.scrollOriginY, 0);
    view.repaintNeeded = false;
    EXPECT_FALSE(Scroll(ScrollBarKind::Vertical, ScrollRequest::LineBack));
    EXPECT_EQ(view.scrollOriginY, 0);
    EXPECT_FALSE(view.repaintNeeded);
    EXPECT_EQ(view.scrollOriginX, 612);  // the other axis is untouched
}

TEST_F(ScrollFixture, ThumbTrackStaysInsideTheRange) {
    EXPECT_FALSE(Scroll(ScrollBarKind::Vertical, ScrollRequest::ThumbTrack, 356));  // no change, no repaint
    EXPECT_FALSE(view.repaintNeeded);
    EXPECT_TRUE(Scroll(ScrollBarKind::Horizontal, ScrollRequest::ThumbTrack, 306));  // horizontal always repaints
    EXPECT_TRUE(Scroll(ScrollBarKind::Horizontal, ScrollRequest::ThumbTrack, 5000));
    EXPECT_EQ(view.scrollOriginX, 612);
    EXPECT_TRUE(Scroll(ScrollBarKind::Vertical, ScrollRequest::ThumbTrack, -3));
    EXPECT_EQ(view.scrollOriginY, 0);
    EXPECT_TRUE(view.repaintNeeded);
}

class IgnoredRequestTest : public ScrollFixture, public ::testing::WithParamInterface<ScrollRequest> {};

TEST_P(IgnoredRequestTest, ChangesNothing) {
    for (ScrollBarKind bar : {ScrollBarKind::Horizontal, ScrollBarKind::Vertical}) {
        EXPECT_FALSE(Scroll(bar, GetParam(), 0));
        EXPECT_FALSE(Scroll(bar, GetParam(), 999));
    }
    EXPECT_EQ((Point{view.scrollOriginX, view.scrollOriginY}), (Point{306, 356}));
    EXPECT_FALSE(view.repaintNeeded);
}

INSTANTIATE_TEST_SUITE_P(Scrolling, IgnoredRequestTest,
                         ::testing::Values(ScrollRequest::PageBack, ScrollRequest::PageForward,
                                           ScrollRequest::ThumbPosition, ScrollRequest::Top, ScrollRequest::Bottom,
                                           ScrollRequest::EndScroll, ScrollRequest(42)));

TEST(ScrollBars, HiddenExactlyWhenThePageCoversTheImage) {
    ViewState view;
    SettingsRecord settings;
    view.imageWindowWidth = 104;  // image part 100 x 100
    view.imageWindowHeight = 104;
    UpdateScrollBars(view, settings, 101, 100);
    EXPECT_TRUE(view.hScroll.shown);
    EXPECT_FALSE(view.vScroll.shown);
    settings.viewMode = StoredViewMode(ViewMode::Fit);  // the whole image is shown, whatever the part
    UpdateScrollBars(view, settings, 101, 100);
    EXPECT_EQ(view.hScroll, (ScrollBarState{0, 100, 101, 0, false}));
}

}  // namespace
}  // namespace rastrix
