#pragma once
// Drives the file commands through the Editor against a file seam that fails where told, in a
// real temporary folder, and takes everything the user could notice before and after.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "codec/BmpWriter.h"
#include "support/EncodedBmpFile.h"
#include "document/NewImageTestSupport.h"
#include "editor/CommandStateSnapshot.h"
#include "store/StoreTestSupport.h"
#include "support/FaultInjectingFileSystem.h"
#include "frame/CommandDispatch.h"

namespace rastrix::testing {

using Op = FaultInjectingFileSystem::Op;

// Everything a failed file command must leave as it was: the document, the command states,
// and every file in the folder (names and bytes, so a changed target or a left-over
// temporary file both show).
struct Observed {
    DocumentSnapshot doc;
    testing_support::Snapshot commands;
    std::map<std::string, Bytes> files;
    friend bool operator==(const Observed&, const Observed&) = default;
};

inline Bytes BmpOf(const Bitmap& b, int depth = 24) {
    return testing::EncodeBmpFile(b, depth, [](int) { return true; }).bytes;
}

// Public, so the command tables of the tests can reach the folder and the editor.
class FileFaultTest : public test::EditorTest {
public:
    FileFaultTest() { ed.files = &files; }

    std::string PathOf(const std::string& name) const { return (dir.Path() / name).string(); }
    std::string Put(const std::string& name, const Bytes& bytes) {
        WriteBytes(dir.Path() / name, bytes);
        return PathOf(name);
    }

    // other.bmp and then current.bmp opened, so the recent list reads current, other; then one
    // edit, so the image is modified with one undo level.
    void OpenEditedImage() {
        for (const char* name : {"other.bmp", "current.bmp"}) {
            host.openAnswers.push_back(FileDialogResult{Put(name, BmpOf(Pattern(name[0] == 'o' ? 4 : 6, 5))), 1});
            Dispatch(ed, CommandId::Open);
        }
        ASSERT_EQ(ed.doc.currentPath, PathOf("current.bmp"));
        ASSERT_TRUE(PushCopy(ed));
        CurrentImage(ed).SetPixel(0, 0, ColorFromRgb(1, 2, 3));
        ASSERT_EQ(ed.doc.modified, 1);
        host.messages.clear();
    }

    Observed Observe() {
        Observed seen{Snapshot(ed), testing_support::Take(ShownCommandStates(ed)), {}};
        for (const std::string& name : FileNames(dir.Path()))
            seen.files[name] = std::filesystem::is_regular_file(dir.Path() / name) ? ReadBytes(dir.Path() / name) : Bytes{};
        return seen;
    }

    // The report of a failed system call: the system's text (then the file's name, for a call on
    // a named file), the numbered caption.
    void ExpectReport(const test::ShownMessage& shown, unsigned line, int error, const std::string& file = {}) const {
        EXPECT_EQ(shown.text, file.empty() ? std::string(std::strerror(error))
                                           : std::string(std::strerror(error)) + "\n\n\"" + file + "\"");
        EXPECT_EQ(shown.caption, "Line " + std::to_string(line) + ", Error Code " + std::to_string(error));
    }

    TempFolder dir;
    FaultInjectingFileSystem files;
    std::string joinLabel;  // the top-left size label as the join dialog last showed it
    using EditorTest::ed;
    using EditorTest::host;
};

}  // namespace rastrix::testing
