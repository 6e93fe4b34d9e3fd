#include "editor/CommandTable.h"

#include <ostream>

namespace rastrix {
namespace {

// The command list is hand-written; these checks keep a slip in it from compiling.
constexpr bool SortedAndInRange() {
    for (std::size_t i = 0; i < kCommandTable.size(); ++i) {
        if (!InCommandRange(NumberOf(kCommandTable[i].id))) return false;
        if (i > 0 && kCommandTable[i - 1].id >= kCommandTable[i].id) return false;
    }
    return true;
}

constexpr bool ButtonsConsistent() {
    for (const CommandInfo& c : kCommandTable) {
        const bool button = c.HasButton();
        if (button != (c.image >= 0) || button != !c.toolTip.empty()) return false;
        if (button && c.buttonState != ButtonBits::Enabled && c.buttonState != ButtonBits::Indeterminate)
            return false;
        if (!button && c.buttonState != 0) return false;
    }
    return true;
}

// An item added to a pop-up needs its text; a command without one has no item to add.
constexpr bool AddedItemsHaveTexts() {
    for (const CommandInfo& c : kCommandTable)
        if (c.addedTo != Popup::None && !c.HasMenuItem()) return false;
    return true;
}

static_assert(SortedAndInRange(), "command table must be sorted by id, ids 257..383");
static_assert(ButtonsConsistent(), "a button needs an image, a state and a tool-tip");
static_assert(AddedItemsHaveTexts(), "a command added to a pop-up needs a menu text");

}  // namespace

std::ostream& operator<<(std::ostream& os, CommandId id) { return os << NumberOf(id); }

}  // namespace rastrix
