// The image window as the user sees it: the rendered surface, the scroll limits and the
// status texts shown with it.
#include <gtest/gtest.h>

#include "editor/CommandIds.h"
#include "editor/ImageStack.h"
#include "frame/CommandDispatch.h"
#include "frame/EditorEvents.h"
#include "frame/ShownStatus.h"
#include "support/EditorFixture.h"
#include "view/EditorView.h"

namespace rastrix {
namespace {

// Every pixel distinct in its row and column, so an off-by-one in the mapping shows.
Bitmap Gradient(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, ColorFromRgb(std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y)));
    return b;
}

class ImageWindowPaintTest : public test::EditorTest {
protected:
    void Show(Bitmap image, std::uint32_t depth = 24) {
        ClearImageStack(ed);
        SetBaseLevel(ed, std::move(image));
        ed.doc.imageBitDepth = depth;
        ed.doc.fileSize = 1;
        LayoutImageWindow(ed);
        PaintImageWindow(ed);
    }
    // The surface pixel at (sx, sy) shows image pixel (sx * 100 / zoom + origin) on each axis.
    void ExpectMapping(int zoom) {
        const Bitmap& img = CurrentImage(ed);
        ASSERT_GT(ed.surface.Width(), 0);
        for (int sy = 0; sy < ed.surface.Height(); sy += 3)
            for (int sx = 0; sx < ed.surface.Width(); sx += 3) {
                const int ix = sx * 100 / zoom + ed.view.scrollOriginX;
                const int iy = sy * 100 / zoom + ed.view.scrollOriginY;
                if (ix >= img.Width() || iy >= img.Height()) continue;
                ASSERT_EQ(ed.surface.GetPixel(sx, sy), img.GetPixel(ix, iy)) << sx << "," << sy;
            }
    }
};

TEST_F(ImageWindowPaintTest, ActualSizeIsAOneToOneCopy) {
    Show(Gradient(200, 150));
    EXPECT_EQ(ed.surface.Width(), 200);
    EXPECT_EQ(ed.surface.Height(), 150);
    ExpectMapping(100);
    EXPECT_EQ(ShownStatus(ed)[0], "200W x 150H, 24 bits per pixel, 100%");
    EXPECT_EQ(ShownStatus(ed)[4], " ");
}

TEST_F(ImageWindowPaintTest, MagnifiedPixelsAreSquareBlocks) {
    Show(Gradient(200, 150), 8);
    for (CommandId id : {CommandId::Magnify2, CommandId::Magnify4, CommandId::Magnify8}) {
        Dispatch(ed, id);
        PaintImageWindow(ed);
        const int zoom = ed.settings.zoomPercent;
        SCOPED_TRACE(zoom);
        EXPECT_EQ(zoom, id == CommandId::Magnify2 ? 200 : id == CommandId::Magnify4 ? 400 : 800);
        ExpectMapping(zoom);
        EXPECT_EQ(ShownStatus(ed)[0], "200W x 150H, 8 bits per pixel, " + std::to_string(zoom) + "%");
        EXPECT_TRUE(ShownCommandStates(ed).MenuItem(id)->checked);
        EXPECT_FALSE(ShownCommandStates(ed).MenuItem(CommandId::ActualSize)->checked);
    }
}

TEST_F(ImageWindowPaintTest, ScrollingMovesTheOriginOnePixelAndStopsAtTheEnd) {
    Show(Gradient(1000, 1000));
    Dispatch(ed, CommandId::Magnify2);
    PaintImageWindow(ed);
    const int maxX = 1000 - ed.view.visibleImageWidth;
    ed.view.scrollOriginX = maxX - 1;
    ImageScroll(ed, ScrollBarKind::Horizontal, ScrollRequest::LineForward, 0);
    EXPECT_EQ(ed.view.scrollOriginX, maxX);
    EXPECT_EQ(ed.view.hScroll.position, maxX);  // the bar follows before any paint
    ImageScroll(ed, ScrollBarKind::Horizontal, ScrollRequest::LineForward, 0);
    EXPECT_EQ(ed.view.scrollOriginX, maxX);  // at the end
    PaintImageWindow(ed);
    ExpectMapping(200);
    ed.view.scrollOriginY = 0;
    ed.view.repaintNeeded = false;
    ImageScroll(ed, ScrollBarKind::Vertical, ScrollRequest::LineBack, 0);
    EXPECT_EQ(ed.view.scrollOriginY, 0);
    EXPECT_FALSE(ed.view.repaintNeeded);  // nothing moved, nothing to repaint
}

