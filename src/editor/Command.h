#pragma once
#include <cstdint>
#include <span>

#include "editor/CommandIds.h"

namespace rastrix {

struct Editor;

// Whether a command can run now, and if not, why: a kind each front end words in its own way,
// with the facts it needs. The editor says nothing (the item is greyed, or a key does nothing);
// rastrix-batch says what to give before the option.
struct Availability {
    enum class Kind : std::uint8_t {
        Ok,
        NeedsImage,               // no image is open
        NeedsSelection,           // nothing is selected
        NeedsRectangleSelection,  // a selection of another shape is active (`shape`)
        ShapeDoesNotFit,          // the fill has no meaning for the selection's shape (`shape`: a line)
        NothingToUndo,            // no undo level below the image
        NothingToRestore,         // no kept selection rectangle to bring back
    };
    Kind kind = Kind::Ok;
    CommandId shape{};  // the selection's shape (the command that chooses it) where the kind is about it

    constexpr bool Ok() const { return kind == Kind::Ok; }
    friend constexpr bool operator==(const Availability&, const Availability&) = default;
};

inline constexpr Availability kCanRun{};

// One command of the program: what choosing it does and when it can be chosen. Each layer
// keeps the commands it owns in a list of these (RotateFlip and Shift in edit/, Crop in
// selection/, Save in document/, ...); the frame gathers the lists into the one table that
// menus, tool-bar buttons, keys and rastrix-batch all use.
struct Command {
    CommandId id{};
    // Whether the menu item is enabled and the button clickable, where that differs from
    // canRun (each such record says why). Null: canRun's answer, or without canRun always, as
    // the menu and bars were made.
    bool (*enabled)(const Editor&) = nullptr;
    // The check mark of the menu item and the held-down state of the button. Null: never.
    bool (*checked)(const Editor&) = nullptr;
    // The button where it differs from the menu item. Null: as the menu item.
    bool (*buttonEnabled)(const Editor&) = nullptr;
    // What the menu item, the button and the key run. A command with parameters collects
    // them first (a dialog, or the current colours and styles) and calls its typed Run
    // function, which rastrix-batch calls with parameters from its options. The dispatch calls
    // it only when canRun allows, so it need not check what canRun checks; a key or a
    // status-bar click reaches it even while the menu item is greyed.
    void (*run)(Editor&) = nullptr;
    // The one rule of whether the command can run now, asked by the dispatch before the run
    // (every route: menu, button, key, status-bar click) and by rastrix-batch, which words the
    // reason. Null: the run may be called in every state and does what it does there.
    Availability (*canRun)(const Editor&) = nullptr;
};

using CommandList = std::span<const Command>;

// The run of one member of a family of commands that share a handler taking the member's id
// (Cut and Copy, Paste and Paste into New File, the recent files, the tools, the colours).
template <void (*Handler)(Editor&, CommandId), CommandId Id>
void RunMember(Editor& ed) {
    Handler(ed, Id);
}

}  // namespace rastrix
