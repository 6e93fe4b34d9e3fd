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
}

}  // namespace
}  // namespace rastrix
