// PNG and JPEG pictures opened in the editor: every way of opening reads them, and no save
// ever writes BMP bytes into them.
#include <gtest/gtest.h>

#include <functional>

#include "codec/ExifOrientation.h"
#include "codec/JpegDecoder.h"
#include "document/OpenSaveFixture.h"
#include "editor/CommandIds.h"
#include "editor/Text.h"
#include "frame/EditorEvents.h"
#include "support/ExifTestFiles.h"
#include "support/PictureTestFiles.h"

namespace rastrix {
namespace {

using testing::Bytes;
using testing::ReadBytes;

// 3 x 2 colours, and one fully transparent pixel that must come out white.
Bytes PngFile() {
    testing::PngRecipe recipe{3, 2, 6, 8};
    recipe.rows = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255,  //
                   10, 20, 30, 255, 0, 0, 0, 0, 200, 100, 50, 255};
    return testing::EncodePng(recipe);
}
Bitmap PngPixels() {
    Bitmap b(3, 2);
    const Color colors[] = {ColorFromRgb(255, 0, 0), ColorFromRgb(0, 255, 0), ColorFromRgb(0, 0, 255),
                             ColorFromRgb(10, 20, 30), ColorFromRgb(255, 255, 255), ColorFromRgb(200, 100, 50)};
    for (int i = 0; i < 6; ++i) b.SetPixel(i % 3, i / 3, colors[i]);
    return b;
}

Bytes JpegFile(bool grey = false) { return testing::EncodeJpeg(testing::SmoothPicture(8, 4), grey); }

class OpenPictureTest : public test::OpenSaveTest {
protected:
    std::string Caption(const std::string& path) const {
        return "Rastrix - " + path + "  " + InsertThousandsSeparators(std::to_string(ReadBytes(path).size())) +
               " bytes";
    }
    // The picture is the image, named by its own file, and has no BMP file yet.
    void ExpectOpened(const std::string& path, const Bitmap& pixels, std::uint32_t depth) {
        EXPECT_TRUE(host.messages.empty()) << (host.messages.empty() ? "" : host.messages[0].text);
        EXPECT_EQ(CurrentImage(ed), pixels);
        EXPECT_EQ(ed.doc.imageBitDepth, depth);
        EXPECT_EQ(ed.doc.currentPath, path);
        EXPECT_EQ(ed.doc.fileSize, ReadBytes(path).size());
        EXPECT_EQ(ed.doc.caption, Caption(path));
        EXPECT_EQ(ed.recent.entries[0], path);
        EXPECT_EQ(ed.doc.needsSaveAs, 1);
        EXPECT_EQ(ed.doc.modified, 0);
        EXPECT_TRUE(MenuEnabled(CommandId::SaveAs));
    }
    void OpenAndEditPng() {
        OpenViaDialog(Put("photo.png", PngFile()));
        ASSERT_TRUE(PushCopy(ed));
        CurrentImage(ed).SetPixel(0, 0, ColorFromRgb(1, 2, 3));
    }
};

TEST_F(OpenPictureTest, EveryWayOfOpeningReadsPngAndJpeg) {
    const Bytes jpeg = JpegFile();
    const Bitmap jpegPixels = DecodeJpeg(jpeg).image.value().bitmap;
    const std::string other = Put("other.bmp", test::FileOf(test::Picture(2, 2), 24));
    const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> ways = {
        {"dialog", [this](const std::string& p) { OpenViaDialog(p); }},
        {"command line", [this](const std::string& p) { OpenStartFile(ed, p); }},
        {"drop", [this](const std::string& p) { FileDropped(ed, p); }},
        {"recent entry", [&](const std::string& p) {
             OpenViaDialog(p);
             OpenViaDialog(other);
             Dispatch(ed, CommandId::RecentFile1);
         }},
    };
    for (const auto& [way, open] : ways) {
        SCOPED_TRACE(way);
        // A CMYK photo opens as a colour picture.
        open(Put("cmyk.jpg", testing::EncodeJpeg(test::Picture(4, 4), false, true)));
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(ed.doc.imageWidth, 4);
        EXPECT_EQ(ed.doc.imageBitDepth, 24);
        open(Put("picture.png", PngFile()));
        ExpectOpened(PathOf("picture.png"), PngPixels(), 32);  // it had transparency
        open(Put("picture.jpg", jpeg));
        ExpectOpened(PathOf("picture.jpg"), jpegPixels, 24);
    }
    // F5 reads the picture's file again, as it is now.
    testing::PngRecipe changed{1, 1, 0, 8};
    changed.rows = {77};
    testing::WriteBytes(dir.Path() / "picture.jpg", testing::EncodePng(changed));
    Dispatch(ed, CommandId::RecentFile0);
    ExpectOpened(PathOf("picture.jpg"), Bitmap(1, 1, ColorFromRgb(77, 77, 77)), 8);
}

TEST_F(OpenPictureTest, SaveAsksForABmpNameAndNeverWritesThePicture) {
    // The name the user gives, and the file Save writes.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"photo.bmp", "photo.bmp"}, {"photo.png", "photo.png.bmp"}, {"photo.jpg", "photo.jpg.bmp"}};
    const Bytes png = PngFile();
    for (const auto& [typed, written] : cases) {
        SCOPED_TRACE(typed);
        Put("photo.jpg", JpegFile());
        const Bytes jpegBefore = ReadBytes(PathOf("photo.jpg"));
        host.saveRequests.clear();
        OpenAndEditPng();
        Dispatch(ed, CommandId::Save);  // the dialog is cancelled: nothing is written
        ASSERT_EQ(host.saveRequests.size(), 1u);
        EXPECT_EQ(host.saveRequests[0].title, "Save As");
        EXPECT_EQ(host.saveRequests[0].initialName, "photo.bmp");
        EXPECT_EQ(host.saveRequests[0].filterIndex, 4);  // 24 bits, as a plain save would write
        EXPECT_EQ(ed.doc.modified, 1);
        EXPECT_EQ(ed.doc.needsSaveAs, 1);

        host.saveAnswers.push_back(FileDialogResult{PathOf(typed), 4});
        Dispatch(ed, CommandId::Save);
        EXPECT_EQ(ReadBytes(PathOf("photo.png")), png);
        EXPECT_EQ(ReadBytes(PathOf("photo.jpg")), jpegBefore);
        const Bytes bmp = ReadBytes(PathOf(written));
        ASSERT_GT(bmp.size(), 2u);
        EXPECT_EQ(bmp[0], 'B');
        // From now on the image is that bitmap's, as after any Save As.
        EXPECT_EQ(ed.doc.currentPath, PathOf(written));
        EXPECT_EQ(ed.doc.caption, Caption(PathOf(written)));
        EXPECT_EQ(ed.doc.needsSaveAs, 0);
        EXPECT_EQ(ed.recent.entries[0], PathOf(written));
        EXPECT_EQ(ed.recent.entries[1], PathOf("photo.png"));
        EXPECT_EQ(CurrentImage(ed).GetPixel(0, 0), ColorFromRgb(1, 2, 3));
        CurrentImage(ed).SetPixel(1, 0, ColorFromRgb(4, 5, 6));
        SetModified(ed);
        Dispatch(ed, CommandId::Save);  // a plain save now, to the bitmap
        EXPECT_EQ(host.saveRequests.size(), 2u);
        EXPECT_EQ(ReadBytes(PathOf(written)), test::FileOf(CurrentImage(ed), 24));
        EXPECT_EQ(ReadBytes(PathOf("photo.png")), png);
        std::filesystem::remove(PathOf(written));
    }
}

TEST_F(OpenPictureTest, TheSavePromptOfAModifiedPictureAsksForABmpName) {
    const std::string next = Put("next.bmp", test::FileOf(test::Picture(2, 2), 24));
    OpenAndEditPng();
    host.messageAnswers = {DialogAnswer::Yes};
    host.saveAnswers.push_back(FileDialogResult{PathOf("kept"), 4});
    FileDropped(ed, next);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0].text, "photo.png has been modified.\nWould you like to save it?");
    ASSERT_EQ(host.saveRequests.size(), 1u);
    EXPECT_EQ(host.saveRequests[0].initialName, "photo.bmp");
    EXPECT_EQ(ReadBytes(PathOf("photo.png")), PngFile());
    EXPECT_EQ(CurrentImage(ed), test::Picture(2, 2));
    Bitmap kept = PngPixels();
    kept.SetPixel(0, 0, ColorFromRgb(1, 2, 3));
    EXPECT_EQ(ReadBytes(PathOf("kept.bmp")), test::FileOf(kept, 24));
}

