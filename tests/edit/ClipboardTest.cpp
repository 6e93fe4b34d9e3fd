#include "edit/Clipboard.h"

#include <gtest/gtest.h>

#include "frame/EditorEvents.h"

#include "EditFixture.h"
#include "document/Undo.h"
#include "frame/CommandDispatch.h"
#include "selection/Selection.h"
#include "selection/ShapeMask.h"

namespace rastrix {
namespace {

using test::FromLetters;
using test::Letters;
using test::LetterColor;

class ClipboardTest : public test::EditTest {
protected:
    ClipboardTest() {
        ed.settings.backColor = LetterColor('-');
        ed.clipboardHasBitmap = false;
    }
    std::string Clip() const { return host.clipboard ? Letters(host.clipboard->bitmap) : "(empty)"; }
    void PutOnClipboard(const char* rows, int depth = 24) { host.clipboard = ClipboardImage{FromLetters(rows), depth}; }
    // Paste into New File with a scripted answer to a save question, if one comes.
    void PasteNew(int answer) {
        host.messageAnswers = {answer};
        PasteClipboard(ed, CommandId::PasteIntoNewFile);
    }
};

struct CopyCase {
    std::optional<CommandId> shape;  // none: no selection
    Rect rect;
    const char* copied;
};

class CopyRegions : public ClipboardTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyRegions, CopyPutsTheRegionOnTheClipboardAndChangesNothingElse) {
    Load("abcde/fghij/klmno");
    if (GetParam().shape) Select(GetParam().rect, *GetParam().shape);
    CopySelection(ed, CommandId::Copy);
    EXPECT_EQ(Clip(), GetParam().copied);
    EXPECT_EQ(Shown(), "abcde/fghij/klmno");
    EXPECT_EQ(Depth(), 0);
    EXPECT_EQ(ed.doc.modified, 0);
    EXPECT_EQ(HasSelection(ed), GetParam().shape.has_value());
    EXPECT_TRUE(MenuEnabled(CommandId::Paste));
    EXPECT_TRUE(MenuEnabled(CommandId::PasteIntoNewFile));
    EXPECT_TRUE(ButtonEnabled(CommandId::Paste));
}

// The 5 x 3 ellipse is .PPP. / PPPPP / .PPP. : its four corners are outside.
INSTANTIATE_TEST_SUITE_P(Selections, CopyRegions,
                         ::testing::Values(CopyCase{CommandId::RectangleSelection, {1, 0, 4, 2}, "bcd/ghi"},
                                           CopyCase{CommandId::EllipseSelection, {0, 0, 5, 3}, "-bcd-/fghij/-lmn-"},
                                           CopyCase{CommandId::LineSelection, {1, 0, 4, 2}, "abcde/fghij/klmno"},
                                           CopyCase{std::nullopt, {}, "abcde/fghij/klmno"}));

// Larger shapes against the mask itself: Copy keeps exactly the pixels inside the shape, on a
// backColor surround, and Paste replaces exactly those.
TEST_F(ClipboardTest, CopyAndPasteFollowTheShapeOfRoundedRectanglesAndEllipses) {
    for (CommandId shape : {CommandId::RoundedRectangleSelection, CommandId::EllipseSelection}) {
        Bitmap image(30, 20);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x) image.SetPixel(x, y, ColorFromRgb(x, y, 7));
        Load(image);
        const Rect sel{3, 2, 27, 16};
        Select(sel, shape);
        CopySelection(ed, CommandId::Copy);
        const Bitmap copied = host.clipboard->bitmap;
        host.clipboard->bitmap.Fill(ColorFromRgb(1, 2, 3));
        PasteClipboard(ed, CommandId::Paste);
        const ShapeMask mask = BuildShapeMask(sel, shape);
        Bitmap wantCopy(sel.Width(), sel.Height()), wantImage = image;
        for (int y = 0; y < sel.Height(); ++y)
            for (int x = 0; x < sel.Width(); ++x) {
                const bool in = mask.IsInside(x, y);
                wantCopy.SetPixel(x, y, in ? ColorFromRgb(x + 3, y + 2, 7) : LetterColor('-'));
                if (in) wantImage.SetPixel(x + 3, y + 2, ColorFromRgb(1, 2, 3));
            }
        EXPECT_EQ(copied, wantCopy) << shape;
        EXPECT_EQ(CurrentImage(ed), wantImage) << shape;
    }
}

