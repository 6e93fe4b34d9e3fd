#pragma once
#include <array>

#include "editor/CommandIds.h"

namespace rastrix {

struct Editor;

// A command handler. Families of commands that share one handler (the recent files, the
// view modes, the tools, rotate and flip, shift) take the form with the identifier.
using CommandHandler = void (*)(Editor&);
using CommandHandlerWithId = void (*)(Editor&, int id);

// The table from command identifier to handler.
class CommandHandlers {
public:
    // False, and nothing registered, for a number that is no command or a null handler.
    // A later registration of the same id replaces the earlier one.
    bool Register(int id, CommandHandler handler);
    bool Register(int id, CommandHandlerWithId handler);

    bool Has(int id) const;
    // Runs the handler of id; false when there is none.
    bool Run(Editor& editor, int id) const;

private:
    struct Slot {
        CommandHandler plain = nullptr;
        CommandHandlerWithId withId = nullptr;
    };
    std::array<Slot, kCommandIdSpan> slots_{};
};

// The program's handlers, built once by MakeStandardCommandHandlers (CommandHandlers.cpp),
// the one place where every subsystem's handlers are registered.
CommandHandlers MakeStandardCommandHandlers();
const CommandHandlers& StandardCommandHandlers();

// Hands a command to its handler whether or not the command is enabled: a greyed item or
// an indeterminate button cannot be clicked, but a key or a status-bar click still gets
// here, and each handler guards itself. Returns false for an identifier without a handler
// (inside or outside 257..383), which the caller leaves to default processing.
bool Dispatch(const CommandHandlers& handlers, Editor& editor, int id);
bool Dispatch(Editor& editor, int id);

}  // namespace rastrix
