#include <gtest/gtest.h>

#include "app/FrameLayout.h"
#include "app/MessageRouting.h"

namespace rastrix {
namespace {

struct KeyCase {
    const char* name;
    VirtualKey key;
    bool ctrl;
    KeyRoute route;           // with an image window, focus outside the Adjust dialog
};

class KeyRouting : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyRouting, Route) {
    const KeyCase& c = GetParam();
    KeyPress p{c.key, c.ctrl, false, false, true};
    EXPECT_EQ(RouteKeyDown(p), c.route);
    p.imageWindowExists = false;  // navigation keys then go nowhere; nothing else changes
    EXPECT_EQ(RouteKeyDown(p), c.route == KeyRoute::ImageWindow ? KeyRoute::Dropped : c.route);
    p.adjustDialogHasFocus = true;  // the dialog takes every key itself
    EXPECT_EQ(RouteKeyDown(p), KeyRoute::AdjustDialog);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyRouting,
    ::testing::Values(KeyCase{"CtrlA", VK_A, true, KeyRoute::FrameShortcut},
                      KeyCase{"CtrlZ", VK_Z, true, KeyRoute::FrameShortcut},
                      KeyCase{"PlainC", 'C', false, KeyRoute::FocusFrame},
                      KeyCase{"F1", VK_F1, false, KeyRoute::FrameShortcut},
                      KeyCase{"F9", VK_F9, false, KeyRoute::FrameShortcut},
                      KeyCase{"F10", VK_F10, false, KeyRoute::Unchanged},  // works the menu
                      KeyCase{"F11", VK_F11, false, KeyRoute::FocusFrame},
                      KeyCase{"PageUp", VK_PRIOR, false, KeyRoute::ImageWindow},
                      KeyCase{"Home", VK_HOME, false, KeyRoute::ImageWindow},
                      KeyCase{"CtrlDown", VK_DOWN, true, KeyRoute::ImageWindow},
                      KeyCase{"Insert", VK_INSERT, false, KeyRoute::FocusFrame},
                      KeyCase{"Space", VK_SPACE, false, KeyRoute::FocusFrame},
                      KeyCase{"Digit0", VK_0, false, KeyRoute::FocusFrame},
                      KeyCase{"CtrlDigit9", VK_9, true, KeyRoute::FocusFrame},
                      KeyCase{"Escape", VK_ESCAPE, false, KeyRoute::Unchanged},
                      KeyCase{"Return", VK_RETURN, true, KeyRoute::Unchanged}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(KeyRoutingAlt, AltLettersWorkTheMenuUnlessCtrlIsDown) {
    EXPECT_EQ(RouteKeyDown({'O', false, true, false, true}), KeyRoute::Unchanged);
    EXPECT_EQ(RouteKeyDown({'O', true, true, false, true}), KeyRoute::FrameShortcut);
}

// ---- status bar ---------------------------------------------------------------------------

// An 800-pixel frame: parts end at 250, 500, 525, 550 and 800.
const std::array<int, 5> kEdges = StatusPartEdgesFor(800);

struct StatusCase {
    int x;
    int y;
    StatusHover hover;
    std::optional<std::uint16_t> click;
};

class StatusBarMouse : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusBarMouse, HoverAndClick) {
    const StatusCase& c = GetParam();
    EXPECT_EQ(StatusBarHover(kEdges, c.x, c.y), c.hover);
    EXPECT_EQ(StatusBarClickCommand(kEdges, c.x, c.y), c.click);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, StatusBarMouse,
    ::testing::Values(StatusCase{10, 10, StatusHover::Blank, std::nullopt},     // part 0
                      StatusCase{400, 10, StatusHover::Blank, std::nullopt},    // part 1
                      StatusCase{500, 10, StatusHover::Blank, std::nullopt},    // edge 1|2
                      StatusCase{501, 10, StatusHover::ForeSwatch, std::uint16_t{330}},
                      StatusCase{525, 10, StatusHover::Blank, std::nullopt},    // edge 2|3
                      StatusCase{526, 10, StatusHover::BackSwatch, std::uint16_t{331}},
                      StatusCase{549, 10, StatusHover::BackSwatch, std::uint16_t{331}},
                      StatusCase{550, 10, StatusHover::Blank, std::nullopt},    // edge 3|4
                      StatusCase{551, 10, StatusHover::Blank, std::uint16_t{292}},
                      StatusCase{799, 10, StatusHover::Blank, std::uint16_t{292}},
                      StatusCase{800, 10, StatusHover::Blank, std::nullopt},
                      StatusCase{510, 0, StatusHover::Blank, std::nullopt},     // top border row
                      StatusCase{510, 1, StatusHover::ForeSwatch, std::uint16_t{330}}));

TEST(StatusBarNarrowFrame, PartsKeepTheir480Layout) {
    // Below 480 the swatches stay at 286..336 even though the frame ends at 300.
    const std::array<int, 5> edges = StatusPartEdgesFor(300);
    EXPECT_EQ(StatusBarHover(edges, 290, 5), StatusHover::ForeSwatch);
    EXPECT_EQ(StatusBarClickCommand(edges, 320, 5), std::optional<std::uint16_t>{331});
    EXPECT_EQ(StatusBarClickCommand(edges, 340, 5), std::nullopt);  // beyond the frame's width
}

TEST(StatusHoverText, ShowsTheSwatchColourRedFirst) {
    const Color fore = RGB(1, 2, 3);
    const Color back = RGB(255, 128, 0);
    EXPECT_EQ(StatusHoverText(StatusHover::ForeSwatch, fore, back), "RGB=1,2,3");
    EXPECT_EQ(StatusHoverText(StatusHover::BackSwatch, fore, back), "RGB=255,128,0");
    EXPECT_EQ(StatusHoverText(StatusHover::Blank, fore, back), " ");
    EXPECT_EQ(FormatRgbText(RGB(255, 255, 255)), "RGB=255,255,255");
    EXPECT_EQ(FormatRgbText(RGB(0, 0, 0)), "RGB=0,0,0");
}

}  // namespace
}  // namespace rastrix
