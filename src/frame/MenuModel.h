#pragma once
#include <array>
#include <span>
#include <string_view>

#include "editor/CommandIds.h"

namespace rastrix {

// A separator line among a pop-up's items; no command has the number 0.
inline constexpr CommandId kMenuSeparator{};

// One entry on the menu bar: a pop-up with its items in order (kMenuSeparator for a
// separator line), or a plain command item directly on the bar (id set, no items).
// Item texts are those of the command table.
struct MenuBarEntry {
    std::string_view text;
    CommandId id;                     // kMenuSeparator for a pop-up
    std::span<const CommandId> items;

    constexpr bool IsPopup() const { return id == kMenuSeparator; }
};

namespace menu_detail {
inline constexpr CommandId S = kMenuSeparator;
// Export for Device came later and follows the older items.
inline constexpr std::array<CommandId, 24> kFile{
    CommandId::New, CommandId::Open, CommandId::JoinFiles, CommandId::Save, CommandId::SaveAs, S,
    CommandId::RecentFile0, CommandId::RecentFile1, CommandId::RecentFile2, CommandId::RecentFile3,
    CommandId::RecentFile4, CommandId::RecentFile5, CommandId::RecentFile6, CommandId::RecentFile7,
    CommandId::RecentFile8, CommandId::RecentFile9, CommandId::RecentFile10, CommandId::RecentFile11,
    CommandId::RecentFile12, CommandId::RecentFile13, CommandId::RecentFile14, CommandId::RecentFile15,
    S,           CommandId::ExportForDevice};
inline constexpr std::array<CommandId, 7> kView{CommandId::ShowDrawingTools, S,        CommandId::FitToWindow,  CommandId::ActualSize,
                                          CommandId::Magnify2,     CommandId::Magnify4, CommandId::Magnify8};
// Copy comes before Cut here, unlike on the tool bar. Scale Image and Reduce Colours came
// later and follow the older items.
inline constexpr std::array<CommandId, 27> kEdit{
    CommandId::Undo,    CommandId::Copy,  CommandId::Cut,   CommandId::Paste,      CommandId::PasteIntoNewFile,   S,
    CommandId::ChangeImageSize, S,         CommandId::AdjustSelection, CommandId::Crop,      CommandId::MarkBorder, CommandId::RestoreSelection,
    CommandId::Unselect, S,        CommandId::RotateClockwise, CommandId::RotateCounterClockwise, CommandId::Rotate180,     CommandId::FlipHorizontal,
    CommandId::FlipVertical,   S,         CommandId::ShiftLeft, CommandId::ShiftRight,    CommandId::ShiftUp,     CommandId::ShiftDown,
    S,           CommandId::ScaleImage,    CommandId::ReduceColors};
inline constexpr std::array<CommandId, 18> kTools{
    CommandId::Pen,     CommandId::Bucket,   CommandId::PickColor,      CommandId::RectangleSelection,     CommandId::RoundedRectangleSelection,  CommandId::EllipseSelection,
    CommandId::LineSelection,    S,            CommandId::SetForegroundColor,   CommandId::SetBackgroundColor,  CommandId::SetLineStyle,  CommandId::SetFillStyle,
    S,           CommandId::FillLine, CommandId::FillSolid, CommandId::FillTwoColor, CommandId::FillInterior,
    CommandId::FillExterior};
inline constexpr std::array<CommandId, 5> kHelp{CommandId::HelpContents, CommandId::ShortcutKeys, CommandId::VisitWebsite, S, CommandId::About};
}  // namespace menu_detail

// The menu "MAIN", left to right. No item is checked in it; the frame sets the checks.
inline constexpr std::array<MenuBarEntry, 6> kMainMenu{{
    {"&File", kMenuSeparator, menu_detail::kFile},
    {"&View", kMenuSeparator, menu_detail::kView},
    {"&Edit", kMenuSeparator, menu_detail::kEdit},
    {"&Tools", kMenuSeparator, menu_detail::kTools},
    {"&Help", kMenuSeparator, menu_detail::kHelp},
    {"E&xit", CommandId::Exit, {}},
}};

}  // namespace rastrix
