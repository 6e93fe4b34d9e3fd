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
        return RelayoutImageWindow(view, settings, area, w, h);
    }
    void Command(ViewMode mode, int w, int h) { RunViewCommand(mode, view, settings, kArea, w, h); }
    Point Origin() const { return {view.scrollOriginX, view.scrollOriginY}; }
};

TEST_F(LayoutFixture, FitEnlargesByAWholeFactorOrShrinksBelowHundred) {
    settings.viewMode = StoredViewMode(ViewMode::Fit);
    EXPECT_EQ(Layout(100, 50), LayoutOutcome::Created);
    EXPECT_EQ(settings.zoomPercent, 700);
    EXPECT_EQ(view.ImageWindowRect(), (Rect{48, 123 + kTop, 48 + 704, 123 + kTop + 354}));
    EXPECT_EQ(view.vScrollReserve + view.hScrollReserve, 0);
    EXPECT_FALSE(view.hScroll.shown || view.vScroll.shown);

    EXPECT_EQ(Layout(2000, 1000), LayoutOutcome::Moved);
    EXPECT_EQ(settings.zoomPercent, 39);
    EXPECT_EQ(view.ImageWindowRect(), (Rect{8, 103 + kTop, 8 + 784, 103 + kTop + 394}));
    EXPECT_EQ(Origin(), (Point{0, 0}));

    // The height limits a tall image: (600 - 8) * 100 / 2000, not the width's (800 - 8) * 100 / 300.
    EXPECT_EQ(Layout(300, 2000), LayoutOutcome::Moved);
    EXPECT_EQ(settings.zoomPercent, 29);
    EXPECT_EQ(view.ImageWindowRect(), (Rect{354, 8 + kTop, 354 + 91, 8 + kTop + 584}));
    // And a short, narrow one enlarges by what the height allows: 592 / 90 = 6 whole times.
    EXPECT_EQ(Layout(100, 90), LayoutOutcome::Moved);
    EXPECT_EQ(settings.zoomPercent, 600);
}

TEST_F(LayoutFixture, ActualSizeThenTimesTwoKeepsTheCentre) {
    Layout(1000, 1000);
    EXPECT_EQ(view.ImageWindowRect(), (Rect{0, kTop, 800, kTop + 600}));
    EXPECT_EQ(Origin(), (Point{110, 210}));
    EXPECT_EQ(view.hScroll, (ScrollBarState{0, 999, 779, 110, true}));

    ViewState probe = view;
    SaveViewCenter(probe, settings);
    EXPECT_EQ((Point{probe.savedCenterX, probe.savedCenterY}), (Point{499, 499}));

    auto result = RunViewCommand(ViewMode::Zoom2, view, settings, kArea, 1000, 1000);
    EXPECT_EQ(result.modeChange, (ViewModeChange{ViewMode::Actual, ViewMode::Zoom2}));
    EXPECT_TRUE(result.invalidated);
    EXPECT_EQ(settings.zoomPercent, 200);
    EXPECT_EQ(view.ImageWindowRect(), (Rect{1, 1 + kTop, 1 + 797, 1 + kTop + 597}));
    EXPECT_EQ(Origin(), (Point{305, 355}));
    EXPECT_EQ((Point{view.savedCenterX, view.savedCenterY}), (Point{0, 0}));

    Command(ViewMode::Actual, 1000, 1000);  // and back to the same view
    EXPECT_EQ(Origin(), (Point{110, 210}));
}

TEST_F(LayoutFixture, SavedCentreNearTheEdgeStopsAtTheLastFullView) {
    Command(ViewMode::Zoom8, 1000, 1000);
    ASSERT_EQ(view.visibleImageWidth, 97);
    view.scrollOriginX = 903;  // fully right: centre 951
    Command(ViewMode::Actual, 1000, 1000);
    EXPECT_EQ(view.scrollOriginX, 1000 - 779);  // 951 - 389 would show past the edge
}

TEST_F(LayoutFixture, ResizeRecentresButARepeatedCommandKeepsTheCentre) {
    Layout(1000, 1000);
    view.scrollOriginY = 0;
    Layout(1000, 1000);
    EXPECT_EQ(view.scrollOriginY, 210);

    view.scrollOriginY = 0;
    auto again = RunViewCommand(ViewMode::Actual, view, settings, kArea, 1000, 1000);
    EXPECT_FALSE(again.modeChange);
    EXPECT_TRUE(again.invalidated);
    EXPECT_EQ(view.scrollOriginY, 0);  // saved centre 289 clamps to the top

    view.savedCenterX = 1;  // a saved centre of 0 means none: that axis is centred
    Layout(1000, 1000);
    EXPECT_EQ(Origin(), (Point{0, 210}));
}

TEST_F(LayoutFixture, ImagesWiderThan32767PixelsKeepTheirCentre) {
    Layout(40000, 100);
    EXPECT_EQ(view.scrollOriginX, (40000 - 796) / 2);
    Command(ViewMode::Zoom2, 40000, 100);
    EXPECT_EQ(view.scrollOriginX, 20000 - 396 / 2);  // centre 398 + 19602
}

