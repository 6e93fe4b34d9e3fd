#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "editor/CommandTable.h"

namespace rastrix {

inline constexpr std::uint8_t kPushButton = 0x00;
inline constexpr std::uint8_t kSeparator = 0x01;

// One entry of a tool bar's button table, as the bar is created from it. Separators have
// image 0, id 0, state ButtonBits::Enabled and style kSeparator. Buttons are plain push buttons
// (kPushButton): they never toggle by themselves; a held-down look is set from outside.
struct ToolBarButton {
    int image;
    CommandId id;  // separators: no command (number 0)
    std::uint8_t state;
    std::uint8_t style;

    constexpr bool IsSeparator() const { return style == kSeparator; }
    friend constexpr bool operator==(const ToolBarButton&, const ToolBarButton&) = default;
};

inline constexpr int kMainToolBarImageCount = 28;     // 16 x 16 each; image 3 is unused
inline constexpr int kDrawingToolBarImageCount = 14;  // 20 x 20 each

namespace toolbar_detail {
inline constexpr CommandId S{};  // separator in the id lists below; no command has the number 0

template <std::size_t N>
constexpr std::array<ToolBarButton, N> Build(const std::array<CommandId, N>& ids) {
    std::array<ToolBarButton, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        if (ids[i] == S) {
            out[i] = {0, S, ButtonBits::Enabled, kSeparator};
        } else {
            const CommandInfo& c = *FindCommand(ids[i]);
            out[i] = {c.image, c.id, c.buttonState, kPushButton};
        }
    }
    return out;
}
}  // namespace toolbar_detail

inline constexpr auto kMainToolBarButtons = toolbar_detail::Build(std::array<CommandId, 34>{
    toolbar_detail::S, CommandId::New, CommandId::Open, CommandId::Save,                                  //
    toolbar_detail::S, CommandId::ShowDrawingTools,                                                //
    toolbar_detail::S, CommandId::FitToWindow, CommandId::ActualSize, CommandId::Magnify2, CommandId::Magnify4, CommandId::Magnify8,         //
    toolbar_detail::S, CommandId::Undo, CommandId::Cut, CommandId::Copy, CommandId::Paste,                       //
    toolbar_detail::S, CommandId::AdjustSelection, CommandId::Crop, CommandId::MarkBorder, CommandId::RestoreSelection,         //
    CommandId::Unselect,                                                                    //
    toolbar_detail::S, CommandId::RotateClockwise, CommandId::RotateCounterClockwise, CommandId::Rotate180, CommandId::FlipHorizontal, CommandId::FlipVertical,  //
    toolbar_detail::S, CommandId::ShiftLeft, CommandId::ShiftRight, CommandId::ShiftUp, CommandId::ShiftDown});

inline constexpr auto kDrawingToolBarButtons = toolbar_detail::Build(std::array<CommandId, 17>{
    toolbar_detail::S, CommandId::Pen, CommandId::Bucket, CommandId::PickColor, CommandId::RectangleSelection, CommandId::RoundedRectangleSelection, CommandId::EllipseSelection,
    CommandId::LineSelection,                                                                   //
    toolbar_detail::S, CommandId::SetLineStyle, CommandId::SetFillStyle,                            //
    toolbar_detail::S, CommandId::FillLine, CommandId::FillSolid, CommandId::FillTwoColor, CommandId::FillInterior,
    CommandId::FillExterior});

constexpr std::span<const ToolBarButton> ToolBarButtons(ToolBarKind bar) {
    switch (bar) {
        case ToolBarKind::Main: return kMainToolBarButtons;
        case ToolBarKind::Drawing: return kDrawingToolBarButtons;
        case ToolBarKind::None: break;
    }
    return {};
}

}  // namespace rastrix
