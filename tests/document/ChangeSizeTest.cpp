// Edit > Change Image Size: the canvas grows or shrinks at the bottom and right, one Undo back.
#include <gtest/gtest.h>

#include "document/ChangeSize.h"
#include "document/ChangeSizeDialog.h"
#include "document/NewImageDialog.h"
#include "document/NewImageTestSupport.h"
#include "selection/Selection.h"

namespace rastrix {
namespace {

using testing::AllOf;
using testing::Part;
using testing::Pattern;
using testing::Snapshot;
using testing::TypeSize;

constexpr Color kBack = ColorFromRgb(250, 5, 90);

class ChangeSizeTest : public test::EditorTest {
protected:
    // A 100 x 80 image of distinct pixels, unmodified.
    ChangeSizeTest() {
        host.modalScripts.push_back(TypeSize("100", "80"));
        Dispatch(ed, CommandId::New);
        CurrentImage(ed) = Pattern(100, 80);
        ed.settings.backColor = kBack;
    }
};

TEST_F(ChangeSizeTest, DialogShowsTheCurrentSize) {
    ChangeSizeDialog d(ed, 100, 80);
    EXPECT_EQ(d.Template().name, "CHGSIZE");
    EXPECT_EQ(d.Template().caption, "Change File Size");
    EXPECT_EQ(d.Text(132), "100");
    EXPECT_EQ(d.Text(133), "80");
    EXPECT_EQ(d.Text(101), "Image Width:");
    d.Command(DialogAnswer::Cancel);
    EXPECT_EQ(d.Result(), 0);
}

TEST_F(ChangeSizeTest, ShrinkingKeepsTheTopLeftAndUndoBringsBackTheWhole) {
    const std::string caption = ed.doc.caption;
    ed.selection.rect = {30, 20, 90, 70};
    BeginSelection(ed);
    host.modalScripts.push_back(TypeSize("50", "40"));
    Dispatch(ed, CommandId::ChangeImageSize);
    EXPECT_EQ(CurrentImage(ed), Pattern(50, 40));
    EXPECT_EQ(ed.doc.imageWidth, 50);
    EXPECT_EQ(ed.doc.undoDepth, 1);
    EXPECT_EQ(ed.doc.modified, 1);
    EXPECT_TRUE(MenuEnabled(CommandId::Undo));
    EXPECT_EQ(ed.doc.caption, caption);
    EXPECT_EQ(ed.doc.imageBitDepth, 4u);
    EXPECT_TRUE(HasSelection(ed));
    EXPECT_EQ(ed.selection.rect, (Rect{30, 20, 50, 40}));  // held inside the smaller image
    Dispatch(ed, CommandId::Undo);
    EXPECT_EQ(CurrentImage(ed), Pattern(100, 80));
    EXPECT_EQ(ed.doc.imageWidth, 100);
    EXPECT_EQ(ed.doc.imageHeight, 80);
}

TEST_F(ChangeSizeTest, GrowingFillsTheNewBandsWithTheBackgroundColor) {
    host.modalScripts.push_back(TypeSize("150", "100"));
    Dispatch(ed, CommandId::ChangeImageSize);
    const Bitmap& image = CurrentImage(ed);
    ASSERT_EQ(image.Width(), 150);
    ASSERT_EQ(image.Height(), 100);
    EXPECT_EQ(Part(image, 0, 0, 100, 80), Pattern(100, 80));
    EXPECT_TRUE(AllOf(image, {100, 0, 150, 100}, kBack));
    EXPECT_TRUE(AllOf(image, {0, 80, 150, 100}, kBack));
}

class ChangeSizeRefusalTest : public ChangeSizeTest,
                              public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(ChangeSizeRefusalTest, TellsWhyAndLeavesTheImage) {
    const auto before = Snapshot(ed);
    bool stayedOpen = false;
    host.modalScripts.push_back(TypeSize(GetParam().first, GetParam().second, 0, &stayedOpen));
    Dispatch(ed, CommandId::ChangeImageSize);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Rastrix");
    EXPECT_EQ(Snapshot(ed), before);
    EXPECT_FALSE(MenuEnabled(CommandId::Undo));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ChangeSizeRefusalTest,
                         ::testing::Values(std::pair{"0", "40"}, std::pair{"", "40"}, std::pair{"40", ""},
                                           std::pair{"65536", "10"}, std::pair{"10", "70000"},
                                           std::pair{"30000", "30000"}));

TEST_F(ChangeSizeTest, NoSizeAtAllInBothFieldsIsCancel) {
    const auto before = Snapshot(ed);
    for (const auto& [w, h] : {std::pair{"", ""}, std::pair{"0", "0"}, std::pair{"0", ""}, std::pair{"x", "00"}}) {
        bool stayedOpen = true;
        host.modalScripts.push_back(TypeSize(w, h, 0, &stayedOpen));
        Dispatch(ed, CommandId::ChangeImageSize);
        EXPECT_FALSE(stayedOpen) << w << "," << h;
        EXPECT_TRUE(host.messages.empty()) << w << "," << h;
        EXPECT_EQ(Snapshot(ed), before);
    }
}

// The size given straight to the command (as rastrix-batch gives it) makes what the dialog's
// OK with the same size makes, in an editor of its own.
class ChangeSizeParamsTest : public ChangeSizeTest, public ::testing::WithParamInterface<ChangeSizeParams> {};

TEST_P(ChangeSizeParamsTest, GivesWhatTheDialogGives) {
    const ChangeSizeParams size = GetParam();
    const auto select = [this] {
        ed.selection.rect = {10, 10, 90, 70};
        BeginSelection(ed);
    };
    select();
    host.modalScripts.push_back(TypeSize(std::to_string(size.width), std::to_string(size.height)));
    Dispatch(ed, CommandId::ChangeImageSize);
    const auto viaDialog = Snapshot(ed);
    const Rect selectedViaDialog = ed.selection.rect;
    Dispatch(ed, CommandId::Undo);
    ASSERT_EQ(CurrentImage(ed), Pattern(100, 80));

    select();
    ASSERT_TRUE(RunChangeImageSize(ed, size));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(Snapshot(ed), viaDialog);
    EXPECT_EQ(ed.selection.rect, selectedViaDialog);
    EXPECT_EQ(ed.doc.imageWidth, size.width);
    EXPECT_EQ(ed.doc.imageHeight, size.height);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ChangeSizeParamsTest,
                         ::testing::Values(ChangeSizeParams{50, 40}, ChangeSizeParams{150, 100},
                                           ChangeSizeParams{1, 200}, ChangeSizeParams{100, 80}));

TEST_F(ChangeSizeTest, OkHandsOverTheTypedSize) {
    ChangeSizeDialog d(ed, 100, 80);
    d.TextChanged(ChangeSizeDialog::kWidthEdit, "321");
    d.TextChanged(ChangeSizeDialog::kHeightEdit, "0045");
    d.Command(DialogAnswer::Ok);
    ASSERT_EQ(d.Result(), DialogAnswer::Ok);
    EXPECT_EQ(d.Params().width, 321);
    EXPECT_EQ(d.Params().height, 45);
}

// Sizes the dialog never lets through are refused by the command too, with the dialog's words.
struct RefusedSize {
    ChangeSizeParams size;
    const char* text;
};
class ChangeSizeParamsRefusalTest : public ChangeSizeTest, public ::testing::WithParamInterface<RefusedSize> {};

TEST_P(ChangeSizeParamsRefusalTest, TellsWhyAndLeavesTheImage) {
    const auto before = Snapshot(ed);
    EXPECT_FALSE(RunChangeImageSize(ed, GetParam().size));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, GetParam().text);
    EXPECT_EQ(Snapshot(ed), before);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ChangeSizeParamsRefusalTest,
                         ::testing::Values(RefusedSize{{0, 40}, kZeroSizeText}, RefusedSize{{40, -3}, kZeroSizeText},
                                           RefusedSize{{65536, 10}, kSideTooLargeText},
                                           RefusedSize{{30000, 30000}, kTooManyPixelsText}));

TEST(ChangeSizeWithoutImage, TheCommandGivenASizeSaysThereIsNoImage) {
    test::FakeHost host;
    Editor ed{host};
    EXPECT_FALSE(RunChangeImageSize(ed, {10, 10}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "There is no image to change the size of.");
    EXPECT_EQ(ed.doc.undoDepth, 0);
}

TEST(ChangeSizeWithoutImage, DoesNotAskForASize) {
    test::FakeHost host;
    Editor ed{host};
    Dispatch(ed, CommandId::ChangeImageSize);
    EXPECT_EQ(host.modalRuns, 0);
    EXPECT_EQ(ed.doc.undoDepth, 0);
}

}  // namespace
}  // namespace rastrix
