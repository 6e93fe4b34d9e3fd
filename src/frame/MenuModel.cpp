#include "frame/MenuModel.h"

#include "editor/CommandTable.h"

namespace rastrix {
namespace {

constexpr int TimesInMenu(CommandId id) {
    int seen = 0;
    for (const MenuBarEntry& e : kMainMenu) {
        if (!e.IsPopup()) seen += e.id == id ? 1 : 0;
        for (CommandId item : e.items) seen += item == id ? 1 : 0;
    }
    return seen;
}

// Every command with a menu text sits in the menu exactly once, and nothing else does.
constexpr bool MenuMatchesTable() {
    for (const CommandInfo& c : kCommandTable)
        if (TimesInMenu(c.id) != (c.HasMenuItem() ? 1 : 0)) return false;
    for (const MenuBarEntry& e : kMainMenu) {
        if (!e.IsPopup()) {
            if (!IsCommand(e.id) || FindCommand(e.id)->menuText != e.text) return false;
        }
        for (CommandId item : e.items)
            if (item != kMenuSeparator && !IsCommand(item)) return false;
    }
    return true;
}

static_assert(MenuMatchesTable());

}  // namespace
}  // namespace rastrix
