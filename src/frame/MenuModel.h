#pragma once
#include <array>
#include <span>
#include <string_view>

#include "editor/CommandTable.h"

namespace rastrix {

// A separator line among a pop-up's items; no command has the number 0.
inline constexpr CommandId kMenuSeparator{};

// One entry on the menu bar: a pop-up with its items in order (kMenuSeparator for a
// separator line), or a plain command item directly on the bar (id set, no items).
// Item texts are those of the command table; the items of the commands added after the first
// menus come from its rows (the last column of CommandList.h).
struct MenuBarEntry {
    std::string_view text;
    CommandId id;                     // kMenuSeparator for a pop-up
    std::span<const CommandId> items;

    constexpr bool IsPopup() const { return id == kMenuSeparator; }
};

namespace menu_detail {
inline constexpr CommandId S = kMenuSeparator;

// The items each pop-up has always had, in their places.
inline constexpr std::array<CommandId, 22> kFile{
    CommandId::New, CommandId::Open, CommandId::JoinFiles, CommandId::Save, CommandId::SaveAs, S,
    CommandId::RecentFile0, CommandId::RecentFile1, CommandId::RecentFile2, CommandId::RecentFile3,
    CommandId::RecentFile4, CommandId::RecentFile5, CommandId::RecentFile6, CommandId::RecentFile7,
    CommandId::RecentFile8, CommandId::RecentFile9, CommandId::RecentFile10, CommandId::RecentFile11,
    CommandId::RecentFile12, CommandId::RecentFile13, CommandId::RecentFile14, CommandId::RecentFile15};
inline constexpr std::array<CommandId, 7> kView{CommandId::ShowDrawingTools, S,        CommandId::FitToWindow,  CommandId::ActualSize,
                                          CommandId::Magnify2,     CommandId::Magnify4, CommandId::Magnify8};
// Copy comes before Cut here, unlike on the tool bar.
inline constexpr std::array<CommandId, 24> kEdit{
    CommandId::Undo,    CommandId::Copy,  CommandId::Cut,   CommandId::Paste,      CommandId::PasteIntoNewFile,   S,
    CommandId::ChangeImageSize, S,         CommandId::AdjustSelection, CommandId::Crop,      CommandId::MarkBorder, CommandId::RestoreSelection,
    CommandId::Unselect, S,        CommandId::RotateClockwise, CommandId::RotateCounterClockwise, CommandId::Rotate180,     CommandId::FlipHorizontal,
    CommandId::FlipVertical,   S,         CommandId::ShiftLeft, CommandId::ShiftRight,    CommandId::ShiftUp,     CommandId::ShiftDown};
inline constexpr std::array<CommandId, 18> kTools{
    CommandId::Pen,     CommandId::Bucket,   CommandId::PickColor,      CommandId::RectangleSelection,     CommandId::RoundedRectangleSelection,  CommandId::EllipseSelection,
    CommandId::LineSelection,    S,            CommandId::SetForegroundColor,   CommandId::SetBackgroundColor,  CommandId::SetLineStyle,  CommandId::SetFillStyle,
    S,           CommandId::FillLine, CommandId::FillSolid, CommandId::FillTwoColor, CommandId::FillInterior,
    CommandId::FillExterior};
inline constexpr std::array<CommandId, 5> kHelp{CommandId::HelpContents, CommandId::ShortcutKeys, CommandId::VisitWebsite, S, CommandId::About};

constexpr std::size_t AddedCount(Popup popup) {
    std::size_t n = 0;
    for (const CommandInfo& c : kCommandTable) n += c.addedTo == popup ? 1 : 0;
    return n;
}

// A pop-up's items: those it has always had, then, after a separator, the items of the commands
// added to it, in the order of the command list. A command added later never moves an older item.
template <Popup P, std::size_t N>
constexpr auto WithAdded(const std::array<CommandId, N>& older) {
    constexpr std::size_t added = AddedCount(P);
    std::array<CommandId, N + (added > 0 ? added + 1 : 0)> items{};
    std::size_t i = 0;
    for (CommandId id : older) items[i++] = id;
    if (added > 0) items[i++] = S;
    for (const CommandInfo& c : kCommandTable)
        if (c.addedTo == P) items[i++] = c.id;
    return items;
}

inline constexpr auto kFileItems = WithAdded<Popup::File>(kFile);
inline constexpr auto kViewItems = WithAdded<Popup::View>(kView);
inline constexpr auto kEditItems = WithAdded<Popup::Edit>(kEdit);
inline constexpr auto kToolsItems = WithAdded<Popup::Tools>(kTools);
inline constexpr auto kHelpItems = WithAdded<Popup::Help>(kHelp);
}  // namespace menu_detail

// The menu "MAIN", left to right. No item is checked in it; the frame sets the checks.
inline constexpr std::array<MenuBarEntry, 6> kMainMenu{{
    {"&File", kMenuSeparator, menu_detail::kFileItems},
    {"&View", kMenuSeparator, menu_detail::kViewItems},
    {"&Edit", kMenuSeparator, menu_detail::kEditItems},
    {"&Tools", kMenuSeparator, menu_detail::kToolsItems},
    {"&Help", kMenuSeparator, menu_detail::kHelpItems},
    {"E&xit", CommandId::Exit, {}},
}};

}  // namespace rastrix