TEST_F(ClipboardTest, CutErasesTheWholeSelectionRectangleOnlyWhenThereIsOne) {
    CopySelection(ed, CommandId::Cut);  // no image: nothing happens
    EXPECT_EQ(Clip(), "(empty)");
    Load("abcde/fghij/klmno");
    Select({0, 0, 5, 3}, CommandId::EllipseSelection);
    CopySelection(ed, CommandId::Cut);
    EXPECT_EQ(Clip(), "-bcd-/fghij/-lmn-");
    EXPECT_EQ(Shown(), "-----/-----/-----");  // the corners outside the ellipse too
    EXPECT_FALSE(HasSelection(ed));
    EXPECT_FALSE(MenuEnabled(CommandId::Cut));
    EXPECT_EQ(Depth(), 1);
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_TRUE(ed.view.repaintNeeded);
    Undo(ed);
    EXPECT_EQ(Shown(), "abcde/fghij/klmno");
    // Without an active selection the kept rectangle is not erased; the whole image is copied.
    CopySelection(ed, CommandId::Cut);
    EXPECT_EQ(Clip(), "abcde/fghij/klmno");
    EXPECT_EQ(Shown(), "abcde/fghij/klmno");
    EXPECT_EQ(Depth(), 0);
}

// The bitmap goes to the region's top-left corner and is cut to the region; one too small leaves
// the rest of the region as it was. Each paste is one undo level and the selection stays.
TEST_F(ClipboardTest, PasteIsPlacedAtTheRegionsCornerAndCutToIt) {
    Load("abcde/fghij/klmno");
    PutOnClipboard("VWXYZ/STUVW");
    Select({1, 1, 3, 3});
    PasteClipboard(ed, CommandId::Paste);
    EXPECT_EQ(Shown(), "abcde/fVWij/kSTno");
    EXPECT_TRUE(HasSelection(ed));
    EXPECT_EQ(ed.doc.modified, 1);
    PutOnClipboard("Q");
    Select({2, 0, 5, 2});
    PasteClipboard(ed, CommandId::Paste);
    EXPECT_EQ(Shown(), "abQde/fVWij/kSTno");
    EndSelection(ed);
    PutOnClipboard("12345/67890/ABCDE");
    PasteClipboard(ed, CommandId::Paste);
    EXPECT_EQ(Shown(), "12345/67890/ABCDE");
    EXPECT_EQ(Depth(), 3);
    for (int i = 0; i < 3; ++i) Undo(ed);
    EXPECT_EQ(Shown(), "abcde/fghij/klmno");
}

TEST_F(ClipboardTest, PasteWithoutAnImageMakesUntitledOfTheClipboardsSizeAndDepth) {
    PutOnClipboard("abc/def", 8);
    PasteClipboard(ed, CommandId::Paste);
    EXPECT_EQ(Shown(), "abc/def");
    EXPECT_EQ(ed.doc.imageBitDepth, 8u);
    EXPECT_EQ(ed.doc.fileSize, 54u + 256 * 4 + 2 * 4);
    EXPECT_EQ(ed.doc.caption, "Rastrix - Untitled.bmp");
    EXPECT_EQ(ed.doc.needsSaveAs, 1);
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_EQ(Depth(), 0);
    EXPECT_TRUE(MenuEnabled(CommandId::RotateClockwise));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ClipboardTest, PasteIntoNewFileAsksFirstAndCancelKeepsEverything) {
    Load("abc/def");
    Select({0, 0, 2, 2});
    CopySelection(ed, CommandId::Cut);
    Select({1, 0, 3, 1});
    PutOnClipboard("wxyz/WXYZ", 32);
    PasteNew(DialogAnswer::Cancel);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "start.bmp has been modified.\nWould you like to save it?");
    EXPECT_EQ(Shown(), "--c/--f");
    EXPECT_EQ(Depth(), 1);
    EXPECT_TRUE(HasSelection(ed));
    EXPECT_EQ(ed.doc.currentPath, "/pictures/start.bmp");

    PasteNew(DialogAnswer::No);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(Shown(), "wxyz/WXYZ");
    EXPECT_EQ(Depth(), 0);
    EXPECT_FALSE(HasSelection(ed));
    EXPECT_EQ(ed.doc.imageBitDepth, 32u);
    EXPECT_EQ(ed.doc.currentPath, "Untitled.bmp");

    ed.doc.modified = 0;
    PasteNew(DialogAnswer::Cancel);  // unmodified: no question
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(ed.doc.modified, 1);
}

