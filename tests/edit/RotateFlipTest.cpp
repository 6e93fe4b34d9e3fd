#include "edit/RotateFlip.h"

#include <gtest/gtest.h>

#include "EditFixture.h"

namespace rastrix {
namespace {

using test::EditTest;

struct TurnCase {
    const char* name;
    int id;
    const char* expected;  // the 3 x 2 image "abc/def" afterwards
};

class RotateFlipWholeImage : public EditTest, public ::testing::WithParamInterface<TurnCase> {};

// a is old (0,0) and f old (2,1): clockwise a lands at (1,0) and f at (0,2); counter
// clockwise a at (0,2) and f at (1,0); the half turn sends a to (2,1).
TEST_P(RotateFlipWholeImage, MovesEveryPixelAndUndoBringsTheImageBack) {
    Load("abc/def");
    RotateFlip(ed, GetParam().id);
    EXPECT_EQ(Shown(), GetParam().expected);
    EXPECT_EQ(ed.doc.imageWidth, CurrentImage(ed).Width());
    EXPECT_EQ(ed.doc.imageHeight, CurrentImage(ed).Height());
    EXPECT_EQ(Depth(), 1);
    EXPECT_EQ(ed.settings.modified, 1);
    EXPECT_TRUE(MenuEnabled(IDM_SAVE));
    EXPECT_TRUE(MenuEnabled(IDM_UNDO));
    EXPECT_TRUE(ed.view.repaintNeeded);
    Undo(ed);
    EXPECT_EQ(Shown(), "abc/def");
    EXPECT_EQ(ed.doc.imageWidth, 3);
    EXPECT_EQ(ed.doc.imageHeight, 2);
}

INSTANTIATE_TEST_SUITE_P(Commands, RotateFlipWholeImage,
                         ::testing::Values(TurnCase{"Clockwise", IDM_ROT90CW, "da/eb/fc"},
                                           TurnCase{"CounterClockwise", IDM_ROT90CCW, "cf/be/ad"},
                                           TurnCase{"HalfTurn", IDM_ROT180, "fed/cba"},
                                           TurnCase{"FlipHorizontal", IDM_FLIPH, "cba/fed"},
                                           TurnCase{"FlipVertical", IDM_FLIPV, "def/abc"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditTest, FourClockwiseTurnsAndTwiceEachFlipGiveTheImageBack) {
    Load("abcd/efgh/ijkl");
    for (int i = 0; i < 4; ++i) RotateFlip(ed, IDM_ROT90CW);
    EXPECT_EQ(Shown(), "abcd/efgh/ijkl");
    EXPECT_EQ(ed.doc.imageWidth, 4);
    for (int id : {IDM_ROT180, IDM_FLIPH, IDM_FLIPV}) {
        RotateFlip(ed, id);
        EXPECT_NE(Shown(), "abcd/efgh/ijkl");
        RotateFlip(ed, id);
        EXPECT_EQ(Shown(), "abcd/efgh/ijkl") << id;
    }
}

TEST_F(EditTest, QuarterTurnOfAnOblongImageLaysTheWindowOutForTheNewSize) {
    Load(Bitmap(300, 200, RGB(1, 2, 3)));
    const int wideWindow = ed.view.imageWindowWidth;
    EXPECT_GT(ed.view.imageWindowWidth, ed.view.imageWindowHeight);
    RotateFlip(ed, IDM_ROT90CCW);
    EXPECT_LT(ed.view.imageWindowWidth, ed.view.imageWindowHeight);
    Undo(ed);
    EXPECT_EQ(ed.view.imageWindowWidth, wideWindow);
}

TEST_F(EditTest, QuarterTurnOfANonSquareSelectionIsRefusedAndChangesNothing) {
    Load("abcde/fghij/klmno/pqrst");
    Select({0, 0, 4, 3});
    for (int id : {IDM_ROT90CW, IDM_ROT90CCW}) {
        host.messages.clear();
        RotateFlip(ed, id);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, "Selection must be square for this operation.");
        EXPECT_EQ(host.messages[0].caption, std::nullopt);
        EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);
    }
    EXPECT_EQ(Shown(), "abcde/fghij/klmno/pqrst");
    EXPECT_EQ(Depth(), 0);
    EXPECT_EQ(ed.settings.modified, 0);
    EXPECT_TRUE(HasSelection(ed));
}

struct SelectionCase {
    const char* name;
    int id;
    const char* expected;
};

class RotateFlipSelection : public EditTest, public ::testing::WithParamInterface<SelectionCase> {};

// Only the 4 x 4 block at (1,1) moves; the ring around it and the size stay, and so does the
// selection, so the next command works on the same pixels.
TEST_P(RotateFlipSelection, TurnsOnlyTheSelectedPixels) {
    const char* start = "ABCDEF/Gabcd!/Hefgh@/Iijkl#/Jmnop$/KLMNOP";
    Load(start);
    Select({1, 1, 5, 5});
    RotateFlip(ed, GetParam().id);
    EXPECT_EQ(Shown(), GetParam().expected);
    EXPECT_EQ(ed.doc.imageWidth, 6);
    EXPECT_EQ(ed.doc.imageHeight, 6);
    EXPECT_TRUE(HasSelection(ed));
    EXPECT_EQ(ed.selection.rect, (Rect{1, 1, 5, 5}));
    EXPECT_EQ(Depth(), 1);
    EXPECT_TRUE(ed.view.repaintNeeded);
    Undo(ed);
    EXPECT_EQ(Shown(), start);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RotateFlipSelection,
    ::testing::Values(SelectionCase{"Clockwise", IDM_ROT90CW, "ABCDEF/Gmiea!/Hnjfb@/Iokgc#/Jplhd$/KLMNOP"},
                      SelectionCase{"CounterClockwise", IDM_ROT90CCW, "ABCDEF/Gdhlp!/Hcgko@/Ibfjn#/Jaeim$/KLMNOP"},
                      SelectionCase{"HalfTurn", IDM_ROT180, "ABCDEF/Gponm!/Hlkji@/Ihgfe#/Jdcba$/KLMNOP"},
                      SelectionCase{"FlipHorizontal", IDM_FLIPH, "ABCDEF/Gdcba!/Hhgfe@/Ilkji#/Jponm$/KLMNOP"},
                      SelectionCase{"FlipVertical", IDM_FLIPV, "ABCDEF/Gmnop!/Hijkl@/Iefgh#/Jabcd$/KLMNOP"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditTest, FlipOfANonSquareSelectionMirrorsOnlyItsColumns) {
    Load("abcdef/ghijkl");
    Select({1, 0, 4, 2});
    RotateFlip(ed, IDM_FLIPH);
    EXPECT_EQ(Shown(), "adcbef/gjihkl");
    RotateFlip(ed, IDM_FLIPV);
    EXPECT_EQ(Shown(), "ajihef/gdcbkl");
}

TEST_F(EditTest, RotateFlipWithoutAnImageDoesNothing) {
    RotateFlip(ed, IDM_ROT90CW);
    RotateFlip(ed, IDM_FLIPV);
    EXPECT_EQ(Depth(), 0);
    EXPECT_EQ(ed.settings.modified, 0);
    EXPECT_TRUE(CurrentImage(ed).IsEmpty());
}

// A selection kept across an Undo that made the image smaller may hang over its edge; only
// the part inside the image is turned.
TEST_F(EditTest, SelectionReachingPastTheImageTurnsOnlyThePartInside) {
    Load("abc/def/ghi");
    Select({1, 1, 5, 5});
    RotateFlip(ed, IDM_ROT180);
    EXPECT_EQ(Shown(), "abc/dih/gfe");
}

}  // namespace
}  // namespace rastrix
