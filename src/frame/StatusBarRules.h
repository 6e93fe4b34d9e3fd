#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "editor/CommandIds.h"

namespace rastrix {

// Right edges of the five status-bar parts: image, pointer, foreground swatch, background
// swatch, selection. The swatches are 25 pixels wide; a narrow frame is laid out as if it
// were 480 wide, except the last edge, which is the real width.
using StatusPartEdges = std::array<std::int32_t, 5>;

StatusPartEdges ComputeStatusPartEdges(std::int32_t clientWidth);

// What a mouse move at the frame shows in status part 1.
enum class StatusHover { ShowForeColor, ShowBackColor, Blank };

// What a left press at the frame does. overStatusBar false: default processing.
// Otherwise command is the command to dispatch, if any.
struct StatusClick {
    bool overStatusBar;
    std::optional<CommandId> command;
    friend bool operator==(const StatusClick&, const StatusClick&) = default;
};

// The rules behind the events StatusBarMouseMove and StatusBarLeftDown (EditorEvents.h): what a
// move or a left press at a point does. x and y are the pointer in frame coordinates (the
// status bar's own messages have had threshold added to y); threshold = viewAreaHeight +
// drawingBarHeight. A pointer counts as over the status bar when y > threshold. A pointer
// exactly on a part edge belongs to no part.
StatusHover StatusHoverAt(const StatusPartEdges& edges, std::uint16_t x, std::uint16_t y, std::int32_t threshold);
StatusClick StatusClickAt(const StatusPartEdges& edges, std::uint16_t x, std::uint16_t y, std::int32_t threshold);

}  // namespace rastrix
