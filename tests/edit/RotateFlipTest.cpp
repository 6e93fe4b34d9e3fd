#include "edit/RotateFlip.h"

#include <gtest/gtest.h>

#include "EditFixture.h"
#include "document/Undo.h"
#include "frame/CommandDispatch.h"
#include "selection/Selection.h"

namespace rastrix {
namespace {

using test::EditTest;

struct TurnCase {
    CommandId id;
    const char* start;
    Rect selection;  // empty: no selection
    const char* expected;
};

class RotateFlipCases : public EditTest, public ::testing::WithParamInterface<TurnCase> {};

// Through the command dispatch: one undo level, the size swapped only by a quarter turn of the
// whole image, the selection kept, and Undo gives back the image and its size.
TEST_P(RotateFlipCases, TurnsTheImageOrOnlyTheSelectionAndUndoes) {
    const TurnCase& c = GetParam();
    Load(c.start);
    if (!c.selection.IsEmpty()) Select(c.selection);
    EXPECT_TRUE(Dispatch(ed, c.id));
    EXPECT_EQ(Shown(), c.expected);
    EXPECT_EQ(host.waitCursorsShown, 1);
    EXPECT_EQ(ed.doc.imageWidth, CurrentImage(ed).Width());
    EXPECT_EQ(ed.doc.imageHeight, CurrentImage(ed).Height());
    EXPECT_EQ(Depth(), 1);
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_TRUE(ed.view.repaintNeeded);
    EXPECT_EQ(HasSelection(ed), !c.selection.IsEmpty());
    if (HasSelection(ed)) {
        EXPECT_EQ(ed.selection.rect, c.selection);
    }
    Undo(ed);
    EXPECT_EQ(Shown(), c.start);
    EXPECT_EQ(ed.doc.imageWidth, CurrentImage(ed).Width());
}

// In the 3 x 2 image a is old (0,0) and f old (2,1): clockwise a lands at (1,0) and f at (0,2),
// counter clockwise a at (0,2) and f at (1,0), the half turn sends a to (2,1). The 4 x 4 block
// inside a ring of capitals turns alone.
constexpr const char* kRing = "ABCDEF/Gabcd!/Hefgh@/Iijkl#/Jmnop$/KLMNOP";
constexpr Rect kNone{}, kBlock{1, 1, 5, 5};
INSTANTIATE_TEST_SUITE_P(
    Commands, RotateFlipCases,
    ::testing::Values(TurnCase{CommandId::RotateClockwise, "abc/def", kNone, "da/eb/fc"},
                      TurnCase{CommandId::RotateCounterClockwise, "abc/def", kNone, "cf/be/ad"},
                      TurnCase{CommandId::Rotate180, "abc/def", kNone, "fed/cba"},
                      TurnCase{CommandId::FlipHorizontal, "abc/def", kNone, "cba/fed"},
                      TurnCase{CommandId::FlipVertical, "abc/def", kNone, "def/abc"},
                      TurnCase{CommandId::RotateClockwise, kRing, kBlock, "ABCDEF/Gmiea!/Hnjfb@/Iokgc#/Jplhd$/KLMNOP"},
                      TurnCase{CommandId::RotateCounterClockwise, kRing, kBlock, "ABCDEF/Gdhlp!/Hcgko@/Ibfjn#/Jaeim$/KLMNOP"},
                      TurnCase{CommandId::Rotate180, kRing, kBlock, "ABCDEF/Gponm!/Hlkji@/Ihgfe#/Jdcba$/KLMNOP"},
                      TurnCase{CommandId::FlipHorizontal, kRing, kBlock, "ABCDEF/Gdcba!/Hhgfe@/Ilkji#/Jponm$/KLMNOP"},
                      TurnCase{CommandId::FlipVertical, kRing, kBlock, "ABCDEF/Gmnop!/Hijkl@/Iefgh#/Jabcd$/KLMNOP"},
                      TurnCase{CommandId::FlipHorizontal, "abcdef/ghijkl", {1, 0, 4, 2}, "adcbef/gjihkl"},
                      // kept across an Undo that shrank the image: only the part inside turns
                      TurnCase{CommandId::Rotate180, "abc/def/ghi", {1, 1, 5, 5}, "abc/dih/gfe"}));

TEST_F(EditTest, FourQuarterTurnsAndTwiceEachFlipGiveTheImageBack) {
    Load(Bitmap(300, 200, ColorFromRgb(1, 2, 3)));
    CurrentImage(ed).SetPixel(0, 0, ColorFromRgb(9, 9, 9));
    const Bitmap start = CurrentImage(ed);
    const int wideWindow = ed.view.imageWindowWidth;
    RunRotateFlip(ed, Turn::Clockwise);
    EXPECT_LT(ed.view.imageWindowWidth, ed.view.imageWindowHeight);  // laid out for 200 x 300
    for (int i = 0; i < 3; ++i) RunRotateFlip(ed, Turn::Clockwise);
    EXPECT_EQ(CurrentImage(ed), start);
    EXPECT_EQ(ed.view.imageWindowWidth, wideWindow);
    for (CommandId id : {CommandId::Rotate180, CommandId::FlipHorizontal, CommandId::FlipVertical}) {
        Dispatch(ed, id);
        EXPECT_NE(CurrentImage(ed), start);
        Dispatch(ed, id);
        EXPECT_EQ(CurrentImage(ed), start) << id;
    }
}

TEST_F(EditTest, QuarterTurnOfANonSquareSelectionIsRefusedAndChangesNothing) {
    Load("abcde/fghij/klmno/pqrst");
    Select({0, 0, 4, 3});
    for (CommandId id : {CommandId::RotateClockwise, CommandId::RotateCounterClockwise}) Dispatch(ed, id);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, "Selection must be square for this operation.");
    EXPECT_EQ(host.messages[1].caption, std::nullopt);
    EXPECT_EQ(host.messages[1].buttons, MsgButtons::Ok);
    EXPECT_EQ(Shown(), "abcde/fghij/klmno/pqrst");
    EXPECT_EQ(Depth(), 0);
    EXPECT_EQ(ed.doc.modified, 0);
}

// Only a rectangle of a selection turns: the dispatch asks the commands' rule, so a command
// sent while the items are greyed for a rounded rectangle, an ellipse or a line leaves the
// image alone rather than turning the shape's bounding box.
TEST_F(EditTest, ASelectionOfAnotherShapeIsNeitherTurnedNorFlipped) {
    for (CommandId shape : {CommandId::RoundedRectangleSelection, CommandId::EllipseSelection, CommandId::LineSelection}) {
        Load("abc/def/ghi");
        Select({0, 0, 3, 3}, shape);
        for (CommandId id : {CommandId::RotateClockwise, CommandId::RotateCounterClockwise, CommandId::Rotate180,
                             CommandId::FlipHorizontal, CommandId::FlipVertical})
            EXPECT_TRUE(Dispatch(ed, id));
        EXPECT_EQ(Shown(), "abc/def/ghi") << shape;
        EXPECT_EQ(Depth(), 0) << shape;
    }
}

}  // namespace
}  // namespace rastrix
