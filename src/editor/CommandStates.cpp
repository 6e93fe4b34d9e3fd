#include "editor/CommandStates.h"

namespace rastrix {
namespace {

// Only called with ids FindCommand knows, so the index is never -1.
std::size_t Slot(CommandId id) { return static_cast<std::size_t>(CommandIndex(id)); }

const CommandInfo* WithMenuItem(CommandId id) {
    const CommandInfo* c = FindCommand(id);
    return c != nullptr && c->HasMenuItem() ? c : nullptr;
}

}  // namespace

CommandStates::CommandStates() {
    for (const CommandInfo& c : kCommandTable) {
        menu_[Slot(c.id)] = {c.menuStartsEnabled, false};
        if (c.bar == ToolBarKind::Main) buttons_[Slot(c.id)] = c.buttonState;
    }
}

std::optional<MenuItemState> CommandStates::MenuItem(CommandId id) const {
    if (WithMenuItem(id) == nullptr) return std::nullopt;
    return menu_[Slot(id)];
}

std::optional<ButtonState> CommandStates::Button(CommandId id) const {
    const CommandInfo* c = FindCommand(id);
    if (c == nullptr || c->bar == ToolBarKind::None) return std::nullopt;
    if (c->bar == ToolBarKind::Drawing && !drawingToolBar_) return std::nullopt;
    return ButtonState{buttons_[Slot(id)]};
}

std::uint8_t* CommandStates::ButtonBits(CommandId id) {
    const CommandInfo* c = FindCommand(id);
    if (c == nullptr || c->bar == ToolBarKind::None) return nullptr;
    if (c->bar == ToolBarKind::Drawing && !drawingToolBar_) return nullptr;
    return &buttons_[Slot(id)];
}

void CommandStates::EnableMenuItem(CommandId id, bool enabled) {
    if (WithMenuItem(id) == nullptr) return;
    menu_[Slot(id)].enabled = enabled;
}

void CommandStates::CheckMenuItem(CommandId id, bool checked) {
    if (WithMenuItem(id) == nullptr) return;
    menu_[Slot(id)].checked = checked;
}

void CommandStates::SetButtonState(CommandId id, std::uint8_t state) {
    std::uint8_t* bits = ButtonBits(id);
    if (bits != nullptr) *bits = state;
}

void CommandStates::PressButton(CommandId id, bool pressed) {
    std::uint8_t* bits = ButtonBits(id);
    if (bits == nullptr) return;
    *bits = static_cast<std::uint8_t>(pressed ? (*bits | ButtonBits::Pressed) : (*bits & ~ButtonBits::Pressed));
}

void CommandStates::CreateDrawingToolBar() {
    for (const CommandInfo& c : kCommandTable)
        if (c.bar == ToolBarKind::Drawing) buttons_[Slot(c.id)] = c.buttonState;
    drawingToolBar_ = true;
}

void CommandStates::DestroyDrawingToolBar() {
    drawingToolBar_ = false;
}

}  // namespace rastrix
