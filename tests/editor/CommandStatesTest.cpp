#include <gtest/gtest.h>

#include "editor/CommandStateSnapshot.h"
#include "frame/ToolBarTables.h"

namespace rastrix {
namespace {

using namespace testing_support;

TEST(CommandStates, StartAsTheMenuResourceAndTheFreshMainBar) {
    const Snapshot seen = Take(CommandStates{});
    ASSERT_EQ(seen.size(), kCommandTable.size());
    for (const auto& [id, s] : seen) {
        const CommandInfo& c = *FindCommand(*CommandFromNumber(id));
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
    EXPECT_EQ(seen.at(NumberOf(CommandId::ScaleImage)), (Seen{'G', false, -1}));
    EXPECT_EQ(seen.at(NumberOf(CommandId::ReduceColors)), (Seen{'G', false, -1}));
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
    // A number becomes an id only through CommandFromNumber: the low 16 bits of this one name
    // Save, the number itself names nothing.
    EXPECT_FALSE(CommandFromNumber(65536 + 260));
    for (int n : {0, 256, 264, 272, 300, 384}) {
        const auto id = static_cast<CommandId>(n);
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
    EXPECT_EQ(states, CommandStates{});
    EXPECT_FALSE(states.Button(CommandId::Pen).has_value());
    EXPECT_FALSE(states.MenuItem(CommandId::OpenNamed).has_value());
}

// A front end compares what it shows with the states after an event and redraws on a difference.
TEST(CommandStates, EqualUntilSomethingShownDiffers) {
    CommandStates states;
    states.EnableMenuItem(CommandId::Undo, false);  // already greyed
    states.SetButtonState(CommandId::New, E);       // already enabled
    states.CheckMenuItem(CommandId::FitToWindow, false);
    EXPECT_EQ(states, CommandStates{});
    states.EnableMenuItem(CommandId::Undo, true);
    EXPECT_NE(states, CommandStates{});
    CommandStates pressed;
    pressed.PressButton(CommandId::Magnify2, true);
    EXPECT_NE(pressed, CommandStates{});
    CommandStates withBar;
    withBar.CreateDrawingToolBar();
    EXPECT_NE(withBar, CommandStates{});
}

TEST(CommandStates, DrawingBarComesBackInItsTableStates) {
    CommandStates states;
    states.CreateDrawingToolBar();
    states.SetButtonState(CommandId::FillSolid, E);
    states.EnableMenuItem(CommandId::FillSolid, true);
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

}  // namespace
}  // namespace rastrix
