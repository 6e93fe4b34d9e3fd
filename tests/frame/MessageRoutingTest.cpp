#include <gtest/gtest.h>

#include "frame/FrameLayout.h"
#include "frame/MessageRouting.h"

namespace rastrix {
namespace {

struct KeyCase {
    const char* name;
    KeyCode key;
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
    ::testing::Values(KeyCase{"CtrlA", Key::LetterA, true, KeyRoute::FrameShortcut},
                      KeyCase{"CtrlZ", Key::LetterZ, true, KeyRoute::FrameShortcut},
                      KeyCase{"PlainC", 'C', false, KeyRoute::FocusFrame},
                      KeyCase{"F1", Key::F1, false, KeyRoute::FrameShortcut},
                      KeyCase{"F9", Key::F9, false, KeyRoute::FrameShortcut},
                      KeyCase{"F10", Key::F10, false, KeyRoute::Unchanged},  // works the menu
                      KeyCase{"F11", Key::F11, false, KeyRoute::FocusFrame},
                      KeyCase{"PageUp", Key::PageUp, false, KeyRoute::ImageWindow},
                      KeyCase{"Home", Key::Home, false, KeyRoute::ImageWindow},
                      KeyCase{"CtrlDown", Key::Down, true, KeyRoute::ImageWindow},
                      KeyCase{"Insert", Key::Insert, false, KeyRoute::FocusFrame},
                      KeyCase{"Space", Key::Space, false, KeyRoute::FocusFrame},
                      KeyCase{"Digit0", Key::Digit0, false, KeyRoute::FocusFrame},
                      KeyCase{"CtrlDigit9", Key::Digit9, true, KeyRoute::FocusFrame},
                      KeyCase{"Escape", Key::Escape, false, KeyRoute::Unchanged},
                      KeyCase{"Return", Key::Return, true, KeyRoute::Unchanged}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(KeyRoutingAlt, AltLettersWorkTheMenuUnlessCtrlIsDown) {
    EXPECT_EQ(RouteKeyDown({'O', false, true, false, true}), KeyRoute::Unchanged);
    EXPECT_EQ(RouteKeyDown({'O', true, true, false, true}), KeyRoute::FrameShortcut);
}

}  // namespace
}  // namespace rastrix
