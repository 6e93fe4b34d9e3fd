#include "app/MessageRouting.h"

#include <cstdio>

namespace rastrix {

bool IsSystemKey(const KeyPress& press) {
    return press.key == VK_F10 || press.key == VK_MENU || (press.altDown && !press.ctrlDown);
}

KeyRoute RouteKeyDown(const KeyPress& press) {
    if (press.adjustDialogHasFocus) return KeyRoute::AdjustDialog;
    if (IsSystemKey(press)) return KeyRoute::Unchanged;
    const VirtualKey k = press.key;
    if (k >= VK_F1 && k <= VK_F9) return KeyRoute::FrameShortcut;
    if (k >= VK_A && k <= VK_Z && press.ctrlDown) return KeyRoute::FrameShortcut;
    if (k >= VK_PRIOR && k <= VK_DOWN) return press.imageWindowExists ? KeyRoute::ImageWindow : KeyRoute::Dropped;
    if (k >= VK_SPACE) return KeyRoute::FocusFrame;
    return KeyRoute::Unchanged;
}

namespace {

bool OverStatusBar(int y) { return y > 0; }

enum class StatusPart { None, Fore, Back, Selection };

StatusPart PartAt(const std::array<int, 5>& e, int x) {
    if (e[1] < x && x < e[2]) return StatusPart::Fore;
    if (e[2] < x && x < e[3]) return StatusPart::Back;
    if (e[3] < x && x < e[4]) return StatusPart::Selection;
    return StatusPart::None;
}

}  // namespace

StatusHover StatusBarHover(const std::array<int, 5>& statusPartEdges, int x, int y) {
    if (!OverStatusBar(y)) return StatusHover::Blank;
    switch (PartAt(statusPartEdges, x)) {
        case StatusPart::Fore: return StatusHover::ForeSwatch;
        case StatusPart::Back: return StatusHover::BackSwatch;
        default: return StatusHover::Blank;
    }
}

std::string FormatRgbText(Color color) {
    char text[32];
    std::snprintf(text, sizeof text, "RGB=%u,%u,%u", unsigned(GetRValue(color)), unsigned(GetGValue(color)),
                  unsigned(GetBValue(color)));
    return text;
}

std::string StatusHoverText(StatusHover hover, Color foreColor, Color backColor) {
    switch (hover) {
        case StatusHover::ForeSwatch: return FormatRgbText(foreColor);
        case StatusHover::BackSwatch: return FormatRgbText(backColor);
        case StatusHover::Blank: break;
    }
    return " ";
}

std::optional<std::uint16_t> StatusBarClickCommand(const std::array<int, 5>& statusPartEdges, int x,
                                                   int y) {
    if (!OverStatusBar(y)) return std::nullopt;
    switch (PartAt(statusPartEdges, x)) {
        case StatusPart::Fore: return status_commands::IDM_FGCOLOR;
        case StatusPart::Back: return status_commands::IDM_BGCOLOR;
        case StatusPart::Selection: return status_commands::IDM_ADJUST;
        case StatusPart::None: break;
    }
    return std::nullopt;
}

}  // namespace rastrix
