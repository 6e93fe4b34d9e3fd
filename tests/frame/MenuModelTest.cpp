#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editor/CommandTable.h"
#include "frame/MenuModel.h"
#include "frame/ToolBarTables.h"

namespace rastrix {
namespace {

// The pop-up's items as their texts, "-" for a separator.
std::vector<std::string> ItemTexts(const MenuBarEntry& popup) {
    std::vector<std::string> out;
    for (CommandId id : popup.items) {
        const CommandInfo* c = FindCommand(id);
        out.push_back(id == kMenuSeparator ? "-" : c ? std::string(c->menuText) : "?");
    }
    return out;
}

// The texts of the items the menus have always had, pinned by the callers, then a separator and
// the items of the commands added to that pop-up in the command list's order (a newcomer's
// command among them needs no change here).
std::vector<std::string> WithAdded(std::vector<std::string> older, Popup popup) {
    bool first = true;
    for (const CommandInfo& c : kCommandTable) {
        if (c.addedTo != popup) continue;
        if (first) older.push_back("-");
        first = false;
        older.emplace_back(c.menuText);
    }
    return older;
}

TEST(MainMenu, HasFivePopupsThenExitOnTheBar) {
    ASSERT_EQ(kMainMenu.size(), 6u);
    const char* titles[] = {"&File", "&View", "&Edit", "&Tools", "&Help"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(std::string(kMainMenu[i].text), titles[i]);
        EXPECT_TRUE(kMainMenu[i].IsPopup());
    }
    EXPECT_FALSE(kMainMenu[5].IsPopup());
    EXPECT_EQ(NumberOf(kMainMenu[5].id), 271);
    EXPECT_EQ(std::string(kMainMenu[5].text), "E&xit");
    EXPECT_TRUE(kMainMenu[5].items.empty());
}

TEST(MainMenu, FilePopupHasTheSixteenRecentFilesThenExportForDevice) {
    std::vector<std::string> expected = {"&New", "&Open\tCtrl+O", "&Join Files\tCtrl+J",
                                         "&Save\tCtrl+S", "S&ave As", "-"};
    for (int k = 0; k < 10; ++k) expected.push_back("Recent File &" + std::to_string(k));
    for (int k = 10; k < 16; ++k) expected.push_back("Recent File " + std::to_string(k));
    // The newer items come after the older ones, which keep their places.
    EXPECT_EQ(ItemTexts(kMainMenu[0]), WithAdded(expected, Popup::File));
    ASSERT_GE(kMainMenu[0].items.size(), 24u);
    EXPECT_EQ(NumberOf(kMainMenu[0].items[21]), 383);
    EXPECT_EQ(kMainMenu[0].items[23], CommandId::ExportForDevice);
}

TEST(MainMenu, ViewEditToolsAndHelpItemsInOrder) {
    EXPECT_EQ(ItemTexts(kMainMenu[1]), WithAdded({"Show Drawing Tools", "-", "&Fit to Window", "&Actual Size",
                                                  "x&2", "x&4", "x&8"},
                                                 Popup::View));
    EXPECT_EQ(ItemTexts(kMainMenu[2]),
              WithAdded({
                  "&Undo\tCtrl+Z", "&Copy\tCtrl+C", "C&ut\tCtrl+X", "&Paste\tCtrl+V",
                  "&Paste into New File", "-", "Change Image Size", "-", "Adjust Selection",
                  "C&rop", "Mark &Border\tCtrl+B", "Restore Selction\tCtrl+R",
                  "&Unselect\tCtrl+U", "-", "Rotate 90° clockwise",
                  "Rotate 90° counter clockwise", "Rotate 180°", "Flip horizontal",
                  "Flip vertical", "-", "Shift left", "Shift right", "Shift up",
                  "Shift down"},
                  Popup::Edit));
    // Scale Image and Reduce Colours were the first items added to it.
    ASSERT_GE(kMainMenu[2].items.size(), 27u);
    EXPECT_EQ(kMainMenu[2].items[25], CommandId::ScaleImage);
    EXPECT_EQ(kMainMenu[2].items[26], CommandId::ReduceColors);
    EXPECT_EQ(ItemTexts(kMainMenu[3]),
              WithAdded({
                  "&Pen", "&Bucket", "Pick Color", "&Rectangle", "Rounded Rectangle",
                  "&Ellipse", "&Line", "-", "Set &Foreground Color", "Set &Background Color",
                  "Set Line Style", "Set Fill Style", "-", "Fill Line/Perimeter", "Fill Solid",
                  "Fill 2-Color", "Fill Interior", "Fill Exterior"},
                  Popup::Tools));
    EXPECT_EQ(ItemTexts(kMainMenu[4]),
              WithAdded({"&Contents\tF1", "&Shortcut Keys", "&Visit Website", "-", "&About..."}, Popup::Help));
}

struct BarCase {
    const char* name;
    ToolBarKind bar;
    std::vector<int> ids;  // 0 for a separator
    std::vector<int> images;
    int imageCount;
};

void PrintTo(const BarCase& c, std::ostream* os) { *os << c.name; }

class ToolBarTableTest : public ::testing::TestWithParam<BarCase> {};

TEST_P(ToolBarTableTest, EntriesInOrderWithSeparators) {
    const BarCase& c = GetParam();
    const auto buttons = ToolBarButtons(c.bar);
    ASSERT_EQ(buttons.size(), c.ids.size());
    std::set<int> images;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ToolBarButton& b = buttons[i];
        EXPECT_EQ(NumberOf(b.id), c.ids[i]) << "entry " << i;
        EXPECT_EQ(b.image, c.images[i]) << "entry " << i;
        if (c.ids[i] == 0) {
            EXPECT_EQ(b, (ToolBarButton{0, CommandId{}, 4, kSeparator})) << "entry " << i;
        } else {
            EXPECT_EQ(b.style, kPushButton);
            EXPECT_EQ(b.state, FindCommand(b.id)->buttonState);
            EXPECT_LT(b.image, c.imageCount);
            EXPECT_TRUE(images.insert(b.image).second) << "image used twice: " << b.image;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bars, ToolBarTableTest,
    ::testing::Values(
        BarCase{"Main",
                ToolBarKind::Main,
                {0, 257, 258, 260, 0, 273, 0, 274, 275, 276, 277, 278, 0, 288, 289, 290, 291,
                 0, 292, 293, 295, 296, 297, 0, 304, 305, 306, 307, 308, 0, 309, 310, 311, 312},
                {0, 0, 1, 2, 0, 4, 0, 5, 6, 7, 8, 9, 0, 10, 11, 12, 13,
                 0, 14, 15, 16, 17, 18, 0, 19, 20, 21, 22, 23, 0, 24, 25, 26, 27},
                28},
        BarCase{"Drawing",
                ToolBarKind::Drawing,
                {0, 320, 321, 322, 323, 324, 325, 326, 0, 332, 333, 0, 336, 337, 338, 339, 340},
                {0, 0, 1, 2, 3, 4, 5, 6, 0, 7, 8, 0, 9, 10, 11, 12, 13},
                14}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToolBarTables, CountsAndStartStates) {
    EXPECT_EQ(kMainToolBarButtons.size(), 34u);
    EXPECT_EQ(kDrawingToolBarButtons.size(), 17u);
    // Only Paste, Adjust Selection and the non-editing buttons start enabled on the main bar.
    std::vector<int> enabled;
    for (const ToolBarButton& b : kMainToolBarButtons)
        if (!b.IsSeparator() && b.state == ButtonBits::Enabled) enabled.push_back(NumberOf(b.id));
    EXPECT_EQ(enabled, (std::vector<int>{257, 258, 273, 274, 275, 276, 277, 278, 291, 292}));
    std::vector<int> indeterminate;
    for (const ToolBarButton& b : kDrawingToolBarButtons)
        if (b.state == ButtonBits::Indeterminate) indeterminate.push_back(NumberOf(b.id));
    EXPECT_EQ(indeterminate, (std::vector<int>{336, 337, 338, 339, 340}));
    EXPECT_TRUE(ToolBarButtons(ToolBarKind::None).empty());
}

}  // namespace
}  // namespace rastrix