TEST_F(LayoutFixture, HorizontalReserveCarriesIntoTheNextLayout) {
    settings.viewMode = StoredViewMode(ViewMode::Zoom2);
    settings.zoomPercent = 200;
    Layout(1000, 100);
    ASSERT_EQ(view.hScrollReserve, 17);
    Layout(100, 1000);  // the height is rounded with the last layout's reserve
    EXPECT_EQ(view.imageWindowHeight, 576 + 17 + 4);
    EXPECT_EQ(view.imageWindowWidth, 200 + 17 + 4);
    EXPECT_EQ(view.hScrollReserve, 0);
}

TEST_F(LayoutFixture, WithoutImageCommandsOnlyChangeTheView) {
    EXPECT_EQ(Layout(0, 50), LayoutOutcome::Skipped);
    auto result = RunViewCommand(ViewMode::Zoom4, view, settings, kArea, 0, 0);
    EXPECT_FALSE(result.invalidated || view.imageWindowExists);
    EXPECT_EQ(settings.zoomPercent, 400);
    EXPECT_EQ(settings.viewMode, StoredViewMode(ViewMode::Zoom4));
    EXPECT_FALSE(ViewModeFromStored(279));  // the number after x8 is no view
}

TEST_F(LayoutFixture, ZoomIsNeverZero) {
    EXPECT_EQ(ComputeFitZoom(kArea, 100000, 10), 1);
    settings.viewMode = StoredViewMode(ViewMode::Zoom2);
    settings.zoomPercent = 0;  // a corrupt stored zoom
    Layout(1000, 1000);
    EXPECT_EQ(settings.zoomPercent, 200);
}

TEST_F(LayoutFixture, FitNeverScrollsEvenWhenATinyBandKeepsRoomForBars) {
    settings.viewMode = StoredViewMode(ViewMode::Fit);
    Layout(40000, 300, ViewArea{100, 3, 0, 17, 17});
    ASSERT_NE(view.hScrollReserve, 0);
    EXPECT_EQ(Origin(), (Point{0, 0}));  // the whole image is stretched in from its corner
}

// A minimised frame (empty or negative band) in every view, with small and huge images.
struct TinyBand {
    ViewArea area;
    ViewMode mode;
    int width, height;
};
class TinyBandTest : public ::testing::TestWithParam<TinyBand> {};

TEST_P(TinyBandTest, GivesAPositiveZoomAndNoNegativeSizes) {
    const TinyBand p = GetParam();
    ViewState view;
    SettingsRecord settings;
    RunViewCommand(p.mode, view, settings, p.area, p.width, p.height);
    RunViewCommand(p.mode, view, settings, p.area, p.width, p.height);
    EXPECT_GE(settings.zoomPercent, 1);
    EXPECT_GE(std::min({view.ImagePartWidth(), view.ImagePartHeight(), view.visibleImageWidth,
                        view.visibleImageHeight, view.scrollOriginX, view.scrollOriginY}),
              0);
    EXPECT_LE(view.scrollOriginX, p.width);
    EXPECT_LE(view.scrollOriginY, p.height);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, TinyBandTest,
    ::testing::Values(TinyBand{{0, -60, 30, 17, 17}, ViewMode::Fit, 100, 50}, TinyBand{{0, 0, 0, 17, 17}, ViewMode::Fit, 1, 1},
                      TinyBand{{0, -60, 30, 17, 17}, ViewMode::Actual, 1000, 1000},
                      TinyBand{{0, -60, 30, 17, 17}, ViewMode::Zoom8, 1000, 1000},
                      TinyBand{{5, 5, 0, 17, 17}, ViewMode::Zoom2, 3, 3}, TinyBand{{3, 3, 0, 17, 17}, ViewMode::Fit, 40000, 2}));

// Magnified and cut, the image part is a whole number of image pixels on both axes.
class MagnifiedTest : public ::testing::TestWithParam<std::pair<ViewMode, ViewArea>> {};

TEST_P(MagnifiedTest, CutImagePartIsAMultipleOfEight) {
    const auto [mode, area] = GetParam();
    ViewState view;
    SettingsRecord settings;
    RunViewCommand(mode, view, settings, area, 3000, 2000);
    EXPECT_EQ(view.ImagePartWidth() % 8 + view.ImagePartHeight() % 8, 0);
    EXPECT_EQ(view.visibleImageWidth * settings.zoomPercent / 100, view.ImagePartWidth());
    EXPECT_EQ(view.visibleImageHeight * settings.zoomPercent / 100, view.ImagePartHeight());
    EXPECT_LE(view.imageWindowWidth, area.viewAreaWidth);
    EXPECT_GT(view.imageWindowWidth, area.viewAreaWidth - 8);
}

INSTANTIATE_TEST_SUITE_P(Layout, MagnifiedTest,
                         ::testing::Values(std::pair{ViewMode::Zoom2, ViewArea{800, 600, 0, 17, 17}},
                                           std::pair{ViewMode::Zoom4, ViewArea{801, 603, 0, 17, 17}},
                                           std::pair{ViewMode::Zoom8, ViewArea{1023, 767, 0, 15, 15}}));

}  // namespace
}  // namespace rastrix
