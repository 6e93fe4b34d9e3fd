#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "editor/CommandIds.h"
#include "raster/Color.h"
#include "store/FileOps.h"

namespace rastrix {

struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 640;
    std::int32_t bottom = 450;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The program-wide record of settings and editor state flags. The fields marked
// "persisted" make up the 51-byte "Settings" value; customColors is the "Colors" value.
struct SettingsRecord {
    // Constant tables: hatchStyleIndex -> hatch style, lineStyleIndex -> pen style.
    std::array<std::int32_t, 7> hatchStyles{0, 0, 1, 3, 2, 4, 5};
    std::array<std::int32_t, 5> penStyles{0, 2, 1, 3, 4};

    std::int32_t drawingBarHeight = 0;  // 38 once the drawing-tools bar has been laid out
    std::int16_t currentTool = CommandId::RectangleSelection;     // command id of the current tool, CommandId::Pen..CommandId::LineSelection
    std::int16_t selectionShape = CommandId::RectangleSelection;  // command id of the selection shape, CommandId::RectangleSelection..CommandId::LineSelection
    std::int32_t savedCenterX = 0;      // image column to centre on at the next layout; 0 none
    std::int32_t savedCenterY = 0;      // (32 bits: images may be wider than 32767 pixels)
    std::uint8_t hasSelection = 0;
    std::uint8_t modified = 0;
    std::uint8_t needsSaveAs = 0;
    std::uint8_t dragging = 0;
    std::uint8_t undoDepth = 0;

    // persisted
    Color foreColor{0x000000};
    Color backColor{0xFFFFFF};
    WindowRect windowRect{};
    std::int32_t zoomPercent = 100;
    // reservedA, reservedB and reservedTail are kept only so the 51-byte value keeps its layout:
    // they are read and written back unchanged, so a value written by another version of the
    // program survives a run of this one. Nothing else reads them.
    std::uint32_t reservedA = 180;
    std::uint32_t reservedB = 0;
    std::int16_t viewMode = CommandId::ActualSize;
    std::int16_t adjustOffsetX = 0;
    std::int16_t adjustOffsetY = 333;
    std::uint8_t maximized = 1;
    std::uint8_t reservedFlag = 0;      // 0 or 8; only CommandId::ToggleReservedFlag flips it, and nothing shows it
    std::uint8_t showDrawingTools = 0;  // 0 or 8 (the menu check state)
    std::uint8_t hatchStyleIndex = 0;
    std::uint8_t lineStyleIndex = 0;
    std::uint8_t lineWidth = 1;
    std::array<std::uint8_t, 3> reservedTail{0x69, 0x69, 0x69};

    std::array<Color, 16> customColors{Color{0xF0CAA6}, Color{0xC0FFFF}, Color{0xFFFFFF}, Color{0xFFFFFF},
                                       Color{0xFFFFFF}, Color{0xFFFFFF}, Color{0xFFFFFF}, Color{0xFFFFFF},
                                       Color{0xFFFFCC}, Color{0xCCCCFF}, Color{0xFFFFFF}, Color{0xFFFFFF},
                                       Color{0xFFFFFF}, Color{0xFFFFFF}, Color{0xFFFFFF}, Color{0xFFFFFF}};
    std::array<Color, 24> colorBarColors{Color{0x000000}, Color{0xFFFFFF}, Color{0x0000FF}, Color{0x00FF00},
                                         Color{0xFF0000}, Color{0x00FFFF}, Color{0xC0C0C0}, Color{0x808080},
                                         Color{0x008000}, Color{0xFF00FF}, Color{0x800080}, Color{0x000080},
                                         Color{0x008080}, Color{0xFFFF00}, Color{0x808000}, Color{0x800000},
                                         Color{0x004040}, Color{0x0080FF}, Color{0x004080}, Color{0xFF0080},
                                         Color{0xFF8040}, Color{0x80FF80}, Color{0xFF80C0}, Color{0xFF80FF}};
};

// The stored values that existed at start but could not be read, and the first failure.
struct UnreadSettings {
    bool settings = false;
    bool recent = false;
    bool colors = false;
    std::string_view firstName;  // the value that failed first
    FileFailure firstFailure;
    bool Any() const { return settings || recent || colors; }
};

}  // namespace rastrix
