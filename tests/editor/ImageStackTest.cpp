#include "document/Undo.h"
#include "editor/ImageStack.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "editor/CommandIds.h"
#include "raster/Bands.h"
#include "raster/PixelPool.h"
#include "selection/Selection.h"
#include "support/EditorFixture.h"
#include "view/EditorView.h"

namespace rastrix {
namespace {

class ImageStackTest : public test::EditorTest {
protected:
    // An image as Open leaves it: one level, unmodified.
    void MakeImage(int w, int h, Color c) {
        ClearImageStack(ed);
        SetBaseLevel(ed, Bitmap(w, h, c));
        ed.doc.fileSize = 1000;
    }
    // One edit: a copy of the top level with one pixel set.
    void Edit(Color c) {
        ASSERT_TRUE(PushCopy(ed));
        CurrentImage(ed).SetPixel(0, 0, c);
    }
};

TEST_F(ImageStackTest, ThreeUndoStepsAfterFourEditsAndTheFirstVersionIsGone) {
    MakeImage(4, 3, ColorFromRgb(9, 9, 9));
    for (int i = 1; i <= 4; ++i) Edit(ColorFromRgb(i, 0, 0));
    EXPECT_EQ(ed.doc.undoDepth, 3);
    EXPECT_EQ(CurrentImage(ed).GetPixel(0, 0), ColorFromRgb(4, 0, 0));
    for (int i = 3; i >= 1; --i) {
        EXPECT_TRUE(MenuEnabled(CommandId::Undo));
        EXPECT_TRUE(ButtonEnabled(CommandId::Undo));
        Undo(ed);
        EXPECT_EQ(CurrentImage(ed).GetPixel(0, 0), ColorFromRgb(i, 0, 0));
    }
    EXPECT_EQ(ed.doc.undoDepth, 0);
    EXPECT_FALSE(MenuEnabled(CommandId::Undo));
    EXPECT_FALSE(ButtonEnabled(CommandId::Undo));
    Undo(ed);  // nothing below level 0: the oldest kept version stays
    EXPECT_EQ(CurrentImage(ed).GetPixel(0, 0), ColorFromRgb(1, 0, 0));
}

TEST_F(ImageStackTest, EditMarksModifiedAndUndoLeavesItModified) {
    MakeImage(4, 3, Color{0});
    ed.doc.currentPath = "/tmp/a.bmp";
    UpdateTitle(ed, true);
    const std::string caption = ed.doc.caption;
    EXPECT_FALSE(MenuEnabled(CommandId::Save));
    Edit(ColorFromRgb(1, 2, 3));
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_TRUE(MenuEnabled(CommandId::Save));
    EXPECT_TRUE(ButtonEnabled(CommandId::Save));
    Undo(ed);
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_TRUE(MenuEnabled(CommandId::Save));
    EXPECT_EQ(ed.doc.caption, caption);
}

TEST_F(ImageStackTest, UndoOfASizeChangeRestoresTheSizeAndLaysOutAgain) {
    MakeImage(100, 80, ColorFromRgb(1, 1, 1));
    LayoutImageWindow(ed);
    PushLevel(ed, Bitmap(50, 40, ColorFromRgb(2, 2, 2)));
    EXPECT_EQ(ed.doc.imageWidth, 50);
    EXPECT_EQ(ed.doc.imageHeight, 40);
    LayoutImageWindow(ed);
    const int smallWindowWidth = ed.view.imageWindowWidth;
    ed.view.repaintNeeded = false;
    Undo(ed);
    EXPECT_EQ(ed.doc.imageWidth, 100);
    EXPECT_EQ(ed.doc.imageHeight, 80);
    EXPECT_EQ(CurrentImage(ed).Width(), 100);
    EXPECT_TRUE(ed.view.repaintNeeded);
    EXPECT_GT(ed.view.imageWindowWidth, smallWindowWidth);  // laid out again for the larger image
}

TEST_F(ImageStackTest, AnActiveSelectionStaysInsideWhenUndoChangesTheSize) {
    MakeImage(6, 5, ColorFromRgb(1, 1, 1));
    BeginSelection(ed);
    PushLevel(ed, Bitmap(20, 20, ColorFromRgb(3, 3, 3)));
    ed.selection.rect = {0, 0, 20, 20};
    Undo(ed);  // back to the smaller level
    EXPECT_EQ(ed.selection.rect, (Rect{0, 0, 6, 5}));

    PushLevel(ed, Bitmap(20, 20, ColorFromRgb(3, 3, 3)));
    EndSelection(ed);  // a kept rectangle is Restore Selection's to hold inside
    ed.selection.rect = {0, 0, 9, 9};
    Undo(ed);
    EXPECT_EQ(ed.selection.rect, (Rect{0, 0, 9, 9}));
}

TEST_F(ImageStackTest, UndoOfAPixelEditKeepsTheLayout) {
    MakeImage(100, 80, ColorFromRgb(1, 1, 1));
    LayoutImageWindow(ed);
    ed.view.scrollOriginX = 7;  // a layout would recentre
    Edit(ColorFromRgb(5, 5, 5));
    Undo(ed);
    EXPECT_EQ(ed.view.scrollOriginX, 7);
}

TEST_F(ImageStackTest, ClearBeforeAnyImageOnlyDisablesSaveAndUndo) {
    ClearImageStack(ed);
    EXPECT_EQ(ed.doc.undoDepth, 0);
    EXPECT_EQ(ed.doc.modified, 0);
    EXPECT_FALSE(MenuEnabled(CommandId::Save));
    EXPECT_FALSE(MenuEnabled(CommandId::Undo));
    EXPECT_EQ(ed.doc.fileSize, 0u);
}

TEST_F(ImageStackTest, LevelsCostTheirPixelsAndNothingMore) {
    MakeImage(64, 32, Color{0});
    Edit(Color{1});
    Edit(Color{2});
    for (int i = 0; i <= ed.doc.undoDepth; ++i)
        EXPECT_EQ(ed.doc.stack.levels[i].ByteSize(), 64u * 32u * 4u);
    for (int i = ed.doc.undoDepth + 1; i < ImageStack::kLevels; ++i)
        EXPECT_EQ(ed.doc.stack.levels[i].ByteSize(), 0u);
}

TEST_F(ImageStackTest, CaptionShowsTheSizeWithThousandsSeparators) {
    ed.doc.currentPath = "/pics/cat.bmp";
    ed.doc.fileSize = 1234567;
    UpdateTitle(ed, true);
    EXPECT_EQ(ed.doc.caption, "Rastrix - /pics/cat.bmp  1,234,567 bytes");
    EXPECT_EQ(ed.doc.currentPath.substr(ed.doc.fileTitle), "cat.bmp");
    ed.doc.fileSize = 999;
    UpdateTitle(ed, true);
    EXPECT_EQ(ed.doc.caption, "Rastrix - /pics/cat.bmp  999 bytes");
    ed.doc.currentPath = "Untitled.bmp";
    UpdateTitle(ed, false);
    EXPECT_EQ(ed.doc.caption, "Rastrix - Untitled.bmp");
    EXPECT_EQ(ed.doc.fileTitle, 0u);
}

// Levels of 1600 x 1400 (9 MB) come from the shared pool of large blocks, as a photograph's do.
class ImageStackMemoryTest : public ImageStackTest {
protected:
    static constexpr int kW = 1600, kH = 1400;
    PixelPool& pool = PixelPool::Shared();

