// The commands' rules as the user sees them: every state is read off the editor, so each case
// changes the editor the way an event does and compares what the menu and the bars show.
#include <gtest/gtest.h>

#include "editor/CommandStateSnapshot.h"
#include "editor/Editor.h"
#include "frame/CommandDispatch.h"
#include "selection/Selection.h"
#include "support/FakeHost.h"

namespace rastrix {
namespace {

using namespace testing_support;

Snapshot Range(int first, int last, Seen seen, Snapshot into = {}) {
    for (int id = first; id <= last; ++id) into[id] = seen;
    return into;
}

class CommandRulesTest : public ::testing::Test {
protected:
    Snapshot Shown() const { return Take(ShownCommandStates(ed)); }
    // Applies f to the editor and returns what changed on the menu and the bars.
    template <class F>
    Snapshot Apply(F f) {
        const Snapshot before = Shown();
        f(ed);
        return Changes(before, Shown());
    }
    // What opening a file leaves: an image, no selection.
    void GiveImage() {
        ed.doc.fileSize = 1;
        ed.doc.imageWidth = 10;
        ed.doc.imageHeight = 10;
    }
    void Begin(int shapeNumber) { Begin(*CommandFromNumber(shapeNumber)); }
    void Begin(CommandId shape) {
        ed.selection.shape = shape;
        ed.selection.rect = {1, 1, 5, 5};
        BeginSelection(ed);
    }

