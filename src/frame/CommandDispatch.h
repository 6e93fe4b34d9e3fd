#pragma once
#include <array>

#include "editor/Command.h"
#include "editor/CommandIds.h"
#include "editor/CommandTable.h"
#include "editor/CommandStates.h"

namespace rastrix {

struct Editor;

// The program's commands by id, gathered from the lists of the layers that own them.
class CommandRegistry {
public:
    // False, and nothing entered, for a number that is no command or a command without a
    // run. A later command of the same id replaces the earlier one.
    bool Add(const Command& command);
    void Add(CommandList commands);

    bool Has(CommandId id) const { return Find(id) != nullptr; }
    // The command of id, or nullptr.
    const Command* Find(CommandId id) const;
    // Runs the command of id when its canRun allows; false when there is no command of id
    // (true when the command refused to run).
    bool Run(Editor& editor, CommandId id) const;

private:
    std::array<Command, kCommandCount> slots_{};  // by CommandIndex
};

// The program's commands, gathered once by MakeStandardCommands (StandardCommands.cpp), the
// one place where every layer's list is entered.
CommandRegistry MakeStandardCommands();
const CommandRegistry& StandardCommands();

// Hands a command to its run when the command's canRun allows, whether or not its menu item
// is enabled: a greyed item or an indeterminate button cannot be clicked, but a key or a
// status-bar click still gets here. Returns false for an identifier without a command, which
// the caller leaves to default processing.
bool Dispatch(const CommandRegistry& commands, Editor& editor, CommandId id);
bool Dispatch(Editor& editor, CommandId id);

// Whether the menu item of id is enabled now (its command's enabled rule, or else its canRun);
// false for a number that is no command.
bool CommandEnabled(const Editor& editor, CommandId id);

// Whether the command of id can run now, or why not (its canRun); Ok for a command without
// that rule. rastrix-batch asks this before it runs a command and words the reason.
Availability CanRun(const CommandRegistry& commands, const Editor& editor, CommandId id);
Availability CanRun(const Editor& editor, CommandId id);

// What the user sees of every command now: menu items, their checks and the buttons of the
// bars that exist, each read off its command. The front end asks after every event and
// shows what changed; nothing else sets a command's state.
CommandStates ShownCommandStates(const CommandRegistry& commands, const Editor& editor);
CommandStates ShownCommandStates(const Editor& editor);

}  // namespace rastrix
