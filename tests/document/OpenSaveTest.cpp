// Opening and saving through the Editor: what the user sees and what is left behind.
#include <gtest/gtest.h>

#include "codec/BmpWriter.h"
#include "support/BmpTestSupport.h"
#include "support/PictureTestFiles.h"
#include "document/OpenFile.h"
#include "document/OpenSaveFixture.h"
#include "document/SaveFile.h"
#include "document/SavePrompt.h"
#include "editor/CommandIds.h"
#include "editor/ImageStack.h"
#include "frame/CommandDispatch.h"
#include "frame/EditorEvents.h"
#include "store/StoreTestSupport.h"
#include "support/EditorFixture.h"

namespace rastrix {
namespace {

using test::DocumentSnapshot;
using test::FileOf;
using test::OpenSaveTest;
using test::Picture;
using testing::Bytes;
using testing::ReadBytes;

TEST(SaveQuestion, ColourLossTextNamesTheCapacity) {
    EXPECT_EQ(ColorLossText(16),
              "This image contains more than 16 colors; some colors will be lost.\nWould you like to continue?");
    EXPECT_EQ(kColorLossCaption, "Warning");
}

TEST_F(OpenSaveTest, OpenStartsOnTheFilterLastChosenKeptBesideTheSettings) {
    ed.settingsFolder = dir.Path() / "settings";
    const std::string path = Put("pic.bmp", FileOf(Picture(5, 3), 24));
    // The first time on the bitmaps; the pictures chosen, the next Open (and the next run, which
    // reads the same folder) starts on them; a cancelled dialog changes nothing.
    host.openAnswers.push_back(FileDialogResult{path, 2});
    Dispatch(ed, CommandId::Open);
    host.openAnswers.push_back(std::nullopt);
    Dispatch(ed, CommandId::Open);
    host.openAnswers.push_back(FileDialogResult{path, 2});
    Dispatch(ed, CommandId::Open);
    ASSERT_EQ(host.openRequests.size(), 3u);
    EXPECT_EQ(host.openRequests[0].filterIndex, 1);
    EXPECT_EQ(host.openRequests[1].filterIndex, 2);
    EXPECT_EQ(host.openRequests[2].filterIndex, 2);
    EXPECT_EQ(ReadBytes(dir.Path() / "settings" / "OpenFilter"), Bytes{'2'});
    // A value that is not one of the filters is no reason to start elsewhere than the bitmaps.
    testing::WriteBytes(dir.Path() / "settings" / "OpenFilter", Bytes{'7'});
    EXPECT_EQ(RememberedOpenFilter(ed, 2), 1);
    testing::WriteBytes(dir.Path() / "settings" / "OpenFilter", Bytes{'2', '2'});
    EXPECT_EQ(RememberedOpenFilter(ed, 2), 1);
    ed.settingsFolder.clear();  // no settings folder: nothing kept
    EXPECT_EQ(RememberedOpenFilter(ed, 2), 1);
}

TEST_F(OpenSaveTest, OpenShowsTheFileAndEnablesTheImageCommands) {
    const std::string path = Put("pic.bmp", FileOf(Picture(5, 3), 24));
    OpenViaDialog(path);
    ASSERT_EQ(host.openRequests.size(), 1u);
    EXPECT_EQ(host.openRequests[0].title, "Open a file");
    // Bitmaps first and shown first; the second filter adds the PNG and JPEG pictures.
    ASSERT_EQ(host.openRequests[0].filters.size(), 2u);
    EXPECT_EQ(host.openRequests[0].filters[0].name, "Bitmap Files");
    EXPECT_EQ(host.openRequests[0].filters[0].pattern, "*.bmp");
    EXPECT_EQ(host.openRequests[0].filterIndex, 1);
    EXPECT_EQ(host.openRequests[0].filters[1].name, "Pictures");
    EXPECT_EQ(host.openRequests[0].filters[1].pattern, "*.bmp;*.png;*.jpg;*.jpeg");
    EXPECT_EQ(CurrentImage(ed), Picture(5, 3));
    EXPECT_EQ(ed.doc.imageBitDepth, 24u);
    EXPECT_EQ(ed.doc.fileSize, 54u + 16u * 3u);
    EXPECT_EQ(ed.doc.caption, "Rastrix - " + path + "  102 bytes");
    EXPECT_EQ(ed.recent.entries[0], path);
    EXPECT_TRUE(MenuEnabled(CommandId::SaveAs));
    EXPECT_TRUE(MenuEnabled(CommandId::Copy));
    EXPECT_TRUE(MenuEnabled(CommandId::RotateClockwise));
    EXPECT_FALSE(MenuEnabled(CommandId::Save));
    EXPECT_FALSE(MenuEnabled(CommandId::Undo));
    EXPECT_TRUE(ed.view.imageWindowExists);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.waitCursorsShown, 1);  // up on screen before the file is read
}

TEST_F(OpenSaveTest, EveryFailedOpenLeavesTheDocumentAsItWas) {
    OpenViaDialog(Put("good.bmp", FileOf(Picture(4, 4), 8)));
    ASSERT_TRUE(PushCopy(ed));
    ed.doc.modified = 0;  // no save prompt in the way
    const DocumentSnapshot before = Snapshot();

    struct Case {
        std::string path;
        std::string caption;  // of the message the user sees
    };
    Bytes truncated = FileOf(Picture(4, 4), 24);
    truncated.resize(60);
    const Bytes png = testing::EncodePng(testing::PngRecipe{1, 1, 0, 8, false, {9}});
    const Bytes jpeg = testing::EncodeJpeg(Picture(8, 8));
    const std::vector<Case> cases = {
        {PathOf("missing.bmp"), "Line 2293, Error Code 2"},
        {dir.Path().string(), "Line 2293, Error Code 21"},  // a folder is no file to open
        {Put("text.bmp", Bytes{'h', 'e', 'l', 'l', 'o'}), "Rastrix"},
        {Put("short.bmp", truncated), "Rastrix"},
        {Put("badjpeg.bmp", testing::WrapInBmp(Bytes(300, 0xFF), 4, 4, 4)), "Rastrix"},
        {Put("cut.png", Bytes(png.begin(), png.begin() + std::ptrdiff_t(png.size() / 2))), "Rastrix"},
        {Put("cut.jpg", Bytes(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(jpeg.size() / 2))), "Rastrix"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        host.messages.clear();
        OpenViaDialog(c.path);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].caption, c.caption);
        if (c.caption == "Rastrix") {
            EXPECT_NE(host.messages[0].text.find(c.path), std::string::npos);
        }
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(OpenSaveTest, AnEmptyRecentEntryIsReportedAsAFailedOpenOfNoName) {
    // F5 with an empty list, then an empty entry under a listed file.
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) OpenViaDialog(Put("good.bmp", FileOf(Picture(4, 4), 8)));
        const DocumentSnapshot before = Snapshot();
        host.messages.clear();
        Dispatch(ed, RecentFileCommand(pass));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].caption, "Line 2293, Error Code 2");
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(OpenSaveTest, TheRecentListKeepsTheWholePathOfAFileOpenedByARelativeName) {
    Put("rel.bmp", FileOf(Picture(3, 2), 24));
    const std::filesystem::path was = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    OpenViaDialog("rel.bmp");
    std::filesystem::current_path(was);
    EXPECT_EQ(ed.doc.caption, "Rastrix - rel.bmp  78 bytes");
    EXPECT_EQ(ed.recent.entries[0], PathOf("rel.bmp"));
    // From another folder the entry still opens the file.
    Dispatch(ed, CommandId::RecentFile0);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ed.doc.currentPath, PathOf("rel.bmp"));
}