TEST_F(ClipboardTest, ClosedOrUnsuitableClipboardChangesNothing) {
    Load("abc/def");
    host.clipboardOpens = false;
    PutOnClipboard("xyz/xyz");
    for (CommandId id : {CommandId::Cut, CommandId::Copy, CommandId::Paste, CommandId::PasteIntoNewFile}) {
        host.messages.clear();
        EXPECT_TRUE(Dispatch(ed, id));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, "Cannot open Clipboard.");
        EXPECT_EQ(host.messages[0].caption, std::nullopt);
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Warning);
    }
    EXPECT_EQ(Clip(), "xyz/xyz");
    host.clipboardOpens = true;

    host.clipboard.reset();
    host.messages.clear();
    ed.view.repaintNeeded = false;
    PasteClipboard(ed, CommandId::Paste);
    EXPECT_TRUE(ed.view.repaintNeeded);
    EXPECT_TRUE(host.messages.empty());  // no picture at all: Paste is greyed, nothing to say
    host.clipboard = ClipboardImage{Bitmap(0, 0), 24};
    PasteClipboard(ed, CommandId::Paste);
    EXPECT_EQ(host.LastMessage()->text, kClipboardEmptyImageText);
    PutOnClipboard("xyz/xyz");
    host.clipboardReadable = false;
    for (CommandId id : {CommandId::Paste, CommandId::PasteIntoNewFile}) {
        host.messages.clear();
        PasteClipboard(ed, id);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, kClipboardUnreadableText);
    }
    host.clipboardReadable = true;
    host.clipboard = ClipboardImage{Bitmap(65536, 1), 24};
    PasteClipboard(ed, CommandId::PasteIntoNewFile);
    EXPECT_EQ(host.LastMessage()->text, kClipboardTooLargeText);
    EXPECT_EQ(Shown(), "abc/def");
    EXPECT_EQ(Depth(), 0);
    EXPECT_EQ(ed.doc.modified, 0);
}

// Pictures from other programs may have depths no bitmap file has; the new image counts them
// as the 24 bits it is shown and saved with.
TEST_F(ClipboardTest, PasteIntoNewFileKeepsFileDepthsAndCountsOthersAs24) {
    for (const auto& [given, kept] : {std::pair{1, 1}, {4, 4}, {8, 8}, {16, 24}, {24, 24}, {32, 32}, {48, 24},
                                      {64, 24}, {0, 24}, {-3, 24}}) {
        PutOnClipboard("ab/cd", given);
        PasteClipboard(ed, CommandId::PasteIntoNewFile);
        EXPECT_EQ(ed.doc.imageBitDepth, std::uint32_t(kept)) << given;
        EXPECT_EQ(Shown(), "ab/cd");
        ed.doc.modified = 0;
    }
}

TEST_F(ClipboardTest, PasteFollowsTheClipboardWhenItMayHaveChangedAndCanBeOpened) {
    PutOnClipboard("a");
    ClipboardMayHaveChanged(ed);
    EXPECT_TRUE(MenuEnabled(CommandId::PasteIntoNewFile));
    host.clipboard.reset();
    host.clipboardOpens = false;
    ClipboardMayHaveChanged(ed);
    EXPECT_TRUE(MenuEnabled(CommandId::PasteIntoNewFile));
    host.clipboardOpens = true;
    ClipboardMayHaveChanged(ed);
    EXPECT_FALSE(MenuEnabled(CommandId::Paste));
    EXPECT_FALSE(MenuEnabled(CommandId::PasteIntoNewFile));
    EXPECT_FALSE(ButtonEnabled(CommandId::Paste));
}

}  // namespace
}  // namespace rastrix
