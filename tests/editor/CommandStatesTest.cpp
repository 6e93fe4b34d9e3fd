#include <gtest/gtest.h>

#include "editor/CommandChecks.h"
#include "editor/CommandStateSnapshot.h"
#include "editor/EnableGroups.h"
#include "frame/ToolBarTables.h"

namespace rastrix {
namespace {

using testing_support::Changes;
using testing_support::Seen;
using testing_support::Snapshot;
using testing_support::Take;

constexpr int E = ButtonBits::Enabled;
constexpr int I = ButtonBits::Indeterminate;
constexpr int P = ButtonBits::Pressed;

TEST(CommandStates, StartAsTheMenuResourceAndTheFreshMainBar) {
    const Snapshot seen = Take(CommandStates{});
    ASSERT_EQ(seen.size(), 72u);
    for (const auto& [id, s] : seen) {
        const CommandInfo& c = *FindCommand(id);
        const char menu = !c.HasMenuItem() ? '-' : c.menuStartsEnabled ? 'E' : 'G';
        const int button = c.bar == ToolBarKind::Main ? c.buttonState : -1;
        EXPECT_EQ(s, (Seen{menu, false, button})) << id;
    }
    // A few written out, including where the menu and the button disagree.
    EXPECT_EQ(seen.at(292), (Seen{'G', false, E}));
    EXPECT_EQ(seen.at(291), (Seen{'E', false, E}));
    EXPECT_EQ(seen.at(296), (Seen{'G', false, I}));
    EXPECT_EQ(seen.at(320), (Seen{'E', false, -1}));
    EXPECT_EQ(seen.at(272), (Seen{'-', false, -1}));
    EXPECT_EQ(seen.at(271), (Seen{'E', false, -1}));
    EXPECT_EQ(seen.at(CommandId::ScaleImage), (Seen{'G', false, -1}));
    EXPECT_EQ(seen.at(CommandId::ReduceColours), (Seen{'G', false, -1}));
}

TEST(CommandStates, SetButtonStateReplacesEveryBitAndPressKeepsTheOthers) {
    CommandStates states;
    states.PressButton(CommandId::FitToWindow, true);
    EXPECT_EQ(states.Button(CommandId::FitToWindow)->bits, E | P);
    EXPECT_TRUE(states.Button(CommandId::FitToWindow)->Pressed());
    states.SetButtonState(CommandId::FitToWindow, ButtonBits::Enabled);
    EXPECT_FALSE(states.Button(CommandId::FitToWindow)->Pressed());
    states.SetButtonState(CommandId::Undo, ButtonBits::Indeterminate);
    states.PressButton(CommandId::Undo, true);
    EXPECT_EQ(states.Button(CommandId::Undo)->bits, I | P);
    EXPECT_FALSE(states.Button(CommandId::Undo)->Clickable());
    states.PressButton(CommandId::Undo, false);
    EXPECT_EQ(states.Button(CommandId::Undo)->bits, I);
}

TEST(CommandStates, RequestsNoItemOrExistingBarCarriesChangeNothing) {
    CommandStates states;
    const Snapshot before = Take(states);
    const auto revision = states.Revision();
    for (int id : {0, 256, 262, 272, 300, 384, 65536 + 260}) {
        states.EnableMenuItem(id, true);
        states.CheckMenuItem(id, true);
        states.SetButtonState(id, E);
        states.PressButton(id, true);
    }
    // The drawing bar does not exist yet, and these have no button anywhere.
    states.SetButtonState(CommandId::FillSolid, E);
    states.PressButton(CommandId::Pen, true);
    states.SetButtonState(CommandId::PasteIntoNewFile, I);
    EXPECT_EQ(Take(states), before);
    EXPECT_EQ(states.Revision(), revision);
    EXPECT_FALSE(states.Button(CommandId::Pen).has_value());
    EXPECT_FALSE(states.MenuItem(CommandId::OpenNamed).has_value());
}

TEST(CommandStates, RevisionGrowsWithEachRealChangeOnly) {
    CommandStates states;
    auto r = states.Revision();
    states.EnableMenuItem(CommandId::Undo, false);  // already greyed
    states.SetButtonState(CommandId::New, E);       // already enabled
    states.CheckMenuItem(CommandId::FitToWindow, false);
    EXPECT_EQ(states.Revision(), r);
    states.EnableMenuItem(CommandId::Undo, true);
    EXPECT_GT(states.Revision(), r);
    r = states.Revision();
    states.PressButton(CommandId::Magnify2, true);
    EXPECT_GT(states.Revision(), r);
}

TEST(CommandStates, DrawingBarComesBackInItsTableStates) {
    CommandStates states;
    states.CreateDrawingToolBar();
    UpdateFillStates(states, true, CommandId::EllipseSelection);
    states.PressButton(CommandId::LineSelection, true);
    ASSERT_EQ(states.Button(CommandId::FillSolid)->bits, E);
    states.DestroyDrawingToolBar();
    EXPECT_FALSE(states.Button(CommandId::FillSolid).has_value());
    EXPECT_TRUE(states.MenuItem(CommandId::FillSolid)->enabled);  // the menu keeps its state
    states.CreateDrawingToolBar();
    for (const ToolBarButton& b : kDrawingToolBarButtons)
        if (!b.IsSeparator()) {
            EXPECT_EQ(states.Button(b.id)->bits, b.state) << b.id;
        }
}

TEST(CommandChecks, StartChecksWithDefaults) {
    CommandStates states;
    SettingsRecord settings;  // Actual Size, Rectangle, no drawing tools
    const Snapshot before = Take(states);
    ApplyStartChecks(states, settings);
    EXPECT_EQ(Changes(before, Take(states)),
              (Snapshot{{275, {'E', true, E | P}}, {323, {'E', true, -1}}}));
    EXPECT_FALSE(states.DrawingToolBarExists());
}

TEST(CommandChecks, StartChecksWithDrawingToolsAndFitMode) {
    CommandStates states;
    SettingsRecord settings;
    settings.showDrawingTools = 8;
    settings.viewMode = CommandId::FitToWindow;
    ApplyStartChecks(states, settings);
    const Snapshot seen = Take(states);
    EXPECT_EQ(seen.at(273), (Seen{'E', true, E | P}));
    EXPECT_EQ(seen.at(274), (Seen{'E', true, E | P}));
    EXPECT_EQ(seen.at(275), (Seen{'E', false, E}));
    EXPECT_EQ(seen.at(323), (Seen{'E', true, E | P}));
    EXPECT_EQ(seen.at(320), (Seen{'E', false, E}));
    EXPECT_EQ(seen.at(336), (Seen{'G', false, I}));
}

TEST(CommandChecks, ViewModeMovesCheckAndHeldButton) {
    CommandStates states;
    SettingsRecord settings;
    ApplyStartChecks(states, settings);
    Snapshot before = Take(states);
    CheckViewMode(states, settings, CommandId::Magnify8);
    EXPECT_EQ(settings.viewMode, CommandId::Magnify8);
    EXPECT_EQ(Changes(before, Take(states)),
              (Snapshot{{275, {'E', false, E}}, {278, {'E', true, E | P}}}));
    before = Take(states);
    CheckViewMode(states, settings, CommandId::Magnify8);  // already the mode
    CheckViewMode(states, settings, CommandId::Pen);    // no view command
    EXPECT_EQ(Take(states), before);
    EXPECT_EQ(settings.viewMode, CommandId::Magnify8);
}

TEST(CommandChecks, ToolMovesTheCheckAndTheButtonOnlyWhileTheBarExists) {
    CommandStates states;
    SettingsRecord settings;
    ApplyStartChecks(states, settings);
    Snapshot before = Take(states);
    CheckTool(states, settings, CommandId::LineSelection);
    EXPECT_EQ(settings.currentTool, CommandId::LineSelection);
    EXPECT_EQ(Changes(before, Take(states)),
              (Snapshot{{323, {'E', false, -1}}, {326, {'E', true, -1}}}));

    ShowDrawingToolBar(states, settings);
    EXPECT_EQ(states.Button(CommandId::LineSelection)->bits, E | P);
    EXPECT_EQ(states.Button(CommandId::RectangleSelection)->bits, E);
    before = Take(states);
    CheckTool(states, settings, CommandId::Bucket);
    EXPECT_EQ(Changes(before, Take(states)),
              (Snapshot{{326, {'E', false, E}}, {321, {'E', true, E | P}}}));
    before = Take(states);
    CheckTool(states, settings, CommandId::FitToWindow);
    EXPECT_EQ(Take(states), before);
    EXPECT_EQ(settings.currentTool, CommandId::Bucket);
}

TEST(CommandChecks, AFreshDrawingBarOffersTheFillsAnActiveSelectionAllows) {
    CommandStates states;
    SettingsRecord settings;
    settings.hasSelection = 1;
    settings.selectionShape = CommandId::LineSelection;
    ShowDrawingToolBar(states, settings);
    EXPECT_TRUE(states.Button(CommandId::FillLine)->Clickable());
    for (int id = CommandId::FillSolid; id <= CommandId::FillExterior; ++id) EXPECT_FALSE(states.Button(id)->Clickable()) << id;
    HideDrawingToolBar(states);
    settings.selectionShape = CommandId::EllipseSelection;
    ShowDrawingToolBar(states, settings);
    for (int id = CommandId::FillLine; id <= CommandId::FillExterior; ++id) EXPECT_TRUE(states.Button(id)->Clickable()) << id;
}

TEST(CommandChecks, DrawingToolsStatesFollowTheSetting) {
    CommandStates states;
    SettingsRecord settings;
    settings.currentTool = CommandId::PickColor;
    settings.showDrawingTools = 8;
    EXPECT_TRUE(SyncDrawingToolsStates(states, settings));
    EXPECT_TRUE(states.DrawingToolBarExists());
    EXPECT_EQ(Take(states).at(273), (Seen{'E', true, E | P}));
    EXPECT_EQ(states.Button(CommandId::PickColor)->bits, E | P);

    settings.showDrawingTools = 0;
    EXPECT_FALSE(SyncDrawingToolsStates(states, settings));
    EXPECT_FALSE(states.DrawingToolBarExists());
    EXPECT_EQ(Take(states).at(273), (Seen{'E', false, E}));
}

}  // namespace
}  // namespace rastrix
