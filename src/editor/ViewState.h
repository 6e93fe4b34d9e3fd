#pragma once
#include <cstdint>

#include "raster/Geometry.h"

namespace rastrix {

// The cursors the image window can show.
enum class CursorKind : std::uint8_t { Arrow, Cross, Wait, Pen, Bucket, Picker };

// The band of the frame's client area that the image window may use, and the sizes kept
// for scroll bars. The frame fills it on every resize; the image window never sets it.
struct ViewArea {
    std::int32_t viewAreaWidth = 0;   // frame client width
    std::int32_t viewAreaHeight = 0;  // client height less tool bar, status bar and drawing bar
    std::int32_t viewAreaTop = 0;     // tool bar client height + 2
    std::uint8_t vScrollWidth = 0;    // width of a vertical scroll bar
    std::uint8_t hScrollHeight = 0;   // height of a horizontal scroll bar
};

// One scroll bar as the platform is asked to show it: range minimum..maximum inclusive,
// page = units visible at once, position = first visible unit. A bar whose page covers
// its whole range is hidden.
struct ScrollBarState {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::int32_t page = 0;
    std::int32_t position = 0;
    bool shown = false;
    friend bool operator==(const ScrollBarState&, const ScrollBarState&) = default;
};

// Everything the view knows about the image window: where it stands in the frame, how much
// of it is kept for scroll bars, which image pixel sits at its top-left corner, the scroll
// bars, the pixel under the mouse and the cursors. zoomPercent and viewMode are stored, so
// they live in the SettingsRecord.
struct ViewState {
    // The image pixel to centre on at the next layout; 0 on an axis: none (centred).
    // 32 bits: images may be wider than 32767 pixels.
    std::int32_t savedCenterX = 0;
    std::int32_t savedCenterY = 0;
    // Placement in the frame's client area. The outer size includes the 2-pixel sunken edge
    // on each side and the room kept for scroll bars.
    std::int32_t imageWindowX = 0;
    std::int32_t imageWindowY = 0;
    std::int32_t imageWindowWidth = 0;
    std::int32_t imageWindowHeight = 0;
    std::uint8_t vScrollReserve = 0;  // width kept for the vertical bar, or 0
    std::uint8_t hScrollReserve = 0;  // height kept for the horizontal bar, or 0; carried between layouts
    bool imageWindowExists = false;   // set by the first layout that finds an image

    // Image column and row shown at the left and top edges of the image part. 32 bits so
    // that images wider or taller than 32767 pixels scroll correctly.
    std::int32_t scrollOriginX = 0;
    std::int32_t scrollOriginY = 0;

    // Image columns and rows shown; refreshed by every layout and paint, read by scrolling.
    std::int32_t visibleImageWidth = 0;
    std::int32_t visibleImageHeight = 0;
    ScrollBarState hScroll;
    ScrollBarState vScroll;

    // Image pixel under the mouse, set on every move and press.
    std::int32_t mouseX = 0;
    std::int32_t mouseY = 0;

    CursorKind toolCursor = CursorKind::Cross;     // cursor of the current tool
    CursorKind restoreCursor = CursorKind::Arrow;  // put back after every paint
    CursorKind shownCursor = CursorKind::Arrow;    // the cursor on screen now

    // The whole window must be painted again (an invalidation is pending).
    bool repaintNeeded = false;
    // A picture was opened while its first paint was still to come: its spare levels are
    // prepared once that paint has been shown (SpareLevelsAfterShown).
    bool sparesWaitForPaint = false;

    // The part of the client area that shows the image (the window less its edges and the
    // room kept for scroll bars).
    std::int32_t ImagePartWidth() const { return imageWindowWidth - 4 - vScrollReserve; }
    std::int32_t ImagePartHeight() const { return imageWindowHeight - 4 - hScrollReserve; }
    Rect ImageWindowRect() const {
        return {imageWindowX, imageWindowY, imageWindowX + imageWindowWidth, imageWindowY + imageWindowHeight};
    }
};

}  // namespace rastrix
