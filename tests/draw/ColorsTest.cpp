#include <gtest/gtest.h>

#include "draw/ColorBar.h"
#include "draw/Colors.h"
#include "editor/CommandIds.h"
#include "frame/CommandDispatch.h"
#include "DrawFixture.h"
#include "frame/FrameSizing.h"

namespace rastrix::test {
namespace {

class ColorBarTest : public DrawTest {
protected:
    void ShowBar(int clientWidth, bool shown = true) {
        ed.frame.drawingToolsShown = shown;
        OnFrameResize(ed.frame, SizeKind::Restored, clientWidth, 700);
    }
};

// Below 608 the swatch stays at its 8-pixel minimum.
class ColorBarWidths : public ColorBarTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(ColorBarWidths, TwentyFourSwatchesFillTheClientArea) {
    const auto [clientWidth, sw] = GetParam();
    ShowBar(clientWidth);
    const Bitmap bar = RenderColorBar(ed);
    ASSERT_EQ(bar.Width(), 24 * sw);
    ASSERT_EQ(bar.Height(), 22);
    for (int i = 0; i < 24; ++i)
        for (int x : {i * sw, i * sw + sw - 1})
            for (int y : {0, 21}) ASSERT_EQ(bar.GetPixel(x, y), kColorBarColors[std::size_t(i)]) << x;
}

INSTANTIATE_TEST_SUITE_P(ClientWidths, ColorBarWidths,
                         ::testing::Values(std::pair{600, 8}, std::pair{800, 16}, std::pair{1000, 24}));

TEST_F(ColorBarTest, MovesShowTheSwatchColorAndClicksTakeIt) {
    ShowBar(800);
    const std::pair<int, const char*> moves[] = {
        {3, "RGB=0,0,0"}, {16, "RGB=255,255,255"}, {47, "RGB=255,0,0"}, {383, "RGB=255,128,255"}, {384, "RGB=255,128,255"}};
    for (auto [x, text] : moves) {
        ColorBarMouseMove(ed, x, 20);
        EXPECT_EQ(ed.pointerStatus, text) << x;  // off the bar (384) the text stays
    }
    ColorBarButtonDown(ed, 16 * 17 + 3, 4, true);  // swatch 17: 255,128,0
    ColorBarButtonDown(ed, -1, 4, true);           // off the bar: nothing
    EXPECT_EQ(ed.settings.foreColor, ColorFromRgb(255, 128, 0));
    EXPECT_EQ(ed.draw.foreSwatch, ColorFromRgb(255, 128, 0));
    EXPECT_FALSE(ed.draw.backSwatch.has_value());
    ColorBarButtonDown(ed, 16 * 13, 4, false);  // swatch 13: 0,255,255
    EXPECT_EQ(ed.settings.backColor, ColorFromRgb(0, 255, 255));
    EXPECT_EQ(ed.draw.backSwatch, ColorFromRgb(0, 255, 255));
    EXPECT_EQ(ed.settings.foreColor, ColorFromRgb(255, 128, 0));
}

TEST_F(ColorBarTest, SwatchesSitInsideTheirPartsAndAHiddenBarTakesNothing) {
    ShowBar(1024);  // t = (1024 - 50) / 3 = 324: parts 648..673 and 673..698
    const int h = ed.frame.layout.statusBar.Height();
    EXPECT_EQ(SwatchRect(ed, 2), (Rect{649, 1, 672, h - 1}));
    EXPECT_EQ(SwatchRect(ed, 3), (Rect{674, 1, 697, h - 1}));
    ShowBar(1024, false);
    EXPECT_TRUE(RenderColorBar(ed).IsEmpty());
    ColorBarButtonDown(ed, 5, 5, true);
    EXPECT_EQ(ed.settings.foreColor, kPen);
}

// The user also edits the custom colours in the dialog, confirmed or not.
class ColorDialogHost : public FakeHost {
public:
    std::optional<Color> ChooseColor(Color initial, std::array<Color, 16>& custom) override {
        custom[3] = ColorFromRgb(1, 2, 3);
        return FakeHost::ChooseColor(initial, custom);
    }
};

TEST(ColorDialog, OkSetsTheColorCancelKeepsItBothRepaintTheSwatch) {
    ColorDialogHost host;
    Editor ed{host};
    ed.settings.foreColor = ColorFromRgb(9, 9, 9);
    ed.settings.backColor = ColorFromRgb(40, 50, 60);
    host.colorAnswers = {ColorFromRgb(10, 20, 30), std::nullopt};
    ASSERT_TRUE(Dispatch(ed, CommandId::SetForegroundColor));
    EXPECT_EQ(ed.settings.foreColor, ColorFromRgb(10, 20, 30));
    EXPECT_EQ(ed.draw.foreSwatch, ColorFromRgb(10, 20, 30));
    EXPECT_FALSE(ed.draw.backSwatch.has_value());
    ASSERT_TRUE(Dispatch(ed, CommandId::SetBackgroundColor));
    EXPECT_EQ(host.colorRequests, (std::vector<Color>{ColorFromRgb(9, 9, 9), ColorFromRgb(40, 50, 60)}));
    EXPECT_EQ(ed.settings.backColor, ColorFromRgb(40, 50, 60));
    EXPECT_EQ(ed.draw.backSwatch, ColorFromRgb(40, 50, 60));
    EXPECT_EQ(ed.settings.customColors[3], ColorFromRgb(1, 2, 3));
    EXPECT_EQ(ColorStatusText(Color{0x00010203}), "RGB=3,2,1");
}

}  // namespace
}  // namespace rastrix::test
