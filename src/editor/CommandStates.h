#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "editor/CommandTable.h"

namespace rastrix {

struct MenuItemState {
    bool enabled = false;  // false: greyed
    bool checked = false;
    friend bool operator==(const MenuItemState&, const MenuItemState&) = default;
};

// A button's ButtonBits. The program shows a disabled button as indeterminate.
struct ButtonState {
    std::uint8_t bits = 0;

    bool Enabled() const { return (bits & ButtonBits::Enabled) != 0; }
    bool Indeterminate() const { return (bits & ButtonBits::Indeterminate) != 0; }
    bool Pressed() const { return (bits & ButtonBits::Pressed) != 0; }
    // What a click needs: enabled and not shown as indeterminate.
    bool Clickable() const { return Enabled() && !Indeterminate(); }
    friend bool operator==(const ButtonState&, const ButtonState&) = default;
};

// What the user sees of every command: its menu item and its tool-bar button, kept apart
// because the two can differ. Starts as the menu and the freshly created main tool bar are;
// the drawing tool bar exists only while the drawing tools are shown. The frame fills one
// from the commands' rules after every event (ShownCommandStates); a front end compares it
// with the one it shows.
//
// The changing calls mirror the platform's: asking about an id the menu or the existing
// bars do not carry has no effect, just as the platform ignores such a request.
class CommandStates {
public:
    CommandStates();

    // nullopt when the menu has no item of this id.
    std::optional<MenuItemState> MenuItem(CommandId id) const;
    // nullopt when no existing tool bar has a button of this id.
    std::optional<ButtonState> Button(CommandId id) const;
    bool DrawingToolBarExists() const { return drawingToolBar_; }
    friend bool operator==(const CommandStates&, const CommandStates&) = default;

    void EnableMenuItem(CommandId id, bool enabled);
    void CheckMenuItem(CommandId id, bool checked);
    // Replaces the button's whole state, pressed bit included.
    void SetButtonState(CommandId id, std::uint8_t state);
    void PressButton(CommandId id, bool pressed);

    // A new drawing tool bar has its buttons in their table states, none pressed.
    void CreateDrawingToolBar();
    void DestroyDrawingToolBar();

private:
    std::uint8_t* ButtonBits(CommandId id);

    std::array<MenuItemState, kCommandCount> menu_{};  // by CommandIndex
    std::array<std::uint8_t, kCommandCount> buttons_{};
    bool drawingToolBar_ = false;
};

}  // namespace rastrix
