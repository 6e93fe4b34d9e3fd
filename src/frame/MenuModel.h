#pragma once
#include <array>
#include <span>
#include <string_view>

#include "editor/CommandIds.h"

namespace rastrix {

inline constexpr int kMenuSeparator = 0;

// One entry on the menu bar: a pop-up with its items in order (kMenuSeparator for a
// separator line), or a plain command item directly on the bar (id set, no items).
// Item texts are those of the command table.
struct MenuBarEntry {
    std::string_view text;
    int id;                     // kMenuSeparator for a pop-up
    std::span<const int> items;

    constexpr bool IsPopup() const { return id == kMenuSeparator; }
};

namespace menu_detail {
inline constexpr int S = kMenuSeparator;
inline constexpr std::array<int, 22> kFile{
    IDM_NEW, IDM_OPEN, IDM_JOIN, IDM_SAVE, IDM_SAVEAS, S,
    IDM_RECENT0 + 0, IDM_RECENT0 + 1, IDM_RECENT0 + 2, IDM_RECENT0 + 3,
    IDM_RECENT0 + 4, IDM_RECENT0 + 5, IDM_RECENT0 + 6, IDM_RECENT0 + 7,
    IDM_RECENT0 + 8, IDM_RECENT0 + 9, IDM_RECENT0 + 10, IDM_RECENT0 + 11,
    IDM_RECENT0 + 12, IDM_RECENT0 + 13, IDM_RECENT0 + 14, IDM_RECENT0 + 15};
inline constexpr std::array<int, 7> kView{IDM_DRAWTOOLS, S,        IDM_FIT,  IDM_ACTUAL,
                                          IDM_ZOOM2,     IDM_ZOOM4, IDM_ZOOM8};
// Copy comes before Cut here, unlike on the tool bar. Scale Image and Reduce Colours came
// later and follow the older items.
inline constexpr std::array<int, 27> kEdit{
    IDM_UNDO,    IDM_COPY,  IDM_CUT,   IDM_PASTE,      IDM_PASTENEW,   S,
    IDM_CHGSIZE, S,         IDM_ADJUST, IDM_CROP,      IDM_MARKBORDER, IDM_RESTORESEL,
    IDM_UNSELECT, S,        IDM_ROT90CW, IDM_ROT90CCW, IDM_ROT180,     IDM_FLIPH,
    IDM_FLIPV,   S,         IDM_SHIFTL, IDM_SHIFTR,    IDM_SHIFTU,     IDM_SHIFTD,
    S,           kScaleImageCommand,    kReduceColoursCommand};
inline constexpr std::array<int, 18> kTools{
    IDM_PEN,     IDM_BUCKET,   IDM_PICK,      IDM_RECT,     IDM_ROUNDRECT,  IDM_ELLIPSE,
    IDM_LINE,    S,            IDM_FGCOLOR,   IDM_BGCOLOR,  IDM_LINESTYLE,  IDM_FILLSTYLE,
    S,           IDM_FILLLINE, IDM_FILLSOLID, IDM_FILL2COLOR, IDM_FILLINTERIOR,
    IDM_FILLEXTERIOR};
inline constexpr std::array<int, 5> kHelp{IDM_HELP, IDM_SHORTCUTS, IDM_WEBSITE, S, IDM_ABOUT};
}  // namespace menu_detail

// The menu "MAIN", left to right. No item is checked in it; the frame sets the checks.
inline constexpr std::array<MenuBarEntry, 6> kMainMenu{{
    {"&File", kMenuSeparator, menu_detail::kFile},
    {"&View", kMenuSeparator, menu_detail::kView},
    {"&Edit", kMenuSeparator, menu_detail::kEdit},
    {"&Tools", kMenuSeparator, menu_detail::kTools},
    {"&Help", kMenuSeparator, menu_detail::kHelp},
    {"E&xit", IDM_EXIT, {}},
}};

}  // namespace rastrix
