#include <gtest/gtest.h>

#include "ViewPrinters.h"

#include "view/Layout.h"
#include "view/ViewCommands.h"

namespace rastrix {
namespace {

constexpr std::int32_t kTop = 30;
const ViewArea kArea{800, 600, kTop, 17, 17};

struct LayoutFixture : ::testing::Test {
    ViewState view;
    SettingsRecord settings;
    LayoutOutcome Layout(int w, int h, const ViewArea& area = kArea) {
        return LayoutImageWindow(view, settings, area, w, h);
    }
    void Command(std::int16_t id, int w, int h) { ASSERT_TRUE(RunViewCommand(id, view, settings, kArea, w, h)); }
    Rect Window() const { return view.ImageWindowRect(); }
};

TEST_F(LayoutFixture, FitEnlargesASmallImageByAWholeFactor) {
    settings.viewMode = kViewFit;
    EXPECT_EQ(Layout(100, 50), LayoutOutcome::Created);
    EXPECT_EQ(settings.zoomPercent, 700);
    EXPECT_EQ(Window(), (Rect{48, 123 + kTop, 48 + 704, 123 + kTop + 354}));
    EXPECT_EQ(view.vScrollReserve, 0);
    EXPECT_EQ(view.hScrollReserve, 0);
    EXPECT_FALSE(view.hScroll.shown);
    EXPECT_FALSE(view.vScroll.shown);
}

TEST_F(LayoutFixture, FitShrinksALargeImageBelowHundredPercent) {
    settings.viewMode = kViewFit;
    Layout(2000, 1000);
    EXPECT_EQ(settings.zoomPercent, 39);
    EXPECT_EQ(Window(), (Rect{8, 103 + kTop, 8 + 784, 103 + kTop + 394}));
    EXPECT_EQ(view.scrollOriginX, 0);
    EXPECT_EQ(view.scrollOriginY, 0);
}

TEST_F(LayoutFixture, ActualSizeThenTimesTwoKeepsTheCentre) {
    Layout(1000, 1000);
    EXPECT_EQ(Window(), (Rect{0, kTop, 800, kTop + 600}));
    EXPECT_EQ(view.scrollOriginX, 110);
    EXPECT_EQ(view.scrollOriginY, 210);
    EXPECT_EQ(view.hScroll, (ScrollBarState{0, 999, 779, 110, true}));

    SettingsRecord probe = settings;
    SaveViewCenter(view, probe);
    EXPECT_EQ(probe.savedCenterX, 499);
    EXPECT_EQ(probe.savedCenterY, 499);

    auto result = RunViewCommand(kViewZoom2, view, settings, kArea, 1000, 1000);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->modeChange, (ViewModeChange{kViewActual, kViewZoom2}));
    EXPECT_TRUE(result->invalidated);
    EXPECT_EQ(settings.zoomPercent, 200);
    EXPECT_EQ(Window(), (Rect{1, 1 + kTop, 1 + 797, 1 + kTop + 597}));
    EXPECT_EQ(view.scrollOriginX, 305);
    EXPECT_EQ(view.scrollOriginY, 355);
    EXPECT_EQ(settings.savedCenterX, 0);
    EXPECT_EQ(settings.savedCenterY, 0);

    // Back to actual size returns to the same view.
    Command(kViewActual, 1000, 1000);
    EXPECT_EQ(view.scrollOriginX, 110);
    EXPECT_EQ(view.scrollOriginY, 210);
}

TEST_F(LayoutFixture, ZoomingOutNearTheEdgeStopsAtTheLastFullView) {
    Command(kViewZoom8, 1000, 1000);
    ASSERT_EQ(view.visibleImageWidth, 97);
    view.scrollOriginX = 903;  // scrolled fully right: centre 951
    Command(kViewActual, 1000, 1000);
    EXPECT_EQ(view.scrollOriginX, 1000 - 779);  // 951 - 389 would show past the edge
}

TEST_F(LayoutFixture, ResizeAndRepeatedCommandRecentreOrKeepAsTheyShould) {
    Layout(1000, 1000);
    view.scrollOriginY = 0;
    Layout(1000, 1000);  // a frame resize: no saved centre, so centred again
    EXPECT_EQ(view.scrollOriginY, 210);

    view.scrollOriginY = 0;
    auto again = RunViewCommand(kViewActual, view, settings, kArea, 1000, 1000);
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->modeChange);
    EXPECT_TRUE(again->invalidated);
    EXPECT_EQ(view.scrollOriginY, 0);  // the saved centre (289) clamps to the top
}

TEST_F(LayoutFixture, SavedCentreOfZeroMeansNone) {
    Layout(1000, 1000);
    settings.savedCenterY = 0;
    settings.savedCenterX = 1;
    Layout(1000, 1000);
    EXPECT_EQ(view.scrollOriginY, 210);  // centred
    EXPECT_EQ(view.scrollOriginX, 0);    // 1 - 389 clamps to 0
}

TEST_F(LayoutFixture, HorizontalReserveCarriesIntoTheNextLayout) {
    settings.viewMode = kViewZoom2;
    settings.zoomPercent = 200;
    Layout(1000, 100);  // wide: horizontal bar
    ASSERT_EQ(view.hScrollReserve, 17);
    Layout(100, 1000);  // tall: the height is rounded with last layout's reserve
    EXPECT_EQ(view.imageWindowHeight, 576 + 17 + 4);
    EXPECT_EQ(view.imageWindowWidth, 200 + 17 + 4);
    EXPECT_EQ(view.hScrollReserve, 0);
}

