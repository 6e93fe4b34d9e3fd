#include <gtest/gtest.h>

#include "ViewPrinters.h"

#include "view/Layout.h"
#include "view/Scrolling.h"
#include "view/ViewCommands.h"

namespace rastrix {
namespace {

// 1000 x 1000 at 200 % in an 800 x 600 band: image part 776 x 576, 388 x 288 pixels shown.
struct ScrollFixture : ::testing::Test {
    ViewState view;
    SettingsRecord settings;
    void SetUp() override {
        ASSERT_TRUE(RunViewCommand(kViewZoom2, view, settings, ViewArea{800, 600, 0, 17, 17}, 1000, 1000));
        ASSERT_EQ(view.visibleImageWidth, 388);
        ASSERT_EQ(view.visibleImageHeight, 288);
        ASSERT_EQ(view.scrollOriginX, 306);  // centred: (1000 - 388) / 2
        ASSERT_EQ(view.scrollOriginY, 356);
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
    EXPECT_TRUE(Scroll(ScrollBarKind::Horizontal, ScrollRequest::ThumbTrack, 5000));
    EXPECT_EQ(view.scrollOriginX, 612);
    EXPECT_TRUE(Scroll(ScrollBarKind::Horizontal, ScrollRequest::ThumbTrack, -3));
    EXPECT_EQ(view.scrollOriginX, 0);
    EXPECT_TRUE(Scroll(ScrollBarKind::Vertical, ScrollRequest::ThumbTrack, 40));
    EXPECT_EQ(view.scrollOriginY, 40);
    EXPECT_TRUE(view.repaintNeeded);
}

TEST_F(ScrollFixture, ThumbTrackRepaintsVerticallyOnlyOnAChange) {
    view.repaintNeeded = false;
    EXPECT_FALSE(Scroll(ScrollBarKind::Vertical, ScrollRequest::ThumbTrack, view.scrollOriginY));
    EXPECT_FALSE(view.repaintNeeded);
    EXPECT_TRUE(Scroll(ScrollBarKind::Horizontal, ScrollRequest::ThumbTrack, view.scrollOriginX));
}

class IgnoredRequestTest : public ScrollFixture, public ::testing::WithParamInterface<ScrollRequest> {};

TEST_P(IgnoredRequestTest, ChangesNothing) {
    for (ScrollBarKind bar : {ScrollBarKind::Horizontal, ScrollBarKind::Vertical}) {
        EXPECT_FALSE(Scroll(bar, GetParam(), 0));
        EXPECT_FALSE(Scroll(bar, GetParam(), 999));
    }
    EXPECT_EQ(view.scrollOriginX, 306);
    EXPECT_EQ(view.scrollOriginY, 356);
    EXPECT_FALSE(view.repaintNeeded);
}

INSTANTIATE_TEST_SUITE_P(Scrolling, IgnoredRequestTest,
                         ::testing::Values(ScrollRequest::PageBack, ScrollRequest::PageForward,
                                           ScrollRequest::ThumbPosition, ScrollRequest::Top, ScrollRequest::Bottom,
                                           ScrollRequest::EndScroll, ScrollRequest(42)));

TEST_F(ScrollFixture, BarsFollowTheOriginAfterTheNextUpdate) {
    Scroll(ScrollBarKind::Vertical, ScrollRequest::LineForward);
    EXPECT_EQ(view.vScroll.position, 356);  // not until the next paint
    UpdateScrollBars(view, settings, 1000, 1000);
    EXPECT_EQ(view.vScroll, (ScrollBarState{0, 999, 288, 357, true}));
}

TEST(ScrollBars, HiddenExactlyWhenThePageCoversTheImage) {
    ViewState view;
    SettingsRecord settings;
    view.imageWindowWidth = 104 + 17;  // image part 100 x 100 with room for a vertical bar
    view.vScrollReserve = 17;
    view.imageWindowHeight = 104;
    UpdateScrollBars(view, settings, 101, 100);
    EXPECT_TRUE(view.hScroll.shown);
    EXPECT_FALSE(view.vScroll.shown);
    settings.viewMode = kViewFit;  // the whole image is shown, whatever the part
    UpdateScrollBars(view, settings, 101, 100);
    EXPECT_FALSE(view.hScroll.shown);
    EXPECT_EQ(view.hScroll.page, 101);
}

}  // namespace
}  // namespace rastrix
