#pragma once
#include <span>

namespace rastrix {

struct Editor;

// One command of the program: what choosing it does and when it can be chosen. Each layer
// keeps the commands it owns in a list of these (RotateFlip and Shift in edit/, Crop in
// selection/, Save in document/, ...); the frame gathers the lists into the one table that
// menus, tool-bar buttons, keys and rastrix-batch all use.
struct Command {
    int id = 0;
    // Whether the menu item is enabled and the button clickable, from the state it reads:
    // the one answer to "why is this greyed?". Null: always, as the menu and bars were made.
    bool (*enabled)(const Editor&) = nullptr;
    // The check mark of the menu item and the held-down state of the button. Null: never.
    bool (*checked)(const Editor&) = nullptr;
    // The button where it differs from the menu item. Null: as the menu item.
    bool (*buttonEnabled)(const Editor&) = nullptr;
    // What the menu item, the button and the key run. A command with parameters collects
    // them first (a dialog, or the current colours and styles) and calls its typed Run
    // function, which rastrix-batch calls with parameters from its options. Each run guards
    // itself: a key or a status-bar click reaches it even while the command is greyed.
    void (*run)(Editor&) = nullptr;
};

using CommandList = std::span<const Command>;

// The run of one member of a family of commands that share a handler taking the member's id
// (Cut and Copy, the recent files, the tools, the view modes).
template <void (*Handler)(Editor&, int), int Id>
void RunMember(Editor& ed) {
    Handler(ed, Id);
}

}  // namespace rastrix
