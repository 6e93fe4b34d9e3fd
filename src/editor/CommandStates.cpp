#include "editor/CommandStates.h"

namespace rastrix {
namespace {

std::size_t Slot(int id) { return static_cast<std::size_t>(id - kFirstCommandId); }

const CommandInfo* WithMenuItem(int id) {
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

std::optional<MenuItemState> CommandStates::MenuItem(int id) const {
    if (WithMenuItem(id) == nullptr) return std::nullopt;
    return menu_[Slot(id)];
}

std::optional<ButtonState> CommandStates::Button(int id) const {
    const CommandInfo* c = FindCommand(id);
    if (c == nullptr || c->bar == ToolBarKind::None) return std::nullopt;
    if (c->bar == ToolBarKind::Drawing && !drawingToolBar_) return std::nullopt;
    return ButtonState{buttons_[Slot(id)]};
}

std::uint8_t* CommandStates::ButtonBits(int id) {
    const CommandInfo* c = FindCommand(id);
    if (c == nullptr || c->bar == ToolBarKind::None) return nullptr;
    if (c->bar == ToolBarKind::Drawing && !drawingToolBar_) return nullptr;
    return &buttons_[Slot(id)];
}

void CommandStates::EnableMenuItem(int id, bool enabled) {
    if (WithMenuItem(id) == nullptr) return;
    bool& slot = menu_[Slot(id)].enabled;
    if (slot == enabled) return;
    slot = enabled;
    ++revision_;
}

void CommandStates::CheckMenuItem(int id, bool checked) {
    if (WithMenuItem(id) == nullptr) return;
    bool& slot = menu_[Slot(id)].checked;
    if (slot == checked) return;
    slot = checked;
    ++revision_;
}

void CommandStates::SetButtonState(int id, std::uint8_t state) {
    std::uint8_t* bits = ButtonBits(id);
    if (bits == nullptr || *bits == state) return;
    *bits = state;
    ++revision_;
}

void CommandStates::PressButton(int id, bool pressed) {
    std::uint8_t* bits = ButtonBits(id);
    if (bits == nullptr) return;
    const auto next = static_cast<std::uint8_t>(pressed ? (*bits | ButtonBits::Pressed)
                                                        : (*bits & ~ButtonBits::Pressed));
    if (next == *bits) return;
    *bits = next;
    ++revision_;
}

void CommandStates::CreateDrawingToolBar() {
    for (const CommandInfo& c : kCommandTable)
        if (c.bar == ToolBarKind::Drawing) buttons_[Slot(c.id)] = c.buttonState;
    drawingToolBar_ = true;
    ++revision_;
}

void CommandStates::DestroyDrawingToolBar() {
    if (!drawingToolBar_) return;
    drawingToolBar_ = false;
    ++revision_;
}

}  // namespace rastrix
