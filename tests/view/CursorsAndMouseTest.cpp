#include <gtest/gtest.h>

#include "view/Cursors.h"
#include "view/MouseRouting.h"

namespace rastrix {
namespace {

TEST(Cursors, WaitCursorIsTakenAwayByTheNextPaint) {
    ViewState view;
    view.toolCursor = CursorKind::Bucket;
    EXPECT_EQ(SetCursorForHitTest(view, true), CursorKind::Bucket);
    ShowWaitCursor(view);
    EXPECT_EQ(view.shownCursor, CursorKind::Wait);
    ShowWaitCursor(view);  // a nested wait must not store the wait cursor itself
    EXPECT_EQ(view.restoreCursor, CursorKind::Bucket);
    RestoreCursorAfterPaint(view);
    EXPECT_EQ(view.shownCursor, CursorKind::Bucket);
    EXPECT_EQ(SetCursorForHitTest(view, false), CursorKind::Arrow);  // over a scroll bar
}

TEST(Cursors, StartWithCrossToolAndArrowToRestore) {
    ViewState view;
    EXPECT_EQ(view.toolCursor, CursorKind::Cross);
    RestoreCursorAfterPaint(view);
    EXPECT_EQ(view.shownCursor, CursorKind::Arrow);
}

struct Route {
    CursorKind tool;
    ImageMouseEvent event;
    bool held;
    MouseAction expected;
};
class MouseRouteTest : public ::testing::TestWithParam<Route> {};

TEST_P(MouseRouteTest, FollowsTheToolCursor) {
    const Route r = GetParam();
    EXPECT_EQ(RouteImageMouse(r.tool, r.event, r.held), r.expected);
}

using E = ImageMouseEvent;
using A = MouseAction;
using C = CursorKind;
INSTANTIATE_TEST_SUITE_P(
    Mouse, MouseRouteTest,
    ::testing::Values(Route{C::Picker, E::LeftDown, false, A::PickForeColor},
                      Route{C::Picker, E::RightDown, false, A::PickBackColor},
                      Route{C::Pen, E::LeftDown, false, A::PenWithForeColor},
                      Route{C::Pen, E::RightDown, false, A::PenWithBackColor},
                      Route{C::Bucket, E::LeftDown, false, A::BucketWithForeColor},
                      Route{C::Bucket, E::RightDown, false, A::BucketWithBackColor},
                      Route{C::Cross, E::LeftDown, false, A::StartSelectionDrag},
                      Route{C::Cross, E::RightDown, false, A::None}, Route{C::Pen, E::Move, true, A::PenStroke},
                      Route{C::Pen, E::Move, false, A::ShowPosition}, Route{C::Cross, E::Move, true, A::ShowPosition},
                      Route{C::Bucket, E::Move, true, A::ShowPosition},
                      Route{C::Picker, E::Move, false, A::ShowPosition}));

TEST(Mouse, ButtonUpEndsTheDragAndOpensAdjustOnlyForALeftSelectionRelease) {
    ViewState view;
    SettingsRecord settings;
    settings.dragging = 1;
    settings.hasSelection = 1;
    EXPECT_TRUE(HandleImageButtonUp(view, settings, true));
    EXPECT_EQ(settings.dragging, 0);
    EXPECT_FALSE(HandleImageButtonUp(view, settings, false));
    view.toolCursor = CursorKind::Pen;
    EXPECT_FALSE(HandleImageButtonUp(view, settings, true));
    view.toolCursor = CursorKind::Cross;
    settings.hasSelection = 0;
    EXPECT_FALSE(HandleImageButtonUp(view, settings, true));
}

}  // namespace
}  // namespace rastrix