    test::FakeHost host;
    Editor ed{host};
};

TEST_F(CommandRulesTest, AFreshEditorShowsTheMenuResourceWithTheStartChecks) {
    // Actual Size and the Rectangle tool are checked; no drawing bar.
    EXPECT_EQ(Changes(Take(CommandStates{}), Shown()),
              (Snapshot{{275, {'E', true, E | P}}, {323, {'E', true, -1}}}));
    EXPECT_FALSE(ShownCommandStates(ed).DrawingToolBarExists());
}

TEST_F(CommandRulesTest, DrawingToolsAndFitModeFromTheSettings) {
    ed.settings.showDrawingTools = 8;
    ed.settings.viewMode = StoredViewMode(ViewMode::Fit);
    const Snapshot seen = Shown();
    EXPECT_EQ(seen.at(273), (Seen{'E', true, E | P}));
    EXPECT_EQ(seen.at(274), (Seen{'E', true, E | P}));
    EXPECT_EQ(seen.at(275), kOn);
    EXPECT_EQ(seen.at(323), (Seen{'E', true, E | P}));
    EXPECT_EQ(seen.at(320), kOn);
    EXPECT_EQ(seen.at(336), kOff);
}

TEST_F(CommandRulesTest, AnImageEnablesSaveAsCopySizeBorderAndRotateFlip) {
    Snapshot expected = Range(304, 308, kOn);
    expected[261] = kMenuOn;
    expected[262] = kMenuOn;  // Export for Device
    expected[290] = kOn;
    expected[295] = kOn;
    expected[316] = kMenuOn;
    expected[317] = kMenuOn;  // Scale Image
    expected[318] = kMenuOn;  // Reduce Colours
    EXPECT_EQ(Apply([this](Editor&) { GiveImage(); }), expected);
}

// Unselect with no image and no selection ends a selection that is not there: rotate and flip
// still need an image (only the Adjust Selection button starts following the selection).
TEST_F(CommandRulesTest, RotateAndFlipStayGreyedWithoutAnImage) {
    EXPECT_EQ(Apply([](Editor& e) { EndSelection(e); }), (Snapshot{{292, kOff}}));
}

TEST_F(CommandRulesTest, ModifiedMovesSaveOnlyAndUndoFollowsTheLevels) {
    EXPECT_EQ(Apply([](Editor& e) { e.doc.modified = 1; }), (Snapshot{{260, kOn}}));
    EXPECT_EQ(Apply([](Editor& e) { e.doc.modified = 0; }), (Snapshot{{260, kOff}}));
    EXPECT_EQ(Apply([](Editor& e) { e.doc.undoDepth = 2; }), (Snapshot{{288, kOn}}));
    EXPECT_EQ(Apply([](Editor& e) { e.doc.undoDepth = 0; }), (Snapshot{{288, kOff}}));
}

TEST_F(CommandRulesTest, AdjustButtonStartsEnabledUntilTheFirstEndSelection) {
    EXPECT_EQ(Shown().at(292), (Seen{'G', false, E}));
    EndSelection(ed);
    EXPECT_EQ(Shown().at(292), kOff);
}

struct BeginCase {
    int shape;
    bool shifts;  // rectangle: shift becomes available; other shapes lose rotate and flip
};

class BeginSelectionTest : public CommandRulesTest, public ::testing::WithParamInterface<BeginCase> {};

TEST_P(BeginSelectionTest, EnablesSelectionCommandsAndPicksShiftOrNoRotation) {
    GiveImage();
    Snapshot expected{{289, kOn}, {292, kOn}, {293, kOn}, {297, kOn}};
    expected = GetParam().shifts ? Range(309, 312, kOn, expected) : Range(304, 308, kOff, expected);
    // The fills: all five for an area, Fill Line/Perimeter alone for a line.
    expected = Range(336, GetParam().shape == NumberOf(CommandId::LineSelection) ? 336 : 340, kMenuOn, expected);
    EXPECT_EQ(Apply([this](Editor&) { Begin(GetParam().shape); }), expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BeginSelectionTest,
                         ::testing::Values(BeginCase{323, true}, BeginCase{324, false},
                                           BeginCase{325, false}, BeginCase{326, false}));

// A selection that begins over an active one of another shape, as Mark Border does.
TEST_F(CommandRulesTest, BeginSelectionOverAnotherShapeSwapsRotateAndShift) {
    GiveImage();
    Begin(CommandId::LineSelection);
    EXPECT_EQ(Apply([this](Editor&) { Begin(CommandId::RectangleSelection); }),
              Range(304, 312, kOn, {{337, kMenuOn}, {338, kMenuOn}, {339, kMenuOn}, {340, kMenuOn}}));
    EXPECT_EQ(Apply([this](Editor&) { Begin(CommandId::EllipseSelection); }), Range(304, 312, kOff, {}));
}

TEST_F(CommandRulesTest, BeginSelectionGreysRestoreSelection) {
    GiveImage();
    ed.selection.rect = {1, 1, 5, 5};
    EndSelection(ed);
    ASSERT_EQ(Shown().at(296), kOn);
    Begin(CommandId::RectangleSelection);
    EXPECT_EQ(Shown().at(296), kOff);
}

TEST_F(CommandRulesTest, EndSelectionOffersRestoreOnlyForAKeptRectangle) {
    GiveImage();
    Begin(CommandId::RectangleSelection);
    const Snapshot selected = Shown();
    Snapshot expected = Range(309, 312, kOff, {{289, kOff}, {292, kOff}, {293, kOff}, {297, kOff}});
    for (int id = 336; id <= 340; ++id) expected[id] = kMenuOff;
    ed.selection.rect = {3, 3, 3, 3};  // nothing kept
    EXPECT_EQ(Apply([](Editor& e) { EndSelection(e); }), expected);

    Begin(CommandId::RectangleSelection);
    ASSERT_EQ(Shown(), selected);
    expected[296] = kOn;
    EXPECT_EQ(Apply([](Editor& e) { EndSelection(e); }), expected);
}

TEST_F(CommandRulesTest, EndSelectionOfAShapeBringsRotateFlipBack) {
    GiveImage();
    Begin(CommandId::EllipseSelection);
    const Snapshot changed = Apply([](Editor& e) { EndSelection(e); });
    for (int id = 304; id <= 308; ++id) EXPECT_EQ(changed.at(id), kOn) << id;
    for (int id = 309; id <= 312; ++id) EXPECT_EQ(changed.count(id), 0u) << id;
}

TEST_F(CommandRulesTest, PasteFollowsTheClipboardOnTheButtonAndBothItems) {
    EXPECT_EQ(Apply([](Editor& e) { e.clipboardHasBitmap = false; }), (Snapshot{{291, kOff}, {298, kMenuOff}}));
    EXPECT_EQ(Apply([](Editor& e) { e.clipboardHasBitmap = true; }), (Snapshot{{291, kOn}, {298, kMenuOn}}));
}

TEST_F(CommandRulesTest, ToolMovesTheCheckAndTheButtonOnlyWhileTheBarExists) {
    EXPECT_EQ(Apply([](Editor& e) { Dispatch(e, CommandId::LineSelection); }),
              (Snapshot{{323, {'E', false, -1}}, {326, {'E', true, -1}}}));
    ed.settings.showDrawingTools = 8;
    EXPECT_EQ(ShownCommandStates(ed).Button(CommandId::LineSelection)->bits, E | P);
    EXPECT_EQ(ShownCommandStates(ed).Button(CommandId::RectangleSelection)->bits, E);
    EXPECT_EQ(Apply([](Editor& e) { Dispatch(e, CommandId::Bucket); }),
              (Snapshot{{326, {'E', false, E}}, {321, {'E', true, E | P}}}));
}

TEST_F(CommandRulesTest, ViewModeMovesCheckAndHeldButton) {
    EXPECT_EQ(Apply([](Editor& e) { Dispatch(e, CommandId::Magnify8); }),
              (Snapshot{{275, kOn}, {278, {'E', true, E | P}}}));
    EXPECT_EQ(Apply([](Editor& e) { Dispatch(e, CommandId::Magnify8); }), Snapshot{});  // already the mode
}

TEST_F(CommandRulesTest, DrawingToolsFollowTheSetting) {
    ed.draw.currentTool = CommandId::PickColor;
    ed.settings.showDrawingTools = 8;
    CommandStates states = ShownCommandStates(ed);
    EXPECT_TRUE(states.DrawingToolBarExists());
    EXPECT_EQ(Take(states).at(273), (Seen{'E', true, E | P}));
    EXPECT_EQ(states.Button(CommandId::PickColor)->bits, E | P);
    ed.settings.showDrawingTools = 0;
    states = ShownCommandStates(ed);
    EXPECT_FALSE(states.DrawingToolBarExists());
    EXPECT_EQ(Take(states).at(273), kOn);
}

struct FillCase {
    bool drawingBar;
    bool hasSelection;
    int shape;
    int enabledFills;  // how many of 336..340, from 336 on, are enabled
};

void PrintTo(const FillCase& c, std::ostream* os) {
    *os << (c.drawingBar ? "bar" : "no bar") << (c.hasSelection ? ", selection " : ", none ") << c.shape;
}

class FillStatesTest : public CommandRulesTest, public ::testing::WithParamInterface<FillCase> {};

TEST_P(FillStatesTest, TheFillsFollowTheSelectionsShape) {
    const FillCase& c = GetParam();
    GiveImage();
    if (c.drawingBar) ed.settings.showDrawingTools = 8;
    Begin(c.shape);
    if (!c.hasSelection) EndSelection(ed);
    const Snapshot seen = Shown();
    for (int id = 336; id <= 340; ++id) {
        const bool on = id - 336 < c.enabledFills;
        const int button = c.drawingBar ? (on ? E : I) : -1;
        EXPECT_EQ(seen.at(id), (Seen{on ? 'E' : 'G', false, button})) << id;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grid, FillStatesTest,
    ::testing::Values(FillCase{true, false, 323, 0}, FillCase{true, true, 323, 5}, FillCase{true, true, 324, 5},
                      FillCase{true, true, 325, 5}, FillCase{true, true, 326, 1}, FillCase{false, false, 325, 0},
                      FillCase{false, true, 324, 5}, FillCase{false, true, 326, 1}));

// Why each command cannot run, as its rule says: the state (an image or not, the selection's
// shape or none), the command, and the answer.
constexpr CommandId kNone{};

struct ReasonCase {
    bool image;
    CommandId shape;  // kNone: nothing selected
    CommandId id;
    Availability::Kind kind;
    CommandId shapeFact{};
};

void PrintTo(const ReasonCase& c, std::ostream* os) {
    *os << (c.image ? "image" : "no image") << ", shape " << c.shape << ", command " << c.id;
}

class ReasonTest : public CommandRulesTest, public ::testing::WithParamInterface<ReasonCase> {};

TEST_P(ReasonTest, EachRuleSaysWhyItsCommandCannotRun) {
    const ReasonCase& c = GetParam();
    if (c.image) GiveImage();
    if (c.shape != kNone) Begin(c.shape);
    const Availability got = CanRun(ed, c.id);
    EXPECT_EQ(got, (Availability{c.kind, c.shapeFact}));
    // Where the record keeps no menu rule of its own, the menu item shows the same answer.
    if (c.id != CommandId::Save && c.id != CommandId::RestoreSelection)
        EXPECT_EQ(CommandEnabled(ed, c.id), got.Ok()) << c.id;
}

using K = Availability::Kind;
INSTANTIATE_TEST_SUITE_P(
    Commands, ReasonTest,
    ::testing::Values(
        ReasonCase{false, kNone, CommandId::RotateClockwise, K::NeedsImage}, ReasonCase{false, kNone, CommandId::ShiftLeft, K::NeedsImage},
        ReasonCase{false, kNone, CommandId::Crop, K::NeedsImage}, ReasonCase{false, kNone, CommandId::FillSolid, K::NeedsImage},
        ReasonCase{false, kNone, CommandId::ScaleImage, K::NeedsImage}, ReasonCase{false, kNone, CommandId::ReduceColors, K::NeedsImage},
        ReasonCase{false, kNone, CommandId::Save, K::NeedsImage}, ReasonCase{false, kNone, CommandId::SaveAs, K::NeedsImage},
        ReasonCase{false, kNone, CommandId::Copy, K::NeedsImage}, ReasonCase{false, kNone, CommandId::MarkBorder, K::NeedsImage},
        ReasonCase{false, kNone, CommandId::ChangeImageSize, K::NeedsImage}, ReasonCase{false, kNone, CommandId::ExportForDevice, K::NeedsImage},
        ReasonCase{false, kNone, CommandId::Undo, K::NothingToUndo}, ReasonCase{false, kNone, CommandId::New, K::Ok},
        ReasonCase{true, kNone, CommandId::RotateClockwise, K::Ok}, ReasonCase{true, kNone, CommandId::FlipVertical, K::Ok},
        ReasonCase{true, kNone, CommandId::ShiftUp, K::NeedsSelection}, ReasonCase{true, kNone, CommandId::Crop, K::NeedsSelection},
        ReasonCase{true, kNone, CommandId::FillLine, K::NeedsSelection}, ReasonCase{true, kNone, CommandId::RestoreSelection, K::NothingToRestore},
        // The S key saves an image that has not changed: the rule allows what the greyed item does not.
        ReasonCase{true, kNone, CommandId::Save, K::Ok}, ReasonCase{true, kNone, CommandId::ScaleImage, K::Ok},
        ReasonCase{true, CommandId::RectangleSelection, CommandId::Rotate180, K::Ok},
        ReasonCase{true, CommandId::RectangleSelection, CommandId::ShiftDown, K::Ok},
        ReasonCase{true, CommandId::RectangleSelection, CommandId::RestoreSelection, K::Ok},
        ReasonCase{true, CommandId::EllipseSelection, CommandId::RotateCounterClockwise, K::NeedsRectangleSelection, CommandId::EllipseSelection},
        ReasonCase{true, CommandId::RoundedRectangleSelection, CommandId::ShiftRight, K::NeedsRectangleSelection,
                   CommandId::RoundedRectangleSelection},
        ReasonCase{true, CommandId::LineSelection, CommandId::FlipHorizontal, K::NeedsRectangleSelection, CommandId::LineSelection},
        ReasonCase{true, CommandId::EllipseSelection, CommandId::Crop, K::Ok},
        ReasonCase{true, CommandId::EllipseSelection, CommandId::FillExterior, K::Ok},
        ReasonCase{true, CommandId::LineSelection, CommandId::FillLine, K::Ok},
        ReasonCase{true, CommandId::LineSelection, CommandId::FillInterior, K::ShapeDoesNotFit, CommandId::LineSelection}));

TEST_F(CommandRulesTest, CommandEnabledIsTheMenuItemsState) {
    EXPECT_FALSE(CommandEnabled(ed, CommandId::Crop));
    EXPECT_TRUE(CommandEnabled(ed, CommandId::New));
    EXPECT_FALSE(CommandFromNumber(300));  // no command
    EXPECT_FALSE(CommandEnabled(ed, static_cast<CommandId>(300)));
    GiveImage();
    Begin(CommandId::RectangleSelection);
    for (CommandId id : {CommandId::Crop, CommandId::ShiftUp, CommandId::FillExterior, CommandId::RotateClockwise})
        EXPECT_TRUE(CommandEnabled(ed, id)) << id;
    EXPECT_FALSE(CommandEnabled(ed, CommandId::RestoreSelection));
}

}  // namespace
}  // namespace rastrix