    ImageStackMemoryTest() { pool.FreeKept(); }
    ~ImageStackMemoryTest() override { pool.SetHeldCeiling(static_cast<std::size_t>(-1)); }

    // A quarter turn as Rotate makes it: a level of the turned size, written, then pushed.
    bool Turn(Color mark) {
        const Bitmap& top = CurrentImage(ed);
        std::optional<Bitmap> level = AllocateLevel(ed, top.Height(), top.Width(), Bitmap::NewPixels::Unset);
        if (!level) return false;
        level->Fill(mark);
        PushLevel(ed, std::move(*level));
        return true;
    }
    // What the user could get back: each level's size and first pixel.
    std::vector<std::tuple<int, int, Color>> Levels() const {
        std::vector<std::tuple<int, int, Color>> seen;
        for (int i = 0; i <= ed.doc.undoDepth; ++i) {
            const Bitmap& b = ed.doc.stack.levels[i];
            seen.emplace_back(b.Width(), b.Height(), b.GetPixel(0, 0));
        }
        return seen;
    }
};

TEST_F(ImageStackMemoryTest, TurnsNeverHoldMoreThanFourLevelsAndASpare) {
    MakeImage(kW, kH, ColorFromRgb(1, 1, 1));
    for (int i = 0; i < 8; ++i) {
        const std::size_t freshBefore = pool.Counters().fresh;
        ASSERT_TRUE(Turn(ColorFromRgb(0, 0, i)));
        EXPECT_LE(ed.doc.undoDepth, ImageStack::kLevels - 1);
        // On a full stack the dropped level's memory is the new one's: nothing fresh is got.
        if (i >= 3) {
            EXPECT_EQ(pool.Counters().fresh, freshBefore) << "turn " << i;
        }
        PrepareSpareLevel(ed);
        pool.WaitUntilPrepared();
        EXPECT_LE(pool.Counters().Held(), std::size_t(ImageStack::kLevels + 1)) << "turn " << i;
    }
    EXPECT_EQ(CurrentImage(ed).GetPixel(0, 0), ColorFromRgb(0, 0, 7));
    // Undo gives levels to the pool; the pushes after it take them back instead of fresh ones.
    Undo(ed);
    Undo(ed);
    const std::size_t freshBefore = pool.Counters().fresh;
    Edit(ColorFromRgb(9, 9, 9));
    ASSERT_TRUE(Turn(ColorFromRgb(8, 8, 8)));
    EXPECT_EQ(pool.Counters().fresh, freshBefore);
    EXPECT_LE(pool.Counters().Held(), std::size_t(ImageStack::kLevels + 1));
}

// After an open the levels the stack may still grow by are made ready at once, and the turns
// after it take them: no turn waits for memory from the system, and no more is held than four
// levels and a spare.
TEST_F(ImageStackMemoryTest, AnOpenImagePreparesTheLevelsItsUndoDepthAllows) {
    MakeImage(kW, kH, ColorFromRgb(1, 1, 1));
    PrepareSpareLevel(ed);
    pool.WaitUntilPrepared();
    EXPECT_EQ(pool.Counters().kept, std::size_t(ImageStack::kLevels));
    const std::size_t freshAtOpen = pool.Counters().fresh;
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(Turn(ColorFromRgb(0, 0, i)));
        PrepareSpareLevel(ed);
        EXPECT_EQ(pool.Counters().fresh, freshAtOpen) << "turn " << i;
        EXPECT_GE(pool.Counters().kept, 1u) << "turn " << i;  // a spare stays for the next command
        EXPECT_LE(pool.Counters().Held(), std::size_t(ImageStack::kLevels + 1)) << "turn " << i;
    }
    pool.WaitUntilPrepared();
}

// The copy that an edit in place starts from is made in bands across threads: it is the level
// below, pixel for pixel, however many threads share it.
TEST_F(ImageStackMemoryTest, ACopyInBandsIsTheLevelBelow) {
    Bitmap noise(kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) noise.Row(y)[x] = Pixel{std::uint32_t(x * 7919 + y * 104729) & 0x00FFFFFFu};
    for (int threads : {1, 2, 3}) {
        const BandLimit limit(threads);
        ClearImageStack(ed);
        SetBaseLevel(ed, noise);
        ed.doc.fileSize = 1000;
        ASSERT_TRUE(PushCopy(ed));
        ASSERT_EQ(CurrentImage(ed), noise) << threads << " threads";
    }
}

TEST_F(ImageStackMemoryTest, AFailedAllocationLeavesTheStackAsItWas) {
    MakeImage(kW, kH, ColorFromRgb(1, 1, 1));
    Edit(ColorFromRgb(2, 0, 0));
    pool.SetHeldCeiling(pool.Counters().Held());  // no more memory to be had
    const auto before = Levels();
    EXPECT_FALSE(Turn(ColorFromRgb(3, 0, 0)));
    EXPECT_FALSE(PushCopy(ed));
    EXPECT_EQ(Levels(), before);
    EXPECT_EQ(ed.doc.imageWidth, kW);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, kOutOfMemoryText);

