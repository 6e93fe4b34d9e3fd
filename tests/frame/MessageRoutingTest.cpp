#include <gtest/gtest.h>

#include "frame/FrameLayout.h"
#include "frame/MessageRouting.h"

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

}  // namespace
}  // namespace rastrix
