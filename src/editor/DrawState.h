#pragma once
#include <cstdint>
#include <optional>

#include "editor/CommandIds.h"
#include "editor/SelectionState.h"
#include "raster/Color.h"

namespace rastrix {

// The commands that choose a tool: the pen, the bucket, the picker and the four selection shapes.
constexpr bool IsToolCommand(CommandId id) {
    switch (id) {
        case CommandId::Pen:
        case CommandId::Bucket:
        case CommandId::PickColor: return true;
        default: return IsSelectionShape(id);
    }
}

// What the drawing tools keep between events. The two current colours themselves live in
// the SettingsRecord (foreColor, backColor), because they are persisted with it.
struct DrawState {
    // The current tool, as the command that chooses it (IsToolCommand).
    CommandId currentTool = CommandId::RectangleSelection;
    // Colour of the current press: foreColor after a left press (any tool but the picker),
    // backColor after a right pen or bucket press. A stroke keeps drawing with it.
    Color penColor{0x000000};
    // The image pixel the pen set last; a stroke continues from here.
    std::int32_t lastPenX = 0;
    std::int32_t lastPenY = 0;
    // The undo level the current stroke draws into, by its ImageStack::topSerial. A stroke
    // draws in place only while that level is still the one shown. Otherwise (a press beyond
    // the image, a move that arrives with no pen press before it, or Undo or another change
    // of the image during the stroke) its first pixel on the image opens a level of its own,
    // so Undo always takes away exactly what was drawn since.
    std::optional<std::uint64_t> penLevel;
    // The press could not get memory for its undo level: its strokes draw nothing.
    bool penBlocked = false;

    // The colour each swatch of the status bar (2 foreground, 3 background) was last drawn
    // with when a current colour was set; nothing until then.
    std::optional<Color> foreSwatch;
    std::optional<Color> backSwatch;
};

}  // namespace rastrix
