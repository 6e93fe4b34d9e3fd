#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "editor/ViewModes.h"
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

// The settings the program stores: the fields down to reservedTail make up the 51-byte
// "Settings" value, customColors is the "Colors" value.
// What a session only holds (undo levels, modified, the selection, the current tool) lives
// in the document, selection, drawing and view state instead.
struct SettingsRecord {
    Color foreColor{0x000000};
    Color backColor{0xFFFFFF};
    WindowRect windowRect{};
    std::int32_t zoomPercent = 100;
    // reservedA, reservedB and reservedTail are kept only so the 51-byte value keeps its layout:
    // they are read and written back unchanged, so a value written by another version of the
    // program survives a run of this one. Nothing else reads them.
    std::uint32_t reservedA = 180;
    std::uint32_t reservedB = 0;
    std::int16_t viewMode = StoredViewMode(ViewMode::Actual);  // as stored: ViewModeFromStored reads it
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
