#include "edit/Shift.h"

#include <gtest/gtest.h>

#include "EditFixture.h"
#include "document/Undo.h"
#include "frame/CommandDispatch.h"
#include "selection/Selection.h"

namespace rastrix {
namespace {

using test::EditTest;

struct ShiftCase {
    CommandId id;
    Rect selection;
    const char* expected;
};

class ShiftCases : public EditTest, public ::testing::WithParamInterface<ShiftCase> {};

// The selection inside a ring of capitals that must never change: the trailing column or row is
// kept and shows twice, the leading one is lost, nothing wraps round. Every shift is one undo
// level, also along a selection one pixel across where nothing moves; the selection stays.
TEST_P(ShiftCases, MovesTheSelectedPixelsByOneAndUndoes) {
    const char* start = "ABCDEF/Gabcd!/Hefgh@/Iijkl#/JKLMNO";
    Load(start);
    Select(GetParam().selection);
    EXPECT_TRUE(Dispatch(ed, GetParam().id));
    EXPECT_EQ(Shown(), GetParam().expected);
    EXPECT_EQ(Depth(), 1);
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_TRUE(ed.view.repaintNeeded);
    Undo(ed);
    EXPECT_EQ(Shown(), start);
    EXPECT_TRUE(HasSelection(ed));
    EXPECT_EQ(ed.selection.rect, GetParam().selection);
}

constexpr Rect kArea{1, 1, 5, 4};
INSTANTIATE_TEST_SUITE_P(Commands, ShiftCases,
                         ::testing::Values(ShiftCase{CommandId::ShiftLeft, kArea, "ABCDEF/Gbcdd!/Hfghh@/Ijkll#/JKLMNO"},
                                           ShiftCase{CommandId::ShiftRight, kArea, "ABCDEF/Gaabc!/Heefg@/Iiijk#/JKLMNO"},
                                           ShiftCase{CommandId::ShiftUp, kArea, "ABCDEF/Gefgh!/Hijkl@/Iijkl#/JKLMNO"},
                                           ShiftCase{CommandId::ShiftDown, kArea, "ABCDEF/Gabcd!/Habcd@/Iefgh#/JKLMNO"},
                                           ShiftCase{CommandId::ShiftLeft, {2, 1, 3, 4}, "ABCDEF/Gabcd!/Hefgh@/Iijkl#/JKLMNO"}));

TEST_F(EditTest, RepeatedShiftsKeepMovingTheSameAreaAndNeedASelection) {
    Load("abcd");
    Dispatch(ed, CommandId::ShiftLeft);  // the command's rule refuses it without a selection
    EXPECT_EQ(Depth(), 0);
    Select({0, 0, 4, 1});
    RunShift(ed, ShiftDirection::Left);
    RunShift(ed, ShiftDirection::Left);
    RunShift(ed, ShiftDirection::Right);
    EXPECT_EQ(Shown(), "ccdd");
}

}  // namespace
}  // namespace rastrix
