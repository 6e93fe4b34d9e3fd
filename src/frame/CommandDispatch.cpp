#include "frame/CommandDispatch.h"

#include <optional>

#include "editor/CommandTable.h"
#include "editor/Editor.h"

namespace rastrix {
namespace {

// Only called with ids FindCommand knows, so the index is never -1.
std::size_t IndexOf(CommandId id) { return static_cast<std::size_t>(CommandIndex(id)); }

}  // namespace

bool CommandRegistry::Add(const Command& command) {
    if (!IsCommand(command.id) || command.run == nullptr) return false;
    slots_[IndexOf(command.id)] = command;
    return true;
}

void CommandRegistry::Add(CommandList commands) {
    for (const Command& c : commands) Add(c);
}

const Command* CommandRegistry::Find(CommandId id) const {
    if (!IsCommand(id)) return nullptr;
    const Command& c = slots_[IndexOf(id)];
    return c.run != nullptr ? &c : nullptr;
}

bool CommandRegistry::Run(Editor& editor, CommandId id) const {
    const Command* c = Find(id);
    if (c == nullptr) return false;
    if (c->canRun == nullptr || c->canRun(editor).Ok()) c->run(editor);
    return true;
}

const CommandRegistry& StandardCommands() {
    static const CommandRegistry commands = MakeStandardCommands();
    return commands;
}

bool Dispatch(const CommandRegistry& commands, Editor& editor, CommandId id) { return commands.Run(editor, id); }

bool Dispatch(Editor& editor, CommandId id) { return Dispatch(StandardCommands(), editor, id); }

namespace {

// The menu item's rule: its own, else canRun's; nullopt when the command has neither.
std::optional<bool> MenuRule(const Command& c, const Editor& editor) {
    if (c.enabled != nullptr) return c.enabled(editor);
    if (c.canRun != nullptr) return c.canRun(editor).Ok();
    return std::nullopt;
}

}  // namespace

bool CommandEnabled(const Editor& editor, CommandId id) {
    const CommandInfo* info = FindCommand(id);
    if (info == nullptr) return false;
    const Command* c = StandardCommands().Find(id);
    const std::optional<bool> rule = c != nullptr ? MenuRule(*c, editor) : std::nullopt;
    return rule ? *rule : info->menuStartsEnabled;
}

Availability CanRun(const CommandRegistry& commands, const Editor& editor, CommandId id) {
    const Command* c = commands.Find(id);
    return c != nullptr && c->canRun != nullptr ? c->canRun(editor) : kCanRun;
}

Availability CanRun(const Editor& editor, CommandId id) { return CanRun(StandardCommands(), editor, id); }

CommandStates ShownCommandStates(const CommandRegistry& commands, const Editor& editor) {
    CommandStates states;
    if (editor.settings.showDrawingTools != 0) states.CreateDrawingToolBar();
    for (const CommandInfo& info : kCommandTable) {
        const Command* c = commands.Find(info.id);
        if (c == nullptr) continue;
        if (const std::optional<bool> rule = MenuRule(*c, editor)) {
            const bool enabled = *rule;
            const bool button = c->buttonEnabled != nullptr ? c->buttonEnabled(editor) : enabled;
            states.EnableMenuItem(info.id, enabled);
            // The program shows a disabled button as indeterminate.
            states.SetButtonState(info.id, button ? ButtonBits::Enabled : ButtonBits::Indeterminate);
        }
        if (c->checked != nullptr) {
            const bool checked = c->checked(editor);
            states.CheckMenuItem(info.id, checked);
            states.PressButton(info.id, checked);
        }
    }
    return states;
}

CommandStates ShownCommandStates(const Editor& editor) { return ShownCommandStates(StandardCommands(), editor); }

}  // namespace rastrix
