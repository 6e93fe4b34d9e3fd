#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "editor/CommandTable.h"

namespace rastrix {

inline constexpr std::uint8_t TBSTYLE_BUTTON = 0x00;
inline constexpr std::uint8_t TBSTYLE_SEP = 0x01;

// One entry of a tool bar's button table, as the bar is created from it. Separators have
// image 0, id 0, state TBSTATE_ENABLED and style TBSTYLE_SEP. Buttons are plain push buttons
// (TBSTYLE_BUTTON): they never toggle by themselves; a held-down look is set from outside.
struct ToolBarButton {
    int image;
    int id;
    std::uint8_t state;
    std::uint8_t style;

    constexpr bool IsSeparator() const { return style == TBSTYLE_SEP; }
    friend constexpr bool operator==(const ToolBarButton&, const ToolBarButton&) = default;
};

inline constexpr int kMainToolBarImageCount = 28;     // 16 x 16 each; image 3 is unused
inline constexpr int kDrawingToolBarImageCount = 14;  // 20 x 20 each

namespace toolbar_detail {
inline constexpr int S = 0;  // separator in the id lists below

template <std::size_t N>
constexpr std::array<ToolBarButton, N> Build(const std::array<int, N>& ids) {
    std::array<ToolBarButton, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        if (ids[i] == S) {
            out[i] = {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP};
        } else {
            const CommandInfo& c = kCommandTable[static_cast<std::size_t>(CommandIndex(ids[i]))];
            out[i] = {c.image, c.id, c.buttonState, TBSTYLE_BUTTON};
        }
    }
    return out;
}
}  // namespace toolbar_detail

inline constexpr auto kMainToolBarButtons = toolbar_detail::Build(std::array<int, 34>{
    toolbar_detail::S, IDM_NEW, IDM_OPEN, IDM_SAVE,                                  //
    toolbar_detail::S, IDM_DRAWTOOLS,                                                //
    toolbar_detail::S, IDM_FIT, IDM_ACTUAL, IDM_ZOOM2, IDM_ZOOM4, IDM_ZOOM8,         //
    toolbar_detail::S, IDM_UNDO, IDM_CUT, IDM_COPY, IDM_PASTE,                       //
    toolbar_detail::S, IDM_ADJUST, IDM_CROP, IDM_MARKBORDER, IDM_RESTORESEL,         //
    IDM_UNSELECT,                                                                    //
    toolbar_detail::S, IDM_ROT90CW, IDM_ROT90CCW, IDM_ROT180, IDM_FLIPH, IDM_FLIPV,  //
    toolbar_detail::S, IDM_SHIFTL, IDM_SHIFTR, IDM_SHIFTU, IDM_SHIFTD});

inline constexpr auto kDrawingToolBarButtons = toolbar_detail::Build(std::array<int, 17>{
    toolbar_detail::S, IDM_PEN, IDM_BUCKET, IDM_PICK, IDM_RECT, IDM_ROUNDRECT, IDM_ELLIPSE,
    IDM_LINE,                                                                   //
    toolbar_detail::S, IDM_LINESTYLE, IDM_FILLSTYLE,                            //
    toolbar_detail::S, IDM_FILLLINE, IDM_FILLSOLID, IDM_FILL2COLOR, IDM_FILLINTERIOR,
    IDM_FILLEXTERIOR});

constexpr std::span<const ToolBarButton> ToolBarButtons(ToolBarKind bar) {
    switch (bar) {
        case ToolBarKind::Main: return kMainToolBarButtons;
        case ToolBarKind::Drawing: return kDrawingToolBarButtons;
        case ToolBarKind::None: break;
    }
    return {};
}

}  // namespace rastrix