TEST_F(OpenPictureTest, AJpegPhotoIsTurnedAsItsExifOrientationSays) {
    const Bytes plain = JpegFile();
    const Bitmap stored = DecodeJpeg(plain).image.value().bitmap;  // 8 x 4
    for (int orientation : {1, 3, 6, 8}) {
        SCOPED_TRACE(orientation);
        OpenViaDialog(Put("turned.jpg", testing::WithOrientation(plain, orientation)));
        Bitmap upright = stored;
        ASSERT_TRUE(TurnUpright(upright, orientation));
        ExpectOpened(PathOf("turned.jpg"), upright, 24);
        const bool quarter = orientation >= 5;
        EXPECT_EQ(ed.doc.imageWidth, quarter ? 4 : 8);
        EXPECT_EQ(ed.doc.imageHeight, quarter ? 8 : 4);
        // The pixel stored top-left lands where the orientation puts it.
        const Point corner = orientation == 1 ? Point{0, 0} : orientation == 3 ? Point{7, 3}
                             : orientation == 6 ? Point{3, 0} : Point{0, 7};
        EXPECT_EQ(CurrentImage(ed).GetPixel(corner.x, corner.y), stored.GetPixel(0, 0));
    }
    // A grey photo counts as 8 bits, and Save As offers 8 bits first.
    OpenViaDialog(Put("grey.jpg", testing::WithOrientation(JpegFile(true), 6)));
    EXPECT_EQ(ed.doc.imageBitDepth, 8u);
    EXPECT_EQ(ed.doc.imageWidth, 4);
    Dispatch(ed, CommandId::SaveAs);
    ASSERT_FALSE(host.saveRequests.empty());
    EXPECT_EQ(host.saveRequests.back().filterIndex, 3);
    EXPECT_EQ(host.saveRequests.back().initialName, "grey.bmp");
}

}  // namespace
}  // namespace rastrix
