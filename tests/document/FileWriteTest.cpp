#include "document/FileWrite.h"

#include <gtest/gtest.h>

#include "document/SaveErrorLines.h"

namespace rastrix {
namespace {

// Creating the file is reported under its own line; every later step under the write's.
static_assert(SaveErrorLine(FileStep::Open) == 1075 && SaveErrorLine(FileStep::Rename) == 1078);

TEST(FileWrite, BmpExtensionIsAddedUnlessPresent) {
    EXPECT_EQ(WithBmpExtension("picture"), "picture.bmp");
    EXPECT_EQ(WithBmpExtension("/tmp/photo.BMP"), "/tmp/photo.BMP");
    EXPECT_EQ(WithBmpExtension("a.bmp"), "a.bmp");
    EXPECT_EQ(WithBmpExtension(".bmp"), ".bmp.bmp");
    EXPECT_EQ(WithBmpExtension("x.bm"), "x.bm.bmp");
    EXPECT_EQ(WithBmpExtension("shot.bmpx"), "shot.bmpx.bmp");
    // A picture's own name typed in Save As is never written over.
    EXPECT_EQ(WithBmpExtension("photo.png"), "photo.png.bmp");
    EXPECT_EQ(WithBmpExtension("/tmp/photo.JPG"), "/tmp/photo.JPG.bmp");
}

TEST(FileWrite, APictureNameIsProposedWithABmpEnding) {
    const std::pair<const char*, const char*> cases[] = {
        {"photo.png", "photo.bmp"},   {"IMG_0001.JPG", "IMG_0001.bmp"}, {"a.b.jpeg", "a.b.bmp"},
        {"Untitled.bmp", "Untitled.bmp"}, {"noending", "noending.bmp"},  {".png", ".png.bmp"},
        {"trailing.", "trailing.bmp"},
    };
    for (const auto& [name, proposed] : cases) EXPECT_EQ(BmpNameOf(name), proposed) << name;
}

}  // namespace
}  // namespace rastrix
