#pragma once
// The editor, a folder of files and what a failed open must leave alone, for the tests of
// opening and saving.
#include <gtest/gtest.h>

#include "codec/BmpWriter.h"
#include "support/EncodedBmpFile.h"
#include "editor/ImageStack.h"
#include "frame/CommandDispatch.h"
#include "store/StoreTestSupport.h"
#include "support/EditorFixture.h"

namespace rastrix::test {

// A small asymmetric picture: a flipped row or swapped channels cannot pass.
inline Bitmap Picture(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, ColorFromRgb(std::uint8_t(x * 40), std::uint8_t(y * 60), 200));
    return b;
}

inline testing::Bytes FileOf(const Bitmap& b, int depth) {
    return testing::EncodeBmpFile(b, depth, [](int) { return true; }).bytes;
}

// Everything a failed open must leave alone.
struct DocumentSnapshot {
    std::string path, caption;
    std::uint32_t fileSize, depth;
    int width, height, undoDepth, modified, needsSaveAs;
    std::array<std::string, 16> recent;
    Bitmap image;
    friend bool operator==(const DocumentSnapshot&, const DocumentSnapshot&) = default;
};

class OpenSaveTest : public EditorTest {
protected:
    std::string PathOf(const std::string& name) const { return (dir.Path() / name).string(); }
    std::string Put(const std::string& name, const testing::Bytes& bytes) {
        testing::WriteBytes(dir.Path() / name, bytes);
        return PathOf(name);
    }
    DocumentSnapshot Snapshot() {
        return {ed.doc.currentPath, ed.doc.caption, ed.doc.fileSize, ed.doc.imageBitDepth,
                ed.doc.imageWidth, ed.doc.imageHeight, ed.doc.undoDepth, ed.doc.modified,
                ed.doc.needsSaveAs, ed.recent.entries, CurrentImage(ed)};
    }
    void OpenViaDialog(const std::string& path) {
        host.openAnswers.push_back(FileDialogResult{path, 1});
        Dispatch(ed, CommandId::Open);
    }
    // Opens a modified image: one file loaded and one edit made.
    void OpenAndEdit() {
        OpenViaDialog(Put("first.bmp", FileOf(Picture(5, 3), 24)));
        ASSERT_TRUE(PushCopy(ed));
        CurrentImage(ed).SetPixel(0, 0, ColorFromRgb(1, 2, 3));
    }

    testing::TempFolder dir;
};

}  // namespace rastrix::test
