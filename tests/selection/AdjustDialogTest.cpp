#include "SelectionFixture.h"

#include "frame/SettingsCodec.h"

namespace rastrix::test {
namespace {

constexpr int kIn = ControlId::AdjustLeft, kDown = ControlId::AdjustTop, kWidth = ControlId::AdjustWidth, kHeight = ControlId::AdjustHeight;
constexpr int kArrows = ControlId::AdjustArrowsOffset;

class AdjustTest : public SelectionTest {
protected:
    void SetUp() override {
        LoadImage(640, 480);
        Drag({10, 20}, {110, 70});
    }
    // Types text into a field and moves the focus away from it.
    void Type(int field, const std::string& text) {
        AdjustSelectionDialog& d = Dialog();
        d.FieldFocused(field);
        d.TextChanged(field, text);
        d.EditCommitted(field);
    }
};

TEST_F(AdjustTest, OpensAfterADragShowingTheSelection) {
    EXPECT_EQ(host.modelessShows, 1);
    EXPECT_EQ(host.modelessOffset, (Point{0, 333}));  // first time: the frame's left edge, 333 below its top
    EXPECT_EQ(Fields(), "10,20,100,50");
    EXPECT_EQ(Dialog().FocusedField(), kIn);
    EXPECT_EQ(Dialog().SelectedRange(), (TextRange{0, 2}));
}

struct TypeCase {
    int field;
    std::string text;
    Rect rect;
    std::string fields;
};

class AdjustTyping : public AdjustTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(AdjustTyping, AppliesTheValueThenClamps) {
    const TypeCase& c = GetParam();
    ed.view.repaintNeeded = false;
    const int refreshes = host.modelessRefreshes;
    Type(c.field, c.text);
    EXPECT_EQ(Sel(), c.rect);
    EXPECT_EQ(Fields(), c.fields);
    EXPECT_TRUE(ed.view.repaintNeeded);
    EXPECT_GT(host.modelessRefreshes, refreshes);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, AdjustTyping,
    ::testing::Values(TypeCase{kIn, "30", {30, 20, 130, 70}, "30,20,100,50"},      // moves, width stays
                      TypeCase{kDown, "5", {10, 5, 110, 55}, "10,5,100,50"},       // moves, height stays
                      TypeCase{kIn, "600", {600, 20, 640, 70}, "600,20,40,50"},    // cut back at the edge
                      TypeCase{kIn, "700", {639, 20, 640, 70}, "639,20,1,50"},     // left stays on the image
                      TypeCase{kIn, "640", {639, 20, 640, 70}, "639,20,1,50"},     // even at exactly the width
                      TypeCase{kWidth, "0", {10, 20, 10, 70}, "10,20,0,50"},
                      TypeCase{kHeight, "5000", {10, 20, 110, 480}, "10,20,100,460"},
                      TypeCase{kWidth, "12abc", {10, 20, 22, 70}, "10,20,12,50"},  // letters end the number
                      TypeCase{kWidth, "", {10, 20, 10, 70}, "10,20,0,50"},        // no digits read as 0
                      // 40000 wraps to -25536: a negative left clamps to 0, and so does the right
                      // that moved with it.
                      TypeCase{kIn, "40000", {0, 20, 0, 70}, "0,20,0,50"},
                      TypeCase{kHeight, "40000", {10, 20, 110, 20}, "10,20,100,0"}));

TEST(AdjustFieldValue, SixCharactersAsASigned16BitNumber) {
    EXPECT_EQ(ParseAdjustField("32767"), 32767);
    EXPECT_EQ(ParseAdjustField("32768"), -32768);
    EXPECT_EQ(ParseAdjustField("40000"), -25536);
    EXPECT_EQ(ParseAdjustField("65536"), 0);
    EXPECT_EQ(ParseAdjustField("1234567"), 57920 - 65536);  // "123456" read, low 16 bits
    EXPECT_EQ(ParseAdjustField("-5"), 0);
    EXPECT_EQ(ParseAdjustField("0000305"), 30);  // six characters read
}

struct ArrowCase {
    int arrows;
    int delta;  // +1 right or up, -1 left or down
    Rect rect;
};

class AdjustArrows : public AdjustTest, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(AdjustArrows, MoveOnePixelTheWayTheyPoint) {
    const ArrowCase& c = GetParam();
    Dialog().Spin(c.arrows, c.delta);
    EXPECT_EQ(Sel(), c.rect);
    EXPECT_EQ(Dialog().FocusedField(), c.arrows - kArrows);
}

INSTANTIATE_TEST_SUITE_P(Eight, AdjustArrows,
                         ::testing::Values(ArrowCase{kIn + kArrows, +1, {11, 20, 111, 70}},  // right
                                           ArrowCase{kIn + kArrows, -1, {9, 20, 109, 70}},
                                           ArrowCase{kDown + kArrows, +1, {10, 19, 110, 69}},  // up
                                           ArrowCase{kDown + kArrows, -1, {10, 21, 110, 71}},
                                           ArrowCase{kWidth + kArrows, +1, {10, 20, 111, 70}},  // wider
                                           ArrowCase{kWidth + kArrows, -1, {10, 20, 109, 70}},
                                           ArrowCase{kHeight + kArrows, +1, {10, 20, 110, 71}},  // taller
                                           ArrowCase{kHeight + kArrows, -1, {10, 20, 110, 69}}));

TEST_F(AdjustTest, RightArrowAtTheRightEdgeNarrowsTheSelection) {
    Type(kIn, "600");
    ASSERT_EQ(Sel(), (Rect{600, 20, 640, 70}));
    Dialog().Spin(kIn + kArrows, +1);
    EXPECT_EQ(Sel(), (Rect{601, 20, 640, 70}));
    EXPECT_EQ(Fields(), "601,20,39,50");
}

TEST_F(AdjustTest, ArrowOfAnotherFieldFirstAppliesWhatWasTyped) {
    AdjustSelectionDialog& d = Dialog();
    d.FieldFocused(kWidth);
    d.TextChanged(kWidth, "30");
    d.Spin(kHeight + kArrows, +1);  // no commit from the front end: the arrow takes the focus
    EXPECT_EQ(Sel(), (Rect{10, 20, 40, 71}));
    EXPECT_EQ(d.FocusedField(), kHeight);
}

TEST_F(AdjustTest, EnterAppliesTheFocusedFieldAndSelectsItsFirstFourCharacters) {
    LoadImage(20000, 4);
    Drag({0, 0}, {10, 4});
    AdjustSelectionDialog& d = Dialog();
    d.FieldFocused(kWidth);
    d.TextChanged(kWidth, "12345");
    d.Command(DialogAnswer::Ok);
    EXPECT_EQ(Sel(), (Rect{0, 0, 12345, 4}));
    EXPECT_EQ(d.FocusedField(), kWidth);
    EXPECT_EQ(d.SelectedRange(), (TextRange{0, 4}));
    EXPECT_TRUE(AdjustDialogOpen(ed));
    d.TextChanged(kWidth, "7");
    d.Command(DialogAnswer::Ok);
    EXPECT_EQ(d.SelectedRange(), (TextRange{0, 1}));
}

TEST_F(AdjustTest, EscapeClosesAndTheNextOpenIsWhereTheDialogWasLeft) {
    AdjustDialogMoved(ed, -40, 512);
    Dialog().Command(DialogAnswer::Cancel);
    EXPECT_FALSE(AdjustDialogOpen(ed));
    EXPECT_EQ(host.modeless, nullptr);
    EXPECT_EQ(ed.settings.adjustOffsetX, -40);
    EXPECT_EQ(ed.settings.adjustOffsetY, 512);

    Dispatch(ed, CommandId::AdjustSelection);
    EXPECT_TRUE(AdjustDialogOpen(ed));
    EXPECT_EQ(host.modelessShows, 2);
    EXPECT_EQ(host.modelessOffset, (Point{-40, 512}));
    EXPECT_EQ(Fields(), "10,20,100,50");

    // Offsets are kept in 16 bits, as they are stored.
    AdjustDialogMoved(ed, 70000, -70000);
    EXPECT_EQ(ed.settings.adjustOffsetX, 70000 - 65536);
    EXPECT_EQ(ed.settings.adjustOffsetY, -70000 + 65536);
}

TEST_F(AdjustTest, PlaceOutlivesTheRunThroughTheStoredSettings) {
    AdjustDialogMoved(ed, 120, -15);
    const SettingsBytes stored = EncodeSettings(ed.settings);

    FakeHost nextHost;
    Editor next(nextHost);
    DecodeSettings(stored, next.settings);
    Dispatch(next, CommandId::AdjustSelection);
    EXPECT_EQ(nextHost.modelessOffset, (Point{120, -15}));
}

TEST_F(AdjustTest, OpeningWhenOpenDoesNothing) {
    Type(kWidth, "30");
    const int shows = host.modelessShows;
    Dialog().FieldFocused(kHeight);
    Dispatch(ed, CommandId::AdjustSelection);
    EXPECT_EQ(host.modelessShows, shows);
    EXPECT_EQ(Dialog().FocusedField(), kHeight);
}

TEST_F(AdjustTest, EditsTheKeptRectangleWithoutASelection) {
    Dispatch(ed, CommandId::Unselect);
    ASSERT_FALSE(AdjustDialogOpen(ed));
    Dispatch(ed, CommandId::AdjustSelection);
    Type(kIn, "50");
    EXPECT_EQ(Sel(), (Rect{50, 20, 150, 70}));
    EXPECT_FALSE(Active());
}

TEST_F(SelectionTest, WithoutAnImageTheClampKeepsEverySideAtZero) {
    ed.selection.rect = {10, 20, 110, 70};
    Dispatch(ed, CommandId::AdjustSelection);
    ASSERT_TRUE(AdjustDialogOpen(ed));
    Dialog().Spin(kIn + kArrows, +1);
    EXPECT_EQ(Sel(), (Rect{0, 0, 0, 0}));
    EXPECT_EQ(Fields(), "0,0,0,0");
}

}  // namespace
}  // namespace rastrix::test
