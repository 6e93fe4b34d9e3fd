#include "document/Undo.h"
#include "editor/ImageStack.h"

#include <gtest/gtest.h>

#include "editor/CommandIds.h"
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
    MakeImage(4, 3, RGB(9, 9, 9));
    for (int i = 1; i <= 4; ++i) Edit(RGB(i, 0, 0));
    EXPECT_EQ(ed.settings.undoDepth, 3);
    EXPECT_EQ(CurrentImage(ed).GetPixel(0, 0), RGB(4, 0, 0));
    for (int i = 3; i >= 1; --i) {
        EXPECT_TRUE(MenuEnabled(IDM_UNDO));
        EXPECT_TRUE(ButtonEnabled(IDM_UNDO));
        Undo(ed);
        EXPECT_EQ(CurrentImage(ed).GetPixel(0, 0), RGB(i, 0, 0));
    }
    EXPECT_EQ(ed.settings.undoDepth, 0);
    EXPECT_FALSE(MenuEnabled(IDM_UNDO));
    EXPECT_FALSE(ButtonEnabled(IDM_UNDO));
    Undo(ed);  // nothing below level 0: the oldest kept version stays
    EXPECT_EQ(CurrentImage(ed).GetPixel(0, 0), RGB(1, 0, 0));
}

TEST_F(ImageStackTest, EditMarksModifiedAndUndoLeavesItModified) {
    MakeImage(4, 3, 0);
    ed.doc.currentPath = "/tmp/a.bmp";
    UpdateTitle(ed, true);
    const std::string caption = ed.doc.caption;
    EXPECT_FALSE(MenuEnabled(IDM_SAVE));
    Edit(RGB(1, 2, 3));
    EXPECT_EQ(ed.settings.modified, 1);
    EXPECT_TRUE(MenuEnabled(IDM_SAVE));
    EXPECT_TRUE(ButtonEnabled(IDM_SAVE));
    Undo(ed);
    EXPECT_EQ(ed.settings.modified, 1);
    EXPECT_TRUE(MenuEnabled(IDM_SAVE));
    EXPECT_EQ(ed.doc.caption, caption);
}

TEST_F(ImageStackTest, UndoOfASizeChangeRestoresTheSizeAndLaysOutAgain) {
    MakeImage(100, 80, RGB(1, 1, 1));
    LayoutImageWindow(ed);
    PushLevel(ed, Bitmap(50, 40, RGB(2, 2, 2)));
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
    MakeImage(6, 5, RGB(1, 1, 1));
    BeginSelection(ed);
    PushLevel(ed, Bitmap(20, 20, RGB(3, 3, 3)));
    ed.selection.rect = {0, 0, 20, 20};
    Undo(ed);  // back to the smaller level
    EXPECT_EQ(ed.selection.rect, (Rect{0, 0, 6, 5}));

    PushLevel(ed, Bitmap(20, 20, RGB(3, 3, 3)));
    EndSelection(ed);  // a kept rectangle is Restore Selection's to hold inside
    ed.selection.rect = {0, 0, 9, 9};
    Undo(ed);
    EXPECT_EQ(ed.selection.rect, (Rect{0, 0, 9, 9}));
}

TEST_F(ImageStackTest, UndoOfAPixelEditKeepsTheLayout) {
    MakeImage(100, 80, RGB(1, 1, 1));
    LayoutImageWindow(ed);
    ed.view.scrollOriginX = 7;  // a layout would recentre
    Edit(RGB(5, 5, 5));
    Undo(ed);
    EXPECT_EQ(ed.view.scrollOriginX, 7);
}

TEST_F(ImageStackTest, ClearBeforeAnyImageOnlyDisablesSaveAndUndo) {
    ClearImageStack(ed);
    EXPECT_EQ(ed.settings.undoDepth, 0);
    EXPECT_EQ(ed.settings.modified, 0);
    EXPECT_FALSE(MenuEnabled(IDM_SAVE));
    EXPECT_FALSE(MenuEnabled(IDM_UNDO));
    EXPECT_EQ(ed.doc.fileSize, 0u);
}

TEST_F(ImageStackTest, LevelsCostTheirPixelsAndNothingMore) {
    MakeImage(64, 32, 0);
    Edit(1);
    Edit(2);
    for (int i = 0; i <= ed.settings.undoDepth; ++i)
        EXPECT_EQ(ed.doc.stack.levels[i].ByteSize(), 64u * 32u * 4u);
    for (int i = ed.settings.undoDepth + 1; i < ImageStack::kLevels; ++i)
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

}  // namespace
}  // namespace rastrix
