#include "edit/Shift.h"

#include <gtest/gtest.h>

#include "app/CommandDispatch.h"

#include "EditFixture.h"

namespace rastrix {
namespace {

using test::EditTest;

struct ShiftCase {
    const char* name;
    int id;
    const char* expected;
};

class ShiftSelectionCases : public EditTest, public ::testing::WithParamInterface<ShiftCase> {};

// A 4 x 3 selection at (1,1) inside a ring of capitals that must never change: the trailing
// column or row is kept and shows twice, the leading one is lost, nothing wraps around.
TEST_P(ShiftSelectionCases, MovesTheSelectedPixelsByOneAndUndoBringsThemBack) {
    const char* start = "ABCDEF/Gabcd!/Hefgh@/Iijkl#/JKLMNO";
    Load(start);
    Select({1, 1, 5, 4});
    ShiftSelection(ed, GetParam().id);
    EXPECT_EQ(Shown(), GetParam().expected);
    EXPECT_EQ(Depth(), 1);
    EXPECT_EQ(ed.settings.modified, 1);
    EXPECT_TRUE(ed.view.repaintNeeded);
    EXPECT_TRUE(HasSelection(ed));
    EXPECT_EQ(ed.selection.rect, (Rect{1, 1, 5, 4}));
    Undo(ed);
    EXPECT_EQ(Shown(), start);
    EXPECT_TRUE(HasSelection(ed));
}

INSTANTIATE_TEST_SUITE_P(Commands, ShiftSelectionCases,
                         ::testing::Values(ShiftCase{"Left", IDM_SHIFTL, "ABCDEF/Gbcdd!/Hfghh@/Ijkll#/JKLMNO"},
                                           ShiftCase{"Right", IDM_SHIFTR, "ABCDEF/Gaabc!/Heefg@/Iiijk#/JKLMNO"},
                                           ShiftCase{"Up", IDM_SHIFTU, "ABCDEF/Gefgh!/Hijkl@/Iijkl#/JKLMNO"},
                                           ShiftCase{"Down", IDM_SHIFTD, "ABCDEF/Gabcd!/Habcd@/Iefgh#/JKLMNO"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditTest, RepeatedShiftsKeepMovingTheSameArea) {
    Load("abcd");
    Select({0, 0, 4, 1});
    ShiftSelection(ed, IDM_SHIFTL);
    ShiftSelection(ed, IDM_SHIFTL);
    EXPECT_EQ(Shown(), "cddd");
    ShiftSelection(ed, IDM_SHIFTR);
    EXPECT_EQ(Shown(), "ccdd");
    EXPECT_EQ(Depth(), 3);
}

TEST_F(EditTest, ShiftAlongASelectionOnePixelAcrossChangesNoPixelButAddsAnUndoLevel) {
    Load("abc/def");
    Select({1, 0, 2, 2});
    ShiftSelection(ed, IDM_SHIFTL);
    EXPECT_EQ(Shown(), "abc/def");
    EXPECT_EQ(Depth(), 1);
    EXPECT_EQ(ed.settings.modified, 1);
    ShiftSelection(ed, IDM_SHIFTU);  // the same selection is two pixels high: this one moves
    EXPECT_EQ(Shown(), "aec/def");
}

TEST_F(EditTest, ShiftWithoutASelectionDoesNothing) {
    Load("abc/def");
    ShiftSelection(ed, IDM_SHIFTR);
    EXPECT_EQ(Shown(), "abc/def");
    EXPECT_EQ(Depth(), 0);
    EXPECT_EQ(ed.settings.modified, 0);
}

TEST_F(EditTest, ShiftAndRotateCommandsReachTheirHandlers) {
    Load("abc/def");
    Select({0, 0, 2, 2});
    EXPECT_TRUE(Dispatch(ed, IDM_SHIFTR));
    EXPECT_EQ(Shown(), "aac/ddf");
    EXPECT_TRUE(Dispatch(ed, IDM_FLIPV));
    EXPECT_EQ(Shown(), "ddc/aaf");
}

}  // namespace
}  // namespace rastrix
