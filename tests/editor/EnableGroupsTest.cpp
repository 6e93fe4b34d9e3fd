#include <gtest/gtest.h>

#include "editor/CommandChecks.h"
#include "editor/CommandStateSnapshot.h"
#include "editor/EnableGroups.h"

namespace rastrix {
namespace {

using testing_support::Changes;
using testing_support::Seen;
using testing_support::Snapshot;
using testing_support::Take;

constexpr int E = ButtonBits::Enabled;
constexpr int I = ButtonBits::Indeterminate;
const Seen kOn{'E', false, E};         // enabled item and button
const Seen kOff{'G', false, I};        // greyed item, indeterminate button
const Seen kMenuOn{'E', false, -1};    // enabled item, no button
const Seen kMenuOff{'G', false, -1};   // greyed item, no button

Snapshot Range(int first, int last, Seen seen, Snapshot into = {}) {
    for (int id = first; id <= last; ++id) into[id] = seen;
    return into;
}

class EnableGroupsTest : public ::testing::Test {
protected:
    // Applies f and returns what it changed.
    template <class F>
    Snapshot Apply(F f) {
        const Snapshot before = Take(states);
        f(states);
        return Changes(before, Take(states));
    }
    CommandStates states;
};

TEST_F(EnableGroupsTest, ImageCommandsEnableSaveAsCopySizeBorderAndRotateFlip) {
    Snapshot expected = Range(304, 308, kOn);
    expected[261] = kMenuOn;
    expected[290] = kOn;
    expected[295] = kOn;
    expected[316] = kMenuOn;
    expected[317] = kMenuOn;  // Scale Image
    expected[318] = kMenuOn;  // Reduce Colours
    EXPECT_EQ(Apply(EnableImageCommands), expected);
}

TEST_F(EnableGroupsTest, RotateFlipAndShiftGroupsTouchOnlyTheirCommands) {
    EXPECT_EQ(Apply(EnableRotateFlip), Range(304, 308, kOn));
    EXPECT_EQ(Apply(DisableRotateFlip), Range(304, 308, kOff));
    EXPECT_EQ(Apply(EnableShift), Range(309, 312, kOn));
    EXPECT_EQ(Apply(DisableShift), Range(309, 312, kOff));
}

TEST_F(EnableGroupsTest, ModifiedStatesMoveSaveOnly) {
    EXPECT_EQ(Apply(SetModifiedStates), (Snapshot{{260, kOn}}));
    EXPECT_EQ(Apply(SetModifiedStates), Snapshot{});
    EXPECT_EQ(Apply(ClearModifiedStates), (Snapshot{{260, kOff}}));
}

TEST_F(EnableGroupsTest, AdjustButtonStartsEnabledUntilTheFirstEndSelection) {
    EXPECT_EQ(Take(states).at(292), (Seen{'G', false, E}));
    EndSelectionStates(states, false);
    EXPECT_EQ(Take(states).at(292), kOff);
}

struct BeginCase {
    int shape;
    bool shifts;  // rectangle: shift becomes available; other shapes lose rotate and flip
};

class BeginSelectionTest : public EnableGroupsTest,
                           public ::testing::WithParamInterface<BeginCase> {};

TEST_P(BeginSelectionTest, EnablesSelectionCommandsAndPicksShiftOrNoRotation) {
    EnableImageCommands(states);
    Snapshot expected{{289, kOn}, {292, kOn}, {293, kOn}, {297, kOn}};
    expected = GetParam().shifts ? Range(309, 312, kOn, expected) : Range(304, 308, kOff, expected);
    EXPECT_EQ(Apply([](CommandStates& s) { BeginSelectionStates(s, GetParam().shape); }), expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BeginSelectionTest,
                         ::testing::Values(BeginCase{323, true}, BeginCase{324, false},
                                           BeginCase{325, false}, BeginCase{326, false}));

// A selection that begins over an active one of another shape, as Mark Border does.
TEST_F(EnableGroupsTest, BeginSelectionOverAnotherShapeSwapsRotateAndShift) {
    EnableImageCommands(states);
    BeginSelectionStates(states, CommandId::LineSelection);
    EXPECT_EQ(Apply([](CommandStates& s) { BeginSelectionStates(s, CommandId::RectangleSelection); }),
              Range(304, 312, kOn, {}));
    EXPECT_EQ(Apply([](CommandStates& s) { BeginSelectionStates(s, CommandId::EllipseSelection); }),
              Range(304, 312, kOff, {}));
}

TEST_F(EnableGroupsTest, BeginSelectionGreysRestoreSelection) {
    EndSelectionStates(states, true);
    ASSERT_EQ(Take(states).at(296), kOn);
    BeginSelectionStates(states, CommandId::RectangleSelection);
    EXPECT_EQ(Take(states).at(296), kOff);
}

TEST_F(EnableGroupsTest, EndSelectionOffersRestoreOnlyForAKeptRectangle) {
    EnableImageCommands(states);
    BeginSelectionStates(states, CommandId::RectangleSelection);
    const Snapshot selected = Take(states);
    Snapshot expected = Range(309, 312, kOff, {{289, kOff}, {292, kOff}, {293, kOff}, {297, kOff}});
    EXPECT_EQ(Apply([](CommandStates& s) { EndSelectionStates(s, false); }), expected);

    BeginSelectionStates(states, CommandId::RectangleSelection);
    ASSERT_EQ(Take(states), selected);
    expected[296] = kOn;
    EXPECT_EQ(Apply([](CommandStates& s) { EndSelectionStates(s, true); }), expected);
}

TEST_F(EnableGroupsTest, EndSelectionOfAShapeBringsRotateFlipBack) {
    EnableImageCommands(states);
    BeginSelectionStates(states, CommandId::EllipseSelection);
    const Snapshot changed = Apply([](CommandStates& s) { EndSelectionStates(s, true); });
    for (int id = 304; id <= 308; ++id) EXPECT_EQ(changed.at(id), kOn) << id;
    for (int id = 309; id <= 312; ++id) EXPECT_EQ(changed.count(id), 0u) << id;
}

TEST_F(EnableGroupsTest, PasteFollowsTheClipboardOnTheButtonAndBothItems) {
    EXPECT_EQ(Apply([](CommandStates& s) { SetPasteStates(s, false); }),
              (Snapshot{{291, kOff}, {298, kMenuOff}}));
    EXPECT_EQ(Apply([](CommandStates& s) { SetPasteStates(s, true); }),
              (Snapshot{{291, kOn}, {298, kMenuOn}}));
}

TEST_F(EnableGroupsTest, SingleCommandsMoveOnlyTheHalvesTheyHave) {
    EXPECT_EQ(Apply([](CommandStates& s) { EnableCommand(s, CommandId::Undo); }), (Snapshot{{288, kOn}}));
    EXPECT_EQ(Apply([](CommandStates& s) { DisableCommand(s, CommandId::Undo); }),
              (Snapshot{{288, kOff}}));
    EXPECT_EQ(Apply([](CommandStates& s) { EnableCommand(s, CommandId::SaveAs); }),
              (Snapshot{{261, kMenuOn}}));
    const auto revision = states.Revision();
    EnableCommand(states, CommandId::OpenNamed);
    DisableCommand(states, 300);
    EXPECT_EQ(states.Revision(), revision);
}

struct FillCase {
    bool drawingBar;
    bool hasSelection;
    int shape;
    int enabledFills;  // how many of 336..340, from 336 on, end up enabled
};

void PrintTo(const FillCase& c, std::ostream* os) {
    *os << (c.drawingBar ? "bar" : "no bar") << (c.hasSelection ? ", selection " : ", none ")
        << c.shape;
}

class FillStatesTest : public EnableGroupsTest, public ::testing::WithParamInterface<FillCase> {};

TEST_P(FillStatesTest, PaintLeavesTheFillsForTheShape) {
    const FillCase& c = GetParam();
    if (c.drawingBar) states.CreateDrawingToolBar();
    UpdateFillStates(states, true, CommandId::RectangleSelection);  // start from all five enabled
    UpdateFillStates(states, c.hasSelection, c.shape);
    const Snapshot seen = Take(states);
    for (int id = 336; id <= 340; ++id) {
        const bool on = id - 336 < c.enabledFills;
        const int button = c.drawingBar ? (on ? E : I) : -1;
        EXPECT_EQ(seen.at(id), (Seen{on ? 'E' : 'G', false, button})) << id;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grid, FillStatesTest,
    ::testing::Values(FillCase{true, false, 323, 0}, FillCase{true, true, 323, 5},
                      FillCase{true, true, 324, 5}, FillCase{true, true, 325, 5},
                      FillCase{true, true, 326, 1}, FillCase{false, false, 325, 0},
                      FillCase{false, true, 324, 5}, FillCase{false, true, 326, 1}));

}  // namespace
}  // namespace rastrix
