#include "frame/ToolBarTables.h"

namespace rastrix {
namespace {

// Each bar carries exactly the commands the command table places on it, each once.
constexpr bool CarriesExactly(ToolBarKind bar) {
    const auto buttons = ToolBarButtons(bar);
    for (const ToolBarButton& b : buttons) {
        if (b.IsSeparator()) continue;
        if (!IsCommand(b.id) || FindCommand(b.id)->bar != bar) return false;
    }
    for (const CommandInfo& c : kCommandTable) {
        if (c.bar != bar) continue;
        int seen = 0;
        for (const ToolBarButton& b : buttons) seen += (!b.IsSeparator() && b.id == c.id) ? 1 : 0;
        if (seen != 1) return false;
    }
    return true;
}

static_assert(CarriesExactly(ToolBarKind::Main));
static_assert(CarriesExactly(ToolBarKind::Drawing));

}  // namespace
}  // namespace rastrix