    // A full stack still turns (the oldest level's memory is reused) but cannot grow.
    pool.SetHeldCeiling(static_cast<std::size_t>(-1));
    Edit(ColorFromRgb(4, 0, 0));
    Edit(ColorFromRgb(5, 0, 0));
    pool.SetHeldCeiling(pool.Counters().Held());
    const auto full = Levels();
    EXPECT_FALSE(AllocateLevel(ed, kW * 2, kH));
    EXPECT_EQ(Levels(), full);
    ASSERT_TRUE(Turn(ColorFromRgb(6, 0, 0)));
    EXPECT_EQ(ed.doc.undoDepth, ImageStack::kLevels - 1);
    EXPECT_EQ(Levels().front(), full[1]);
    EXPECT_EQ(CurrentImage(ed).GetPixel(0, 0), ColorFromRgb(6, 0, 0));
}

TEST_F(ImageStackMemoryTest, AnImageOfAnotherSizeGivesTheKeptMemoryBack) {
    MakeImage(kW, kH, ColorFromRgb(1, 1, 1));
    Edit(ColorFromRgb(2, 2, 2));
    Edit(ColorFromRgb(3, 3, 3));
    ClearImageStack(ed);  // the levels go to the pool, of use to an image of the same size
    EXPECT_EQ(pool.Counters().kept, 3u);
    MakeImage(kW / 2, kH / 2, ColorFromRgb(4, 4, 4));  // small: an ordinary allocation
    PrepareSpareLevel(ed);
    EXPECT_EQ(pool.Counters().kept, 0u);
    MakeImage(kW * 2, kH, ColorFromRgb(5, 5, 5));
    EXPECT_EQ(pool.Counters().Held(), 1u);
}

}  // namespace
}  // namespace rastrix