TEST_F(ImageWindowPaintTest, FitReducesByAveragingAndShowsNoScrollBars) {
    // Left half red, right half blue: the reduced picture keeps both, mixed only at the seam.
    Bitmap img(2000, 1000, ColorFromRgb(255, 0, 0));
    for (int y = 0; y < 1000; ++y)
        for (int x = 1000; x < 2000; ++x) img.SetPixel(x, y, ColorFromRgb(0, 0, 255));
    Show(std::move(img));
    Dispatch(ed, CommandId::FitToWindow);
    PaintImageWindow(ed);
    const int zoom = ed.settings.zoomPercent;
    EXPECT_LT(zoom, 100);
    EXPECT_GT(zoom, 0);
    EXPECT_FALSE(ed.view.hScroll.shown);
    EXPECT_FALSE(ed.view.vScroll.shown);
    const int w = ed.surface.Width();
    EXPECT_EQ(ed.surface.GetPixel(2, 5), ColorFromRgb(255, 0, 0));
    EXPECT_EQ(ed.surface.GetPixel(w - 3, 5), ColorFromRgb(0, 0, 255));
    const Color seam = ed.surface.GetPixel(w / 2, 5);
    EXPECT_TRUE(seam == ColorFromRgb(255, 0, 0) || seam == ColorFromRgb(0, 0, 255) ||
                (RedOf(seam) > 0 && BlueOf(seam) > 0));
}

TEST_F(ImageWindowPaintTest, MouseShowsThePixelAndItsColorInPartOne) {
    Bitmap img(20, 20, ColorFromRgb(0, 0, 0));
    img.SetPixel(5, 7, ColorFromRgb(255, 128, 0));
    Show(std::move(img));
    ImageMouseMove(ed, 5, 7, false, false);
    EXPECT_EQ(ed.pointerStatus, "Pos=5,7;  RGB=255,128,0");
    Dispatch(ed, CommandId::Magnify2);
    ImageMouseMove(ed, 11, 15, false, false);  // 200 %: window (11,15) is image (5,7)
    EXPECT_EQ(ed.pointerStatus, "Pos=5,7;  RGB=255,128,0");
}

TEST_F(ImageWindowPaintTest, APenStrokeKeepsThePressTextUntilTheButtonIsReleased) {
    Show(Bitmap(20, 20, ColorFromRgb(255, 255, 255)));
    Dispatch(ed, CommandId::Pen);
    Dispatch(ed, CommandId::Magnify8);
    ImageButtonDown(ed, 3, 3, true);
    EXPECT_EQ(ed.pointerStatus, "Pos=0,0;  RGB=0,0,0");
    ImageMouseMove(ed, 10 * 8 + 3, 3 * 8 + 3, true, false);
    EXPECT_EQ(CurrentImage(ed).GetPixel(10, 3), ColorFromRgb(0, 0, 0));  // the stroke drew
    EXPECT_EQ(ed.pointerStatus, "Pos=0,0;  RGB=0,0,0");
    ImageButtonUp(ed, true);
    ImageMouseMove(ed, 11 * 8 + 3, 3 * 8 + 3, false, false);
    EXPECT_EQ(ed.pointerStatus, "Pos=11,3;  RGB=255,255,255");
}

TEST_F(ImageWindowPaintTest, NothingIsPaintedBeforeAnImageExists) {
    PaintImageWindow(ed);
    EXPECT_TRUE(ed.surface.IsEmpty());
    ImageMouseMove(ed, 3, 3, false, false);
    EXPECT_EQ(ed.pointerStatus, "");
}

}  // namespace
}  // namespace rastrix
