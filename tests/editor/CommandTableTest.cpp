#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "editor/CommandTable.h"
#include "frame/KeyTable.h"
#include "frame/MenuModel.h"

namespace rastrix {
namespace {

struct Row {
    CommandId constant;  // the CommandId constant
    int number;        // the number it must have
    const char* menu;  // "" when there is no menu item
    bool enabled;      // menu start state
    char bar;          // 'M', 'D' or '-'
    int image;
    int state;         // initial button state, 0 without a button
    int key;           // shortcut key code, 0 for none
    Popup added = Popup::None;  // the pop-up an added command's item ends
};

void PrintTo(const Row& r, std::ostream* os) { *os << "id " << r.number; }

class CommandRowTest : public ::testing::TestWithParam<Row> {};

TEST_P(CommandRowTest, MatchesTheResourceAndButtonTables) {
    const Row& r = GetParam();
    EXPECT_EQ(NumberOf(r.constant), r.number);
    EXPECT_EQ(CommandFromNumber(r.number), r.constant);
    const CommandInfo* c = FindCommand(r.constant);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->id, r.constant);
    EXPECT_EQ(std::string(c->menuText), r.menu);
    if (*r.menu != '\0') {
        EXPECT_EQ(c->menuStartsEnabled, r.enabled);
    }
    const char bar = c->bar == ToolBarKind::Main ? 'M' : c->bar == ToolBarKind::Drawing ? 'D' : '-';
    EXPECT_EQ(bar, r.bar);
    if (r.bar != '-') {
        EXPECT_EQ(c->image, r.image);
    }
    EXPECT_EQ(c->buttonState, r.state);
    EXPECT_EQ(c->key, r.key);
    EXPECT_EQ(c->addedTo, r.added);
}

INSTANTIATE_TEST_SUITE_P(
    SpotRows, CommandRowTest,
    ::testing::Values(
        Row{CommandId::New, 257, "&New", true, 'M', 0, 4, 0},
        Row{CommandId::Open, 258, "&Open\tCtrl+O", true, 'M', 1, 4, 0x4F},
        Row{CommandId::JoinFiles, 259, "&Join Files\tCtrl+J", true, '-', 0, 0, 0x4A},
        Row{CommandId::Save, 260, "&Save\tCtrl+S", false, 'M', 2, 16, 0x53},
        Row{CommandId::SaveAs, 261, "S&ave As", false, '-', 0, 0, 0},
        Row{CommandId::ExportForDevice, 262, "Export for &Device...", false, '-', 0, 0, 0, Popup::File},
        Row{CommandId::OpenNamed, 265, "", false, '-', 0, 0, 0},
        Row{CommandId::Exit, 271, "E&xit", true, '-', 0, 0, 0},
        Row{CommandId::ToggleReservedFlag, 272, "", false, '-', 0, 0, 0},
        Row{CommandId::ShowDrawingTools, 273, "Show Drawing Tools", true, 'M', 4, 4, 0},
        Row{CommandId::FitToWindow, 274, "&Fit to Window", true, 'M', 5, 4, 0},
        Row{CommandId::Magnify2, 276, "x&2", true, 'M', 7, 4, 0},
        Row{CommandId::Magnify8, 278, "x&8", true, 'M', 9, 4, 0},
        Row{CommandId::Undo, 288, "&Undo\tCtrl+Z", false, 'M', 10, 16, 0x5A},
        Row{CommandId::Cut, 289, "C&ut\tCtrl+X", false, 'M', 11, 16, 0x58},
        Row{CommandId::Copy, 290, "&Copy\tCtrl+C", false, 'M', 12, 16, 0x43},
        Row{CommandId::Paste, 291, "&Paste\tCtrl+V", true, 'M', 13, 4, 0x56},
        Row{CommandId::AdjustSelection, 292, "Adjust Selection", false, 'M', 14, 4, 0},
        Row{CommandId::Crop, 293, "C&rop", false, 'M', 15, 16, 0},
        Row{CommandId::MarkBorder, 295, "Mark &Border\tCtrl+B", false, 'M', 16, 16, 0x42},
        Row{CommandId::RestoreSelection, 296, "Restore Selction\tCtrl+R", false, 'M', 17, 16, 0x52},
        Row{CommandId::Unselect, 297, "&Unselect\tCtrl+U", false, 'M', 18, 16, 0x55},
        Row{CommandId::PasteIntoNewFile, 298, "&Paste into New File", true, '-', 0, 0, 0},
        Row{CommandId::RotateClockwise, 304, "Rotate 90° clockwise", false, 'M', 19, 16, 0},
        Row{CommandId::RotateCounterClockwise, 305, "Rotate 90° counter clockwise", false, 'M', 20, 16, 0},
        Row{CommandId::Rotate180, 306, "Rotate 180°", false, 'M', 21, 16, 0},
        Row{CommandId::FlipVertical, 308, "Flip vertical", false, 'M', 23, 16, 0},
        Row{CommandId::ShiftLeft, 309, "Shift left", false, 'M', 24, 16, 0},
        Row{CommandId::ShiftDown, 312, "Shift down", false, 'M', 27, 16, 0},
        Row{CommandId::ChangeImageSize, 316, "Change Image Size", false, '-', 0, 0, 0},
        // Added later: menu items only, at the end of the Edit menu, greyed until an image
        // exists, no button, no key.
        Row{CommandId::ScaleImage, 317, "Scale &Image...", false, '-', 0, 0, 0, Popup::Edit},
        Row{CommandId::ReduceColors, 318, "Reduce C&olours...", false, '-', 0, 0, 0, Popup::Edit},
        Row{CommandId::Pen, 320, "&Pen", true, 'D', 0, 4, 0},
        Row{CommandId::PickColor, 322, "Pick Color", true, 'D', 2, 4, 0},
        Row{CommandId::RoundedRectangleSelection, 324, "Rounded Rectangle", true, 'D', 4, 4, 0},
        Row{CommandId::LineSelection, 326, "&Line", true, 'D', 6, 4, 0},
        Row{CommandId::SetForegroundColor, 330, "Set &Foreground Color", true, '-', 0, 0, 0},
        Row{CommandId::SetBackgroundColor, 331, "Set &Background Color", true, '-', 0, 0, 0},
        Row{CommandId::SetLineStyle, 332, "Set Line Style", true, 'D', 7, 4, 0},
        Row{CommandId::SetFillStyle, 333, "Set Fill Style", true, 'D', 8, 4, 0},
        Row{CommandId::FillLine, 336, "Fill Line/Perimeter", false, 'D', 9, 16, 0},
        Row{CommandId::FillTwoColor, 338, "Fill 2-Color", false, 'D', 11, 16, 0},
        Row{CommandId::FillExterior, 340, "Fill Exterior", false, 'D', 13, 16, 0},
        Row{CommandId::HelpContents, 352, "&Contents\tF1", true, '-', 0, 0, 0x70},
        Row{CommandId::ShortcutKeys, 353, "&Shortcut Keys", true, '-', 0, 0, 0},
        Row{CommandId::VisitWebsite, 354, "&Visit Website", true, '-', 0, 0, 0},
        Row{CommandId::About, 355, "&About...", true, '-', 0, 0, 0},
        Row{CommandId::RecentFile0, 368, "Recent File &0", true, '-', 0, 0, 0x74},
        Row{CommandId::RecentFile9, 377, "Recent File &9", true, '-', 0, 0, 0},
        Row{CommandId::RecentFile10, 378, "Recent File 10", true, '-', 0, 0, 0},
        Row{CommandId::RecentFile15, 383, "Recent File 15", true, '-', 0, 0, 0}));

// Every command of the table is reachable: it sits in exactly one place of the menu, or is named
// here as a command without a menu item, with the reason; and nothing else is in the menu.
TEST(CommandTable, EachCommandIsInOneMenuPlaceOrNamedAsMenuless) {
    const std::map<CommandId, std::string> menuless = {
        {CommandId::OpenNamed, "sent once at start-up for the file named on the command line"},
        {CommandId::ToggleReservedFlag, "kept for its handler; no item, button or key carries it"},
    };
    for (const CommandInfo& c : kCommandTable) {
        int places = 0;
        for (const MenuBarEntry& e : kMainMenu) {
            if (!e.IsPopup()) places += e.id == c.id ? 1 : 0;
            for (CommandId item : e.items) places += item == c.id ? 1 : 0;
        }
        EXPECT_EQ(places, menuless.contains(c.id) ? 0 : 1) << "command " << c.id;
        EXPECT_EQ(c.HasMenuItem(), !menuless.contains(c.id)) << "command " << c.id;
    }
    for (const MenuBarEntry& e : kMainMenu) {
        if (!e.IsPopup()) EXPECT_TRUE(IsCommand(e.id)) << e.text;
        for (CommandId item : e.items) EXPECT_TRUE(item == kMenuSeparator || IsCommand(item)) << item;
    }
}

// The numbers between the commands are checked against the table below; these lie outside
// the range, or alias a command in their low 16 bits.
TEST(CommandTable, NumbersOutsideTheRangeAreNone) {
    for (int number : {0, -1, -260, kFirstCommandId - 1, kLastCommandId + 1, 65536 + 260})
        EXPECT_FALSE(CommandFromNumber(number)) << number;
    EXPECT_FALSE(IsCommand(CommandId{}));
}

// A number from outside names a command exactly when a table row carries that number, and
// then names that row's command; the recent files' positions follow their numbers.
TEST(CommandTable, NumbersFromOutsideAgreeWithTheTable) {
    for (int number = kFirstCommandId - 2; number <= kLastCommandId + 2; ++number) {
        const CommandInfo* row = nullptr;
        for (const CommandInfo& c : kCommandTable)
            if (NumberOf(c.id) == number) row = &c;
        const std::optional<CommandId> id = CommandFromNumber(number);
        ASSERT_EQ(id.has_value(), row != nullptr) << number;
        if (!id) continue;
        EXPECT_EQ(*id, row->id) << number;
        EXPECT_EQ(NumberOf(*id), number);
        EXPECT_EQ(FindCommand(*id), row) << number;
        EXPECT_EQ(&kCommandTable[static_cast<std::size_t>(CommandIndex(*id))], row) << number;
        const bool recent = number >= 368 && number <= 383;
        EXPECT_EQ(RecentPositionOf(*id), recent ? number - 368 : -1) << number;
        if (recent) EXPECT_EQ(RecentFileCommand(number - 368), *id);
    }
}

TEST(CommandTable, EveryButtonHasItsToolTipAndNothingElseHasOne) {
    const std::map<int, std::string> tips = {
        {257, "Create a new file"}, {258, "Open an existing file"}, {260, "Save current file"},
        {273, "Show drawing tools"}, {274, "Fit image to window"}, {275, "View actual size"},
        {276, "Magnify by 2"}, {277, "Magnify by 4"}, {278, "Magnify by 8"},
        {288, "Undo last change"}, {289, "Cut to clipboard"}, {290, "Copy to clipboard"},
        {291, "Paste from clipboard"}, {292, "Adjust selection"}, {293, "Crop image"},
        {295, "Mark border"}, {296, "Restore selection"}, {297, "Unselect"},
        {304, "Rotate 90° clockwise"}, {305, "Rotate 90° counter clockwise"},
        {306, "Rotate 180°"}, {307, "Flip horizontal"}, {308, "Flip vertical"},
        {309, "Shift left"}, {310, "Shift right"}, {311, "Shift up"}, {312, "Shift down"},
        {320, "Change Pixels"}, {321, "Change All"}, {322, "Select Color"},
        {323, "Rectangular Selection"}, {324, "Rounded Rectangle Selection"},
        {325, "Elliptical Selection"}, {326, "Line Selection"}, {332, "Set Line Style"},
        {333, "Set Fill Style"}, {336, "Fill Line/Perimeter"}, {337, "Fill Solid"},
        {338, "Fill 2-Color"}, {339, "Fill Interior"}, {340, "Fill Exterior"}};
    std::size_t buttons = 0;
    for (const CommandInfo& c : kCommandTable) buttons += c.HasButton() ? 1 : 0;
    ASSERT_EQ(tips.size(), buttons);  // each button of the table has its text here
    for (int id = kFirstCommandId; id <= kLastCommandId; ++id) {
        const auto it = tips.find(id);
        const std::string expected = it == tips.end() ? "" : it->second;
        const std::optional<CommandId> command = CommandFromNumber(id);
        EXPECT_EQ(command ? std::string(ToolTipText(*command)) : "", expected) << id;
        if (command) {
            EXPECT_EQ(FindCommand(*command)->HasButton(), !expected.empty()) << id;
        }
    }
}

struct KeyCase {
    std::uint32_t key;
    int command;
};

class KeyTableTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTableTest, GivesItsCommand) {
    const std::optional<CommandId> command = CommandForKey(GetParam().key);
    EXPECT_EQ(command ? NumberOf(*command) : 0, GetParam().command) << std::hex << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTableTest,
    ::testing::Values(KeyCase{0x42, 295}, KeyCase{0x43, 290}, KeyCase{0x4A, 259},
                      KeyCase{0x4F, 258}, KeyCase{0x52, 296}, KeyCase{0x53, 260},
                      KeyCase{0x55, 297}, KeyCase{0x56, 291}, KeyCase{0x58, 289},
                      KeyCase{0x5A, 288}, KeyCase{0x70, 352}, KeyCase{0x74, 368},
                      // only the low byte of the code counts
                      KeyCase{0x143, 290}, KeyCase{0xFF5A, 288},
                      // not in the table: F2..F4, F6..F9, other letters, digits, small codes
                      KeyCase{0x71, 0}, KeyCase{0x73, 0}, KeyCase{0x75, 0}, KeyCase{0x78, 0},
                      KeyCase{0x41, 0}, KeyCase{0x44, 0}, KeyCase{0x59, 0}, KeyCase{0x30, 0},
                      KeyCase{0x63, 0}, KeyCase{0x00, 0}, KeyCase{0x0D, 0}, KeyCase{0x100, 0}));

TEST(KeyTable, HasTwelveKeysInCodeOrder) {
    ASSERT_EQ(kKeyTable.size(), 12u);
    for (std::size_t i = 1; i < kKeyTable.size(); ++i)
        EXPECT_LT(kKeyTable[i - 1].virtualKey, kKeyTable[i].virtualKey);
}

}  // namespace
}  // namespace rastrix
