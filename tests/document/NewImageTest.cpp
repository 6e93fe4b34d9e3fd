// File > New: the dialog model, the blank image it makes and the sizes it refuses.
#include <gtest/gtest.h>

#include "document/NewImage.h"
#include "document/NewImageDialog.h"
#include "document/NewImageTestSupport.h"
#include "selection/Selection.h"

namespace rastrix {
namespace {

using testing::Snapshot;
using testing::TypeSize;

class NewImageTest : public test::EditorTest {
protected:
    NewImageTest() { ed.settings.backColor = ColorFromRgb(10, 200, 30); }
};

TEST_F(NewImageTest, DialogStartsEmptyAtFourBitsAndMovesTheDepthCheck) {
    NewImageDialog d(ed);
    EXPECT_EQ(d.Template().name, "FILENEW");
    EXPECT_EQ(d.Template().caption, "Create New File");
    EXPECT_EQ(d.Template().controls.size(), 11u);
    EXPECT_EQ(d.Text(132), "");
    EXPECT_EQ(d.Text(133), "");
    EXPECT_EQ(d.Text(500), "Bits per Pixel");
    EXPECT_EQ(d.Text(116), "24 (2^24 colors)");
    const auto checked = [&d] { return std::vector<bool>{d.Checked(113), d.Checked(114), d.Checked(115), d.Checked(116)}; };
    EXPECT_EQ(checked(), (std::vector<bool>{false, true, false, false}));
    d.Command(116);
    EXPECT_EQ(checked(), (std::vector<bool>{false, false, false, true}));
    d.Command(113);
    EXPECT_EQ(d.BitDepth(), 1);
    EXPECT_FALSE(d.Ended());
    d.Command(DialogAnswer::Cancel);
    EXPECT_TRUE(d.Ended());
    EXPECT_EQ(d.Result(), 0);
}

TEST_F(NewImageTest, SizeFieldsReadSixCharactersUpToTheFirstNonDigit) {
    EXPECT_EQ(ReadSizeField("12abc"), 12u);
    EXPECT_EQ(ReadSizeField("1234567"), 123456u);
    EXPECT_EQ(ReadSizeField(""), 0u);
    EXPECT_EQ(ReadSizeField(" 5"), 0u);
}

TEST_F(NewImageTest, MakesABlankUntitledImageInTheBackgroundColor) {
    host.modalScripts.push_back(TypeSize("640", "480"));
    Dispatch(ed, CommandId::New);
    ASSERT_EQ(ed.doc.imageWidth, 640);
    ASSERT_EQ(ed.doc.imageHeight, 480);
    EXPECT_TRUE(testing::AllOf(CurrentImage(ed), {0, 0, 640, 480}, ColorFromRgb(10, 200, 30)));
    EXPECT_EQ(ed.doc.imageBitDepth, 4u);
    EXPECT_EQ(ed.doc.fileSize, 153718u);  // 54 + 64 + 480 x 320
    EXPECT_EQ(ed.doc.caption, "Rastrix - Untitled.bmp");
    EXPECT_EQ(ed.doc.modified, 0);
    EXPECT_EQ(ed.doc.needsSaveAs, 1);
    EXPECT_EQ(ed.doc.undoDepth, 0);
    EXPECT_FALSE(MenuEnabled(CommandId::Save));
    EXPECT_TRUE(MenuEnabled(CommandId::SaveAs));
    EXPECT_TRUE(MenuEnabled(CommandId::ChangeImageSize));
    EXPECT_TRUE(MenuEnabled(CommandId::ScaleImage));
    EXPECT_TRUE(MenuEnabled(CommandId::ReduceColors));
    EXPECT_TRUE(ed.view.imageWindowExists);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(NewImageTest, TypedJunkEndsTheNumberAndTheChosenDepthSizesTheFile) {
    host.modalScripts.push_back(TypeSize("12abc", "3", NewImageDialog::kDepth24));
    Dispatch(ed, CommandId::New);
    EXPECT_EQ(ed.doc.imageWidth, 12);
    EXPECT_EQ(ed.doc.imageBitDepth, 24u);
    EXPECT_EQ(ed.doc.fileSize, 54u + 36u * 3u);
}

struct Refusal {
    const char* width;
    const char* height;
    const char* message;
};

class NewImageRefusalTest : public NewImageTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(NewImageRefusalTest, TellsWhyKeepsTheDialogOpenAndChangesNothing) {
    host.modalScripts.push_back(TypeSize("30", "20"));
    Dispatch(ed, CommandId::New);
    const auto before = Snapshot(ed);
    bool stayedOpen = false;
    host.modalScripts.push_back(TypeSize(GetParam().width, GetParam().height, 0, &stayedOpen));
    Dispatch(ed, CommandId::New);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, GetParam().message);
    EXPECT_EQ(host.messages[0].caption, "Rastrix");
    EXPECT_EQ(Snapshot(ed), before);
}

INSTANTIATE_TEST_SUITE_P(Sizes, NewImageRefusalTest,
                         ::testing::Values(Refusal{"0", "10", kZeroSizeText}, Refusal{"", "", kZeroSizeText},
                                           Refusal{"65536", "1", kSideTooLargeText},
                                           Refusal{"1", "999999", kSideTooLargeText},
                                           Refusal{"20000", "20000", kTooManyPixelsText}));

TEST_F(NewImageTest, TheLargestSizesAreAccepted) {
    EXPECT_EQ(RefuseImageSize(65535, 4096), std::nullopt);  // 2^28 - 4096 pixels
    EXPECT_EQ(RefuseImageSize(16384, 16384), std::nullopt);
    EXPECT_NE(RefuseImageSize(16384, 16385), std::nullopt);
}

TEST_F(NewImageTest, OnlyTheDialogsOkReplacesAModifiedImage) {
    host.modalScripts.push_back(TypeSize("8", "8"));
    Dispatch(ed, CommandId::New);
    ASSERT_TRUE(PushCopy(ed));
    ed.selection.rect = {1, 1, 4, 4};
    BeginSelection(ed);
    const auto before = Snapshot(ed);
    host.messageAnswers = {DialogAnswer::Cancel};
    Dispatch(ed, CommandId::New);
    EXPECT_EQ(host.modalRuns, 1);
    EXPECT_EQ(host.LastMessage()->text, "Untitled.bmp has been modified.\nWould you like to save it?");
    EXPECT_EQ(Snapshot(ed), before);

    host.messageAnswers = {DialogAnswer::No};  // a cancelled dialog after No leaves the image too
    Dispatch(ed, CommandId::New);
    EXPECT_EQ(host.modalRuns, 2);
    EXPECT_EQ(Snapshot(ed), before);
    EXPECT_TRUE(HasSelection(ed));

    host.messageAnswers = {DialogAnswer::No};  // No goes on and drops the edit
    host.modalScripts.push_back(TypeSize("5", "5"));
    Dispatch(ed, CommandId::New);
    EXPECT_EQ(ed.doc.imageWidth, 5);
    EXPECT_EQ(ed.doc.undoDepth, 0);
    EXPECT_EQ(ed.doc.modified, 0);
    EXPECT_FALSE(HasSelection(ed));
    EXPECT_FALSE(MenuEnabled(CommandId::Crop));
}

}  // namespace
}  // namespace rastrix
