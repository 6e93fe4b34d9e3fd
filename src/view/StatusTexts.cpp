#include "view/StatusTexts.h"

#include <cstdio>

namespace rastrix {

namespace {
// The texts print every number unsigned, as the status bar always has.
unsigned U(std::int64_t v) { return unsigned(std::uint32_t(v)); }
}  // namespace

std::string ImageStatusText(std::int32_t imageWidth, std::int32_t imageHeight, std::int32_t bitDepth,
                            std::int32_t zoomPercent) {
    char text[96];
    std::snprintf(text, sizeof text, "%uW x %uH, %u bits per pixel, %u%%", U(imageWidth), U(imageHeight), U(bitDepth),
                  U(zoomPercent));
    return text;
}

std::string PositionStatusText(std::int32_t x, std::int32_t y, Color color) {
    char text[80];
    std::snprintf(text, sizeof text, "Pos=%u,%u;  RGB=%u,%u,%u", U(x), U(y), unsigned(RedOf(color)),
                  unsigned(GreenOf(color)), unsigned(BlueOf(color)));
    return text;
}

std::string ShowPosition(const ViewState& view, Color color) {
    return PositionStatusText(view.mouseX, view.mouseY, color);
}

std::string SelectionStatusText(bool hasSelection, const Rect& selection) {
    if (!hasSelection) return " ";
    char text[96];
    std::snprintf(text, sizeof text, "Selection@ %u,%u (%uW x %uH)", U(selection.left), U(selection.top),
                  U(std::int64_t(selection.right) - selection.left), U(std::int64_t(selection.bottom) - selection.top));
    return text;
}

}  // namespace rastrix
