#include <gtest/gtest.h>

#include "app/FrameLayout.h"
#include "app/MessageRouting.h"

namespace rastrix {
namespace {

struct KeyCase {
    const char* name;
    KeyPress press;
    KeyRoute route;
};

KeyPress Key(VirtualKey key, bool ctrl = false) {
    KeyPress p;
    p.key = key;
    p.ctrlDown = ctrl;
    p.imageWindowExists = true;
    return p;
}
KeyPress InDialog(KeyPress p) {
    p.adjustDialogHasFocus = true;
    return p;
}
KeyPress NoImage(KeyPress p) {
    p.imageWindowExists = false;
    return p;
}
KeyPress WithAlt(KeyPress p) {
    p.altDown = true;
    return p;
}

class KeyRouting : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyRouting, Route) { EXPECT_EQ(RouteKeyDown(GetParam().press), GetParam().route); }

INSTANTIATE_TEST_SUITE_P(
    Table, KeyRouting,
    ::testing::Values(
        KeyCase{"CtrlC", Key('C', true), KeyRoute::FrameShortcut},
        KeyCase{"CtrlA", Key(VK_A, true), KeyRoute::FrameShortcut},
        KeyCase{"CtrlZ", Key(VK_Z, true), KeyRoute::FrameShortcut},
        KeyCase{"PlainC", Key('C'), KeyRoute::FocusFrame},
        KeyCase{"PlainZ", Key(VK_Z), KeyRoute::FocusFrame},
        KeyCase{"F1", Key(VK_F1), KeyRoute::FrameShortcut},
        KeyCase{"F5", Key(VK_F5), KeyRoute::FrameShortcut},
        KeyCase{"F9", Key(VK_F9), KeyRoute::FrameShortcut},
        KeyCase{"CtrlF9", Key(VK_F9, true), KeyRoute::FrameShortcut},
        KeyCase{"F10", Key(VK_F10), KeyRoute::Unchanged},  // works the menu
        KeyCase{"F11", Key(VK_F11), KeyRoute::FocusFrame},
        KeyCase{"F12", Key(VK_F12), KeyRoute::FocusFrame},
        KeyCase{"PageUp", Key(VK_PRIOR), KeyRoute::ImageWindow},
        KeyCase{"PageDown", Key(VK_NEXT), KeyRoute::ImageWindow},
        KeyCase{"End", Key(VK_END), KeyRoute::ImageWindow},
        KeyCase{"Home", Key(VK_HOME), KeyRoute::ImageWindow},
        KeyCase{"Left", Key(VK_LEFT), KeyRoute::ImageWindow},
        KeyCase{"Up", Key(VK_UP), KeyRoute::ImageWindow},
        KeyCase{"Right", Key(VK_RIGHT), KeyRoute::ImageWindow},
        KeyCase{"Down", Key(VK_DOWN, true), KeyRoute::ImageWindow},
        KeyCase{"DownNoImage", NoImage(Key(VK_DOWN)), KeyRoute::Dropped},
        KeyCase{"HomeNoImage", NoImage(Key(VK_HOME)), KeyRoute::Dropped},
        KeyCase{"Insert", Key(VK_INSERT), KeyRoute::FocusFrame},  // just past the navigation keys
        KeyCase{"Space", Key(VK_SPACE), KeyRoute::FocusFrame},
        KeyCase{"Digit0", Key(VK_0), KeyRoute::FocusFrame},
        KeyCase{"Digit9Ctrl", Key(VK_9, true), KeyRoute::FocusFrame},
        KeyCase{"Numpad5", Key(VK_NUMPAD0 + 5), KeyRoute::FocusFrame},
        KeyCase{"Escape", Key(VK_ESCAPE), KeyRoute::Unchanged},
        KeyCase{"Return", Key(VK_RETURN), KeyRoute::Unchanged},
        KeyCase{"Tab", Key(VK_TAB), KeyRoute::Unchanged},
        KeyCase{"CtrlKey", Key(VK_CONTROL, true), KeyRoute::Unchanged},
        KeyCase{"AltO", WithAlt(Key('O')), KeyRoute::Unchanged},
        KeyCase{"CtrlAltO", WithAlt(Key('O', true)), KeyRoute::FrameShortcut},
        KeyCase{"DialogCtrlC", InDialog(Key('C', true)), KeyRoute::AdjustDialog},
        KeyCase{"DialogPlainC", InDialog(Key('C')), KeyRoute::AdjustDialog},
        KeyCase{"DialogF1", InDialog(Key(VK_F1)), KeyRoute::AdjustDialog},
        KeyCase{"DialogUp", InDialog(Key(VK_UP)), KeyRoute::AdjustDialog},
        KeyCase{"DialogDigit", InDialog(Key('5')), KeyRoute::AdjustDialog},
        KeyCase{"DialogSpace", InDialog(Key(VK_SPACE)), KeyRoute::AdjustDialog}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

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
                      StatusCase{250, 10, StatusHover::Blank, std::nullopt},    // edge 0|1
                      StatusCase{400, 10, StatusHover::Blank, std::nullopt},    // part 1
                      StatusCase{500, 10, StatusHover::Blank, std::nullopt},    // edge 1|2
                      StatusCase{501, 10, StatusHover::ForeSwatch, std::uint16_t{330}},
                      StatusCase{524, 10, StatusHover::ForeSwatch, std::uint16_t{330}},
                      StatusCase{525, 10, StatusHover::Blank, std::nullopt},    // edge 2|3
                      StatusCase{526, 10, StatusHover::BackSwatch, std::uint16_t{331}},
                      StatusCase{549, 10, StatusHover::BackSwatch, std::uint16_t{331}},
                      StatusCase{550, 10, StatusHover::Blank, std::nullopt},    // edge 3|4
                      StatusCase{551, 10, StatusHover::Blank, std::uint16_t{292}},
                      StatusCase{799, 10, StatusHover::Blank, std::uint16_t{292}},
                      StatusCase{800, 10, StatusHover::Blank, std::nullopt},
                      StatusCase{510, 0, StatusHover::Blank, std::nullopt},     // top border row
                      StatusCase{600, 0, StatusHover::Blank, std::nullopt},
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