TEST_F(OpenSaveTest, ADroppedFileOpensAsTheOpenDialogWouldAfterThePrompt) {
    OpenAndEdit();
    const std::string path = Put("dropped.bmp", FileOf(Picture(6, 2), 8));
    host.messageAnswers = {DialogAnswer::No};
    FileDropped(ed, path);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "Warning");  // the modified image was offered for saving first
    EXPECT_EQ(CurrentImage(ed), Picture(6, 2));
    EXPECT_EQ(ed.doc.caption, "Rastrix - " + path + "  1,094 bytes");  // 54 + 256 colours + 2 rows of 8
    EXPECT_EQ(ed.recent.entries[0], path);
    EXPECT_EQ(ed.recent.entries[1], PathOf("first.bmp"));

    // What is no readable file gets the report of a failed open, and nothing changes.
    const DocumentSnapshot before = Snapshot();
    for (const std::string& dropped : {std::string("https://example.com/x.bmp"), dir.Path().string()}) {
        host.messages.clear();
        FileDropped(ed, dropped);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].caption.value_or("").rfind("Line 2293, Error Code ", 0), 0u) << dropped;
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(OpenSaveTest, BitmapsHoldingPngOrJpegDataOpenAsTheirPictures) {
    testing::PngRecipe recipe{2, 2, 2, 8};
    recipe.rows = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
    const std::string png = Put("png.bmp", testing::WrapInBmp(testing::EncodePng(recipe), 2, 2, 5));
    OpenViaDialog(png);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(CurrentImage(ed).GetPixel(1, 0), ColorFromRgb(0, 255, 0));
    EXPECT_EQ(CurrentImage(ed).GetPixel(1, 1), ColorFromRgb(10, 20, 30));
    EXPECT_EQ(ed.doc.imageBitDepth, 24u);
    EXPECT_EQ(ed.doc.currentPath, png);

    const Bitmap smooth = testing::SmoothPicture(16, 8);
    OpenViaDialog(Put("jpeg.bmp", testing::WrapInBmp(testing::EncodeJpeg(smooth, true), 16, 8, 4)));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ed.doc.imageWidth, 16);
    EXPECT_EQ(ed.doc.imageBitDepth, 8u);  // a grey picture

    // A plain Save writes the picture as an ordinary bitmap of the depth it counts as.
    ASSERT_TRUE(PushCopy(ed));
    Dispatch(ed, CommandId::Save);
    const Bytes saved = ReadBytes(dir.Path() / "jpeg.bmp");
    ASSERT_GT(saved.size(), 54u);
    EXPECT_EQ(testing::Le16(saved, 28), 8);
    EXPECT_EQ(testing::Le32(saved, 30), 0u);
}

