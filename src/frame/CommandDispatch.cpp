#include "frame/CommandDispatch.h"

#include "editor/CommandTable.h"

namespace rastrix {
namespace {

std::size_t IndexOf(int id) { return static_cast<std::size_t>(id - kFirstCommandId); }

}  // namespace

bool CommandHandlers::Register(int id, CommandHandler handler) {
    if (!IsCommand(id) || handler == nullptr) return false;
    slots_[IndexOf(id)] = {handler, nullptr};
    return true;
}

bool CommandHandlers::Register(int id, CommandHandlerWithId handler) {
    if (!IsCommand(id) || handler == nullptr) return false;
    slots_[IndexOf(id)] = {nullptr, handler};
    return true;
}

bool CommandHandlers::Has(int id) const {
    if (!IsCommand(id)) return false;
    const Slot& s = slots_[IndexOf(id)];
    return s.plain != nullptr || s.withId != nullptr;
}

bool CommandHandlers::Run(Editor& editor, int id) const {
    if (!IsCommand(id)) return false;
    const Slot& s = slots_[IndexOf(id)];
    if (s.plain != nullptr) {
        s.plain(editor);
        return true;
    }
    if (s.withId != nullptr) {
        s.withId(editor, id);
        return true;
    }
    return false;
}

const CommandHandlers& StandardCommandHandlers() {
    static const CommandHandlers handlers = MakeStandardCommandHandlers();
    return handlers;
}

bool Dispatch(const CommandHandlers& handlers, Editor& editor, int id) {
    return handlers.Run(editor, id);
}

bool Dispatch(Editor& editor, int id) { return Dispatch(StandardCommandHandlers(), editor, id); }

}  // namespace rastrix
