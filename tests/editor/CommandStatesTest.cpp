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

constexpr int E = TBSTATE_ENABLED;
constexpr int I = TBSTATE_INDETERMINATE;
constexpr int P = TBSTATE_PRESSED;

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
    EXPECT_EQ(seen.at(kScaleImageCommand), (Seen{'G', false, -1}));
    EXPECT_EQ(seen.at(kReduceColoursCommand), (Seen{'G', false, -1}));
}

TEST(CommandStates, SetButtonStateReplacesEveryBitAndPressKeepsTheOthers) {
    CommandStates states;
    states.PressButton(IDM_FIT, true);
    EXPECT_EQ(states.Button(IDM_FIT)->bits, E | P);
    EXPECT_TRUE(states.Button(IDM_FIT)->Pressed());
    states.SetButtonState(IDM_FIT, TBSTATE_ENABLED);
    EXPECT_FALSE(states.Button(IDM_FIT)->Pressed());
    states.SetButtonState(IDM_UNDO, TBSTATE_INDETERMINATE);
    states.PressButton(IDM_UNDO, true);
    EXPECT_EQ(states.Button(IDM_UNDO)->bits, I | P);
    EXPECT_FALSE(states.Button(IDM_UNDO)->Clickable());
    states.PressButton(IDM_UNDO, false);
    EXPECT_EQ(states.Button(IDM_UNDO)->bits, I);
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
    states.SetButtonState(IDM_FILLSOLID, E);
    states.PressButton(IDM_PEN, true);
    states.SetButtonState(IDM_PASTENEW, I);
    EXPECT_EQ(Take(states), before);
    EXPECT_EQ(states.Revision(), revision);
    EXPECT_FALSE(states.Button(IDM_PEN).has_value());
    EXPECT_FALSE(states.MenuItem(IDM_OPEN_NAMED).has_value());
}

TEST(CommandStates, RevisionGrowsWithEachRealChangeOnly) {
    CommandStates states;
    auto r = states.Revision();
    states.EnableMenuItem(IDM_UNDO, false);  // already greyed
    states.SetButtonState(IDM_NEW, E);       // already enabled
    states.CheckMenuItem(IDM_FIT, false);
    EXPECT_EQ(states.Revision(), r);
    states.EnableMenuItem(IDM_UNDO, true);
    EXPECT_GT(states.Revision(), r);
    r = states.Revision();
    states.PressButton(IDM_ZOOM2, true);
    EXPECT_GT(states.Revision(), r);
}

TEST(CommandStates, DrawingBarComesBackInItsTableStates) {
    CommandStates states;
    states.CreateDrawingToolBar();
    UpdateFillStates(states, true, IDM_ELLIPSE);
    states.PressButton(IDM_LINE, true);
    ASSERT_EQ(states.Button(IDM_FILLSOLID)->bits, E);
    states.DestroyDrawingToolBar();
    EXPECT_FALSE(states.Button(IDM_FILLSOLID).has_value());
    EXPECT_TRUE(states.MenuItem(IDM_FILLSOLID)->enabled);  // the menu keeps its state
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
    settings.viewMode = IDM_FIT;
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
    CheckViewMode(states, settings, IDM_ZOOM8);
    EXPECT_EQ(settings.viewMode, IDM_ZOOM8);
    EXPECT_EQ(Changes(before, Take(states)),
              (Snapshot{{275, {'E', false, E}}, {278, {'E', true, E | P}}}));
    before = Take(states);
    CheckViewMode(states, settings, IDM_ZOOM8);  // already the mode
    CheckViewMode(states, settings, IDM_PEN);    // no view command
    EXPECT_EQ(Take(states), before);
    EXPECT_EQ(settings.viewMode, IDM_ZOOM8);
}

TEST(CommandChecks, ToolMovesTheCheckAndTheButtonOnlyWhileTheBarExists) {
    CommandStates states;
    SettingsRecord settings;
    ApplyStartChecks(states, settings);
    Snapshot before = Take(states);
    CheckTool(states, settings, IDM_LINE);
    EXPECT_EQ(settings.currentTool, IDM_LINE);
    EXPECT_EQ(Changes(before, Take(states)),
              (Snapshot{{323, {'E', false, -1}}, {326, {'E', true, -1}}}));

    ShowDrawingToolBar(states, settings);
    EXPECT_EQ(states.Button(IDM_LINE)->bits, E | P);
    EXPECT_EQ(states.Button(IDM_RECT)->bits, E);
    before = Take(states);
    CheckTool(states, settings, IDM_BUCKET);
    EXPECT_EQ(Changes(before, Take(states)),
              (Snapshot{{326, {'E', false, E}}, {321, {'E', true, E | P}}}));
    before = Take(states);
    CheckTool(states, settings, IDM_FIT);
    EXPECT_EQ(Take(states), before);
    EXPECT_EQ(settings.currentTool, IDM_BUCKET);
}

TEST(CommandChecks, AFreshDrawingBarOffersTheFillsAnActiveSelectionAllows) {
    CommandStates states;
    SettingsRecord settings;
    settings.hasSelection = 1;
    settings.selectionShape = IDM_LINE;
    ShowDrawingToolBar(states, settings);
    EXPECT_TRUE(states.Button(IDM_FILLLINE)->Clickable());
    for (int id = IDM_FILLSOLID; id <= IDM_FILLEXTERIOR; ++id) EXPECT_FALSE(states.Button(id)->Clickable()) << id;
    HideDrawingToolBar(states);
    settings.selectionShape = IDM_ELLIPSE;
    ShowDrawingToolBar(states, settings);
    for (int id = IDM_FILLLINE; id <= IDM_FILLEXTERIOR; ++id) EXPECT_TRUE(states.Button(id)->Clickable()) << id;
}

TEST(CommandChecks, DrawingToolsStatesFollowTheSetting) {
    CommandStates states;
    SettingsRecord settings;
    settings.currentTool = IDM_PICK;
    settings.showDrawingTools = 8;
    EXPECT_TRUE(SyncDrawingToolsStates(states, settings));
    EXPECT_TRUE(states.DrawingToolBarExists());
    EXPECT_EQ(Take(states).at(273), (Seen{'E', true, E | P}));
    EXPECT_EQ(states.Button(IDM_PICK)->bits, E | P);

    settings.showDrawingTools = 0;
    EXPECT_FALSE(SyncDrawingToolsStates(states, settings));
    EXPECT_FALSE(states.DrawingToolBarExists());
    EXPECT_EQ(Take(states).at(273), (Seen{'E', false, E}));
}

}  // namespace
}  // namespace rastrix
