#include <gtest/gtest.h>

#include "view/Cursors.h"
#include "view/MouseRouting.h"

namespace rastrix {
namespace {

TEST(Cursors, WaitCursorIsTakenAwayByTheNextPaint) {
    ViewState view;
    RestoreCursorAfterPaint(view);
    EXPECT_EQ(view.shownCursor, CursorKind::Arrow);  // nothing to restore yet
    view.toolCursor = CursorKind::Bucket;
    EXPECT_EQ(SetCursorForHitTest(view, true), CursorKind::Bucket);
    ShowWaitCursor(view);
    ShowWaitCursor(view);  // a nested wait must not keep the wait cursor itself
    EXPECT_EQ(view.shownCursor, CursorKind::Wait);
    RestoreCursorAfterPaint(view);
    EXPECT_EQ(view.shownCursor, CursorKind::Bucket);
    EXPECT_EQ(SetCursorForHitTest(view, false), CursorKind::Arrow);  // over a scroll bar
}

TEST(Mouse, RoutesByToolCursor) {
    using E = ImageMouseEvent;
    EXPECT_EQ(RouteImageMouse(CursorKind::Picker, E::RightDown, false), MouseAction::PickBackColor);
    EXPECT_EQ(RouteImageMouse(CursorKind::Bucket, E::LeftDown, false), MouseAction::BucketWithForeColor);
    EXPECT_EQ(RouteImageMouse(CursorKind::Cross, E::LeftDown, false), MouseAction::StartSelectionDrag);
    EXPECT_EQ(RouteImageMouse(CursorKind::Cross, E::RightDown, false), MouseAction::None);
    // Only the pen draws while moving with a button held.
    EXPECT_EQ(RouteImageMouse(CursorKind::Pen, E::Move, true), MouseAction::PenStroke);
    EXPECT_EQ(RouteImageMouse(CursorKind::Pen, E::Move, false), MouseAction::ShowPosition);
    EXPECT_EQ(RouteImageMouse(CursorKind::Bucket, E::Move, true), MouseAction::ShowPosition);
}

TEST(Mouse, ButtonUpEndsTheDragAndOpensAdjustOnlyForALeftSelectionRelease) {
    ViewState view;
    Selection selection;
    selection.dragging = 1;
    selection.active = 1;
    EXPECT_TRUE(HandleImageButtonUp(view, selection, true));
    EXPECT_EQ(selection.dragging, 0);
    EXPECT_FALSE(HandleImageButtonUp(view, selection, false));
    view.toolCursor = CursorKind::Pen;
    EXPECT_FALSE(HandleImageButtonUp(view, selection, true));
    view.toolCursor = CursorKind::Cross;
    selection.active = 0;
    EXPECT_FALSE(HandleImageButtonUp(view, selection, true));
}

}  // namespace
}  // namespace rastrix
