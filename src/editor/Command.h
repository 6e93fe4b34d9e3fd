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

// One command of the program: what choosing it does and when it can be chosen. A command
// added later keeps its record in its own source, beside its run (Scale Image, Reduce Colours,
// Export for Device); the older ones and the families sharing a handler are in the list of
// the layer that owns them (RotateFlip and Shift in edit/, Crop in selection/, Save in
// document/, ...). The frame gathers them into the one table that menus, tool-bar buttons,
// keys and rastrix-batch all use.
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

// The record of each command whose line in the command list says Own, written in the command's
// own source beside its run: `Command ScaleImageRecord() { return {.run = ..., .canRun = ...}; }`.
// The id is the line's; the frame enters these after the layers' lists.
#define RASTRIX_OWN_RECORD_Layer(name)
#define RASTRIX_OWN_RECORD_Own(name) Command name##Record();
#define RASTRIX_DECLARE_OWN_RECORD(name, number, menuText, starts, bar, image, state, toolTip, key, addedTo, record) \
    RASTRIX_OWN_RECORD_##record(name)
RASTRIX_COMMANDS(RASTRIX_DECLARE_OWN_RECORD)
#undef RASTRIX_DECLARE_OWN_RECORD

// The run of one member of a family of commands that share a handler taking the member's id
// (Cut and Copy, Paste and Paste into New File, the recent files, the tools, the colours).
template <void (*Handler)(Editor&, CommandId), CommandId Id>
void RunMember(Editor& ed) {
    Handler(ed, Id);
}

}  // namespace rastrix