TEST_F(LayoutFixture, NoImageChangesNothingAndLaterLayoutsMove) {
    EXPECT_EQ(Layout(0, 50), LayoutOutcome::Skipped);
    EXPECT_FALSE(view.imageWindowExists);
    auto result = RunViewCommand(kViewZoom4, view, settings, kArea, 0, 0);
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->invalidated);
    EXPECT_EQ(settings.zoomPercent, 400);
    EXPECT_EQ(settings.viewMode, kViewZoom4);
    EXPECT_EQ(Layout(10, 10), LayoutOutcome::Created);
    EXPECT_EQ(Layout(10, 10), LayoutOutcome::Moved);
    EXPECT_FALSE(RunViewCommand(279, view, settings, kArea, 10, 10));
}

TEST_F(LayoutFixture, CorruptStoredZoomFallsBackToTheViewsZoom) {
    settings.viewMode = kViewZoom2;
    settings.zoomPercent = 0;
    Layout(1000, 1000);
    EXPECT_EQ(settings.zoomPercent, 200);
}

TEST(FitZoom, NeverZeroForHugeImages) {
    EXPECT_EQ(ComputeFitZoom(kArea, 100000, 10), 1);
    EXPECT_EQ(ComputeFitZoom(ViewArea{0, -60, 30, 17, 17}, 100, 50), 1);
}

TEST_F(LayoutFixture, FitNeverScrollsEvenWhenATinyBandKeepsRoomForBars) {
    settings.viewMode = kViewFit;
    Layout(40000, 300, ViewArea{100, 3, 0, 17, 17});
    ASSERT_NE(view.hScrollReserve, 0);
    EXPECT_EQ(view.scrollOriginX, 0);  // the whole image is stretched in, from its left edge
    EXPECT_EQ(view.scrollOriginY, 0);
    EXPECT_FALSE(view.hScroll.shown);
}

// A minimised frame (empty or negative band) in every view, with small and huge images.
struct TinyBand {
    ViewArea area;
    std::int16_t mode;
    int width, height;
};
class TinyBandTest : public ::testing::TestWithParam<TinyBand> {};

TEST_P(TinyBandTest, GivesAPositiveZoomAndNoNegativeSizes) {
    const TinyBand p = GetParam();
    ViewState view;
    SettingsRecord settings;
    settings.viewMode = p.mode;
    settings.zoomPercent = ZoomForViewMode(p.mode) ? ZoomForViewMode(p.mode) : 100;
    LayoutImageWindow(view, settings, p.area, p.width, p.height);
    SaveViewCenter(view, settings);
    LayoutImageWindow(view, settings, p.area, p.width, p.height);
    EXPECT_GE(settings.zoomPercent, 1);
    EXPECT_GE(view.ImagePartWidth(), 0);
    EXPECT_GE(view.ImagePartHeight(), 0);
    EXPECT_GE(view.visibleImageWidth, 0);
    EXPECT_GE(view.visibleImageHeight, 0);
    EXPECT_GE(view.scrollOriginX, 0);
    EXPECT_GE(view.scrollOriginY, 0);
    EXPECT_LE(view.scrollOriginX, p.width);
    EXPECT_LE(view.scrollOriginY, p.height);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, TinyBandTest,
    ::testing::Values(TinyBand{{0, -60, 30, 17, 17}, kViewFit, 100, 50}, TinyBand{{0, 0, 0, 17, 17}, kViewFit, 1, 1},
                      TinyBand{{0, -60, 30, 17, 17}, kViewActual, 1000, 1000},
                      TinyBand{{0, -60, 30, 17, 17}, kViewZoom8, 1000, 1000},
                      TinyBand{{5, 5, 0, 17, 17}, kViewZoom2, 3, 3}, TinyBand{{3, 3, 0, 17, 17}, kViewFit, 40000, 2}));

// Magnified and cut, the image part is a whole number of image pixels on each scrolled axis.
struct Magnified {
    std::int16_t mode;
    ViewArea area;
};
class MagnifiedTest : public ::testing::TestWithParam<Magnified> {};

TEST_P(MagnifiedTest, CutImagePartIsAMultipleOfEight) {
    const Magnified p = GetParam();
    ViewState view;
    SettingsRecord settings;
    ASSERT_TRUE(RunViewCommand(p.mode, view, settings, p.area, 3000, 2000));
    const int zoom = settings.zoomPercent;
    EXPECT_EQ(view.ImagePartWidth() % 8, 0);
    EXPECT_EQ(view.ImagePartHeight() % 8, 0);
    EXPECT_EQ(view.visibleImageWidth * zoom / 100, view.ImagePartWidth());
    EXPECT_EQ(view.visibleImageHeight * zoom / 100, view.ImagePartHeight());
    EXPECT_LE(view.imageWindowWidth, p.area.viewAreaWidth);
    EXPECT_LE(view.imageWindowHeight, p.area.viewAreaHeight);
    EXPECT_GT(view.imageWindowWidth, p.area.viewAreaWidth - 8);
}

INSTANTIATE_TEST_SUITE_P(Layout, MagnifiedTest,
                         ::testing::Values(Magnified{kViewZoom2, {800, 600, 0, 17, 17}},
                                           Magnified{kViewZoom4, {801, 603, 0, 17, 17}},
                                           Magnified{kViewZoom8, {1023, 767, 0, 15, 15}},
                                           Magnified{kViewZoom8, {333, 222, 0, 17, 17}}));

}  // namespace
}  // namespace rastrix