TEST_F(OpenSaveTest, CancelledDialogChangesNothingEvenAfterNoToTheSavePrompt) {
    OpenAndEdit();
    const DocumentSnapshot before = Snapshot();
    host.messageAnswers = {DialogAnswer::No};
    Dispatch(ed, CommandId::Open);  // dialog answers cancel
    EXPECT_EQ(host.openRequests.size(), 2u);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(OpenSaveTest, CancelToTheSavePromptKeepsTheImageAndShowsNoDialog) {
    OpenAndEdit();
    const DocumentSnapshot before = Snapshot();
    host.messageAnswers = {DialogAnswer::Cancel};
    Dispatch(ed, CommandId::Open);
    ASSERT_NE(host.LastMessage(), nullptr);
    EXPECT_EQ(host.LastMessage()->text, "first.bmp has been modified.\nWould you like to save it?");
    EXPECT_EQ(host.LastMessage()->caption, "Warning");
    EXPECT_EQ(host.LastMessage()->buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(host.openRequests.size(), 1u);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(OpenSaveTest, ReopeningAListedFileMovesItToTheTopAndF5KeepsTheViewCentre) {
    std::vector<std::string> paths;
    for (int i = 0; i < 7; ++i) paths.push_back(Put("f" + std::to_string(i) + ".bmp", FileOf(Picture(3, 2), 4)));
    for (int i = 6; i >= 0; --i) OpenViaDialog(paths[i]);  // f0 ends on top
    ASSERT_EQ(ed.recent.entries[5], paths[5]);
    OpenViaDialog(paths[5]);
    EXPECT_EQ(ed.recent.entries[0], paths[5]);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(ed.recent.entries[i], paths[i - 1]);
    EXPECT_EQ(ed.recent.entries[6], paths[6]);

    Dispatch(ed, CommandId::RecentFile3);
    EXPECT_EQ(ed.doc.currentPath, paths[2]);
    EXPECT_EQ(ed.recent.entries[0], paths[2]);
}

TEST_F(OpenSaveTest, SaveWritesAtTheImageDepthAndClearsModified) {
    OpenAndEdit();
    const std::string path = ed.doc.currentPath;
    Dispatch(ed, CommandId::Save);
    EXPECT_EQ(ed.doc.modified, 0);
    EXPECT_FALSE(MenuEnabled(CommandId::Save));
    EXPECT_EQ(ed.doc.undoDepth, 1);  // a plain save keeps the undo levels
    const Bytes written = ReadBytes(path);
    EXPECT_EQ(written, FileOf(CurrentImage(ed), 24));
    EXPECT_EQ(ed.doc.caption, "Rastrix - " + path + "  102 bytes");
}

// Ctrl+S and Save As reach their handlers while greyed: with no image they must write no
// file and must not make the editor believe an image exists.
TEST_F(OpenSaveTest, SaveAndSaveAsWithoutAnImageWriteNothing) {
    ed.doc.currentPath = PathOf("none.bmp");
    host.saveAnswers.push_back(FileDialogResult{PathOf("chosen.bmp"), 4});
    for (CommandId id : {CommandId::Save, CommandId::SaveAs}) Dispatch(ed, id);
    ed.doc.needsSaveAs = 1;
    Dispatch(ed, CommandId::Save);
    EXPECT_TRUE(testing::FileNames(dir.Path()).empty());
    EXPECT_TRUE(host.saveRequests.empty());
    EXPECT_EQ(ed.doc.fileSize, 0u);
    EXPECT_EQ(ed.doc.caption, "Rastrix");
    EXPECT_FALSE(MenuEnabled(CommandId::Copy));
}

TEST_F(OpenSaveTest, SaveAsAtALowerDepthReloadsTheWrittenFileAndEmptiesUndo) {
    OpenAndEdit();
    host.saveAnswers.push_back(FileDialogResult{PathOf("mono"), 1});
    host.messageAnswers = {DialogAnswer::Yes};  // more than two colours: go on
    Dispatch(ed, CommandId::SaveAs);
    ASSERT_EQ(host.saveRequests.size(), 1u);
    EXPECT_EQ(host.saveRequests[0].filterIndex, 4);  // a 24-bit image preselects 24 bits
    EXPECT_EQ(host.saveRequests[0].initialName, "first.bmp");
    EXPECT_TRUE(host.saveRequests[0].confirmOverwrite);
    EXPECT_EQ(ed.doc.currentPath, PathOf("mono.bmp"));
    EXPECT_EQ(ed.doc.imageBitDepth, 1u);
    EXPECT_EQ(ed.doc.undoDepth, 0);
    EXPECT_FALSE(MenuEnabled(CommandId::Undo));
    EXPECT_EQ(ed.recent.entries[0], PathOf("mono.bmp"));
}

// The Save As filters: the four first ones in their places, then the 16- and 32-bit forms of
// the device files, each read back as the depth it is; a plain Save of such an image writes 24
// bits, as for any depth but 1, 4 and 8.
struct SaveFilterCase {
    int filter;
    std::uint16_t bits;
    std::uint32_t compression, pixelOffset, depthAfter;
};
class SaveFilterTest : public OpenSaveTest, public ::testing::WithParamInterface<SaveFilterCase> {};

TEST_P(SaveFilterTest, WritesTheFormItNamesAndReadsItBack) {
    const SaveFilterCase& c = GetParam();
    OpenAndEdit();
    host.saveAnswers.push_back(FileDialogResult{PathOf("saved"), c.filter});
    host.messageAnswers = {DialogAnswer::Yes};
    Dispatch(ed, CommandId::SaveAs);
    ASSERT_EQ(host.saveRequests.size(), 1u);
    const std::vector<FileFilter>& filters = host.saveRequests[0].filters;
    const std::vector<std::string> names = {"Monochrome Bitmap", "4-bit Bitmap", "8-bit Bitmap", "24-bit Bitmap",
                                            "16-bit Bitmap, 5-6-5", "16-bit Bitmap, 5-5-5", "32-bit Bitmap"};
    ASSERT_EQ(filters.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(filters[i].name, names[i]);
        EXPECT_EQ(filters[i].pattern, "*.bmp");
    }
    const Bytes file = ReadBytes(PathOf("saved.bmp"));
    EXPECT_EQ(testing::Le16(file, 28), c.bits);
    EXPECT_EQ(testing::Le32(file, 30), c.compression);
    EXPECT_EQ(testing::Le32(file, 10), c.pixelOffset);
    EXPECT_EQ(ed.doc.imageBitDepth, c.depthAfter);

    host.saveAnswers.push_back(std::nullopt);  // cancelled: only the preselection counts
    Dispatch(ed, CommandId::SaveAs);
    EXPECT_EQ(host.saveRequests[1].filterIndex, c.filter <= 3 ? c.filter : 4);
    CurrentImage(ed).SetPixel(0, 0, ColorFromRgb(9, 9, 9));
    SetModified(ed);
    Dispatch(ed, CommandId::Save);
    EXPECT_EQ(testing::Le16(ReadBytes(PathOf("saved.bmp")), 28), c.bits == 16 || c.bits == 32 ? 24 : c.bits);
}

INSTANTIATE_TEST_SUITE_P(Filters, SaveFilterTest,
                         ::testing::Values(SaveFilterCase{3, 8, 0, 54 + 1024, 8}, SaveFilterCase{4, 24, 0, 54, 24},
                                           SaveFilterCase{5, 16, 3, 66, 16}, SaveFilterCase{6, 16, 0, 54, 16},
                                           SaveFilterCase{7, 32, 0, 54, 32}));

TEST_F(OpenSaveTest, AFailedSaveIsReportedAndLeavesTheDocumentModified) {
    OpenAndEdit();
    const DocumentSnapshot before = Snapshot();
    std::filesystem::create_directory(dir.Path() / "taken.bmp");  // a folder stands where the file would go
    host.saveAnswers.push_back(FileDialogResult{PathOf("taken.bmp"), 4});
    Dispatch(ed, CommandId::SaveAs);
    ASSERT_NE(host.LastMessage(), nullptr);
    EXPECT_EQ(host.LastMessage()->caption.value_or("").rfind("Line 1078, Error Code ", 0), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "taken.bmp"));
    EXPECT_EQ(Snapshot(), before);  // still modified, same name and size
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_TRUE(entry.path().filename() == "first.bmp" || entry.path().filename() == "taken.bmp")
            << "left behind: " << entry.path();
}

TEST_F(OpenSaveTest, YesToThePromptWhoseSaveFailsActsAsCancel) {
    OpenAndEdit();
    ed.doc.needsSaveAs = 1;  // Yes asks for a name; the user cancels that dialog
    host.messageAnswers = {DialogAnswer::Yes};
    EXPECT_EQ(AskToSave(ed), DialogAnswer::Cancel);
    EXPECT_EQ(ed.doc.modified, 1);

    const DocumentSnapshot before = Snapshot();
    host.messageAnswers = {DialogAnswer::Yes};
    Dispatch(ed, CommandId::Open);
    EXPECT_EQ(host.openRequests.size(), 1u);  // the open stopped before its dialog
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(OpenSaveTest, AnUntitledImageSavedAtThePromptKeepsItsNewNameWhenTheOpenIsCancelled) {
    OpenAndEdit();
    ed.doc.currentPath = "Untitled.bmp";  // as New leaves it
    UpdateTitle(ed, false);
    ed.doc.needsSaveAs = 1;
    host.messageAnswers = {DialogAnswer::Yes};
    host.saveAnswers.push_back(FileDialogResult{PathOf("named"), 4});
    Dispatch(ed, CommandId::Open);  // the open dialog is then cancelled
    EXPECT_EQ(ed.doc.needsSaveAs, 0);
    EXPECT_EQ(ed.doc.currentPath, PathOf("named.bmp"));
    EXPECT_EQ(ed.doc.caption, "Rastrix - " + PathOf("named.bmp") + "  102 bytes");

    CurrentImage(ed).SetPixel(1, 1, ColorFromRgb(7, 7, 7));
    SetModified(ed);
    Dispatch(ed, CommandId::Save);
    EXPECT_EQ(ReadBytes(PathOf("named.bmp")), FileOf(CurrentImage(ed), 24));
    EXPECT_FALSE(std::filesystem::exists("Untitled.bmp"));
}

TEST_F(OpenSaveTest, NoToThePromptDiscardsAndYesSavesFirst) {
    OpenAndEdit();
    host.messageAnswers = {DialogAnswer::No};
    EXPECT_EQ(AskToSave(ed), DialogAnswer::No);
    EXPECT_EQ(ed.doc.modified, 1);
    host.messageAnswers = {DialogAnswer::Yes};
    EXPECT_EQ(AskToSave(ed), DialogAnswer::Yes);
    EXPECT_EQ(ed.doc.modified, 0);
    EXPECT_EQ(ReadBytes(ed.doc.currentPath), FileOf(CurrentImage(ed), 24));
}

}  // namespace
}  // namespace rastrix
