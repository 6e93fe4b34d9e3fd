#include <gtest/gtest.h>

#include "app/CommandDispatch.h"
#include "app/CommandIds.h"
#include "draw/ColorBar.h"
#include "draw/Colors.h"
#include "DrawFixture.h"

namespace rastrix::test {
namespace {

class ColorBarTest : public DrawTest {
protected:
    void ShowBar(int clientWidth) {
        ed.frame.drawingToolsShown = true;
        OnFrameResize(ed.frame, ed.settings, SizeKind::Restored, clientWidth, 700);
    }
};

struct BarCase {
    int clientWidth;
    int swatchWidth;
};

class ColorBarWidths : public ColorBarTest, public ::testing::WithParamInterface<BarCase> {};

TEST_P(ColorBarWidths, TwentyFourSwatchesFillTheClientArea) {
    ShowBar(GetParam().clientWidth);
    const int sw = GetParam().swatchWidth;
    const Bitmap bar = RenderColorBar(ed);
    ASSERT_EQ(bar.Width(), 24 * sw);
    ASSERT_EQ(bar.Height(), 22);
    for (int i = 0; i < 24; ++i)
        for (int x : {i * sw, i * sw + sw - 1})
            for (int y : {0, 8, 21})
                ASSERT_EQ(bar.GetPixel(x, y), ed.settings.colorBarColors[std::size_t(i)]) << i << " at " << x << "," << y;
}

// Below 608 the swatch stays at its 8-pixel minimum.
INSTANTIATE_TEST_SUITE_P(ClientWidths, ColorBarWidths,
                         ::testing::Values(BarCase{600, 8}, BarCase{800, 16}, BarCase{1000, 24}));

TEST_F(ColorBarTest, HiddenBarRendersNothing) {
    ed.frame.drawingToolsShown = false;
    OnFrameResize(ed.frame, ed.settings, SizeKind::Restored, 1000, 700);
    EXPECT_TRUE(RenderColorBar(ed).IsEmpty());
    ColorBarButtonDown(ed, 5, 5, true);
    EXPECT_EQ(ed.settings.foreColor, kPen);
}

TEST_F(ColorBarTest, MovingOverSwatchesShowsTheirColours) {
    ShowBar(800);
    ColorBarMouseMove(ed, 3, 0);
    EXPECT_EQ(ed.status[1], "RGB=0,0,0");
    ColorBarMouseMove(ed, 16, 21);
    EXPECT_EQ(ed.status[1], "RGB=255,255,255");
    ColorBarMouseMove(ed, 47, 10);
    EXPECT_EQ(ed.status[1], "RGB=255,0,0");
    ColorBarMouseMove(ed, 24 * 16 - 1, 10);
    EXPECT_EQ(ed.status[1], "RGB=255,128,255");
    ColorBarMouseMove(ed, 24 * 16, 10);  // off the bar: left as it was
    EXPECT_EQ(ed.status[1], "RGB=255,128,255");
}

TEST_F(ColorBarTest, LeftClickSetsOnlyForeColorRightOnlyBackColor) {
    ShowBar(800);
    ColorBarButtonDown(ed, 16 * 17 + 3, 4, true);  // swatch 17: 255,128,0
    EXPECT_EQ(ed.settings.foreColor, RGB(255, 128, 0));
    EXPECT_EQ(ed.draw.foreSwatch, RGB(255, 128, 0));
    EXPECT_EQ(ed.settings.backColor, kInk);
    EXPECT_FALSE(ed.draw.backSwatch.has_value());

    ColorBarButtonDown(ed, 16 * 13, 4, false);  // swatch 13: 0,255,255
    EXPECT_EQ(ed.settings.backColor, RGB(0, 255, 255));
    EXPECT_EQ(ed.draw.backSwatch, RGB(0, 255, 255));
    EXPECT_EQ(ed.settings.foreColor, RGB(255, 128, 0));

    ColorBarButtonDown(ed, -1, 4, true);  // off the bar
    EXPECT_EQ(ed.settings.foreColor, RGB(255, 128, 0));
}

TEST_F(ColorBarTest, SwatchesSitOnePixelInsideTheirParts) {
    // 1024 wide: t = (1024 - 50) / 3 = 324, parts 2 and 3 span 648..673 and 673..698.
    OnFrameResize(ed.frame, ed.settings, SizeKind::Restored, 1024, 700);
    const int h = ed.frame.layout.statusBar.Height();
    EXPECT_EQ(SwatchRect(ed, 2), (Rect{649, 1, 672, h - 1}));
    EXPECT_EQ(SwatchRect(ed, 3), (Rect{674, 1, 697, h - 1}));
}

// A host whose colour dialog also edits the custom colours, as the user can.
class ColorDialogHost : public FakeHost {
public:
    std::optional<Color> ChooseColor(Color initial, std::array<Color, 16>& custom) override {
        custom[3] = RGB(1, 2, 3);
        return FakeHost::ChooseColor(initial, custom);
    }
};

class ColorDialogTest : public ::testing::Test {
protected:
    ColorDialogHost host;
    Editor ed{host};
};

TEST_F(ColorDialogTest, ConfirmedDialogSetsTheColourAndCustomColours) {
    ed.settings.foreColor = RGB(9, 9, 9);
    host.colorAnswers.push_back(RGB(10, 20, 30));
    ASSERT_TRUE(Dispatch(ed, IDM_FGCOLOR));
    EXPECT_EQ(host.colorRequests, std::vector<Color>{RGB(9, 9, 9)});
    EXPECT_EQ(ed.settings.foreColor, RGB(10, 20, 30));
    EXPECT_EQ(ed.draw.foreSwatch, RGB(10, 20, 30));
    EXPECT_EQ(ed.settings.customColors[3], RGB(1, 2, 3));
    EXPECT_EQ(ed.settings.backColor, RGB(255, 255, 255));
    EXPECT_FALSE(ed.draw.backSwatch.has_value());
}

TEST_F(ColorDialogTest, CancelKeepsTheColourAndRepaintsItsSwatch) {
    ed.settings.backColor = RGB(40, 50, 60);
    host.colorAnswers.push_back(std::nullopt);
    const auto revision = ed.draw.swatchRevision;
    ASSERT_TRUE(Dispatch(ed, IDM_BGCOLOR));
    EXPECT_EQ(host.colorRequests, std::vector<Color>{RGB(40, 50, 60)});
    EXPECT_EQ(ed.settings.backColor, RGB(40, 50, 60));
    EXPECT_EQ(ed.draw.backSwatch, RGB(40, 50, 60));
    EXPECT_GT(ed.draw.swatchRevision, revision);
    EXPECT_EQ(ed.settings.customColors[3], RGB(1, 2, 3));  // the dialog's edits stay either way
    EXPECT_EQ(BackBrush(ed), Brush::Solid(RGB(40, 50, 60)));
}

TEST(ColorText, ShowsRedGreenBlueOfTheColorValue) {
    EXPECT_EQ(ColorStatusText(RGB(255, 128, 0)), "RGB=255,128,0");
    EXPECT_EQ(ColorStatusText(0x00010203), "RGB=3,2,1");
}

}  // namespace
}  // namespace rastrix::test
