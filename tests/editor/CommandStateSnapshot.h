#pragma once
#include <map>
#include <ostream>

#include "editor/CommandStates.h"

namespace rastrix::testing_support {

// What the user sees of one command: menu 'E' enabled, 'G' greyed, '-' no item; the
// check mark; the button's TBSTATE bits, -1 when no existing bar has its button.
struct Seen {
    char menu;
    bool checked;
    int button;
    friend bool operator==(const Seen&, const Seen&) = default;
};

inline void PrintTo(const Seen& s, std::ostream* os) {
    *os << "{menu " << s.menu << (s.checked ? " checked" : "") << ", button " << s.button << "}";
}

using Snapshot = std::map<int, Seen>;  // by command number

// Button bits, and the usual pairs of an item and its button.
inline constexpr int E = ButtonBits::Enabled;
inline constexpr int I = ButtonBits::Indeterminate;
inline constexpr int P = ButtonBits::Pressed;
inline constexpr Seen kOn{'E', false, E};        // enabled item and button
inline constexpr Seen kOff{'G', false, I};       // greyed item, indeterminate button
inline constexpr Seen kMenuOn{'E', false, -1};   // enabled item, no button
inline constexpr Seen kMenuOff{'G', false, -1};  // greyed item, no button

inline Snapshot Take(const CommandStates& states) {
    Snapshot out;
    for (const CommandInfo& c : kCommandTable) {
        const auto m = states.MenuItem(c.id);
        const auto b = states.Button(c.id);
        out[NumberOf(c.id)] = {m ? (m->enabled ? 'E' : 'G') : '-', m && m->checked, b ? int(b->bits) : -1};
    }
    return out;
}

// The commands whose observables differ, with their new observables.
inline Snapshot Changes(const Snapshot& before, const Snapshot& after) {
    Snapshot out;
    for (const auto& [id, seen] : after)
        if (before.at(id) != seen) out[id] = seen;
    return out;
}

}  // namespace rastrix::testing_support
