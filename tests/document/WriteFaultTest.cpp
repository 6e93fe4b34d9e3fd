// Every command that writes an image file, against every step of the safe write failing: the
// user is told with the right numbered report, the target is as it was (or still absent), no
// temporary file is left, and the document is still the edited, unsaved one.
#include "document/FileFaultFixture.h"
#include "document/SaveErrorLines.h"
#include "frame/EditorEvents.h"

#include <sys/stat.h>

#include <functional>

namespace rastrix::testing {
namespace {

struct WriteCommand {
    const char* name;
    // Runs the command; true when it went on past the save (the close or the next open).
    bool (*run)(FileFaultTest& t);
    int messagesBefore;  // the save question comes first when the save is asked for
};

bool SaveAsTo(FileFaultTest& t, const std::string& name) {
    t.host.saveAnswers.push_back(FileDialogResult{t.PathOf(name), 4});
    Dispatch(t.ed, CommandId::SaveAs);
    return true;
}

const WriteCommand kWriteCommands[] = {
    {"Save", [](FileFaultTest& t) { return Dispatch(t.ed, CommandId::Save), true; }, 0},
    {"SaveAsOverAFile", [](FileFaultTest& t) { return SaveAsTo(t, "other.bmp"); }, 0},
    {"SaveAsNewName", [](FileFaultTest& t) { return SaveAsTo(t, "fresh"); }, 0},
    {"SaveBeforeOpen",
     [](FileFaultTest& t) {
         t.host.messageAnswers.push_back(DialogAnswer::Yes);
         t.host.openAnswers.push_back(FileDialogResult{t.PathOf("other.bmp"), 1});
         Dispatch(t.ed, CommandId::Open);
         return t.host.openRequests.size() > 2u;  // beyond the two opens of the setup
     },
     1},
    {"SaveBeforeClose",
     [](FileFaultTest& t) {
         t.host.messageAnswers.push_back(DialogAnswer::Yes);
         return RequestClose(t.ed);
     },
     1},
};

struct WriteStep {
    const char* name;
    Op op;
    int error;
    unsigned line;
};

const WriteStep kWriteSteps[] = {
    {"Create", Op::CreateTemp, EACCES, kSaveCreateErrorLine},
    {"Write", Op::Write, ENOSPC, kSaveWriteErrorLine},
    {"Flush", Op::Flush, EIO, kSaveWriteErrorLine},
    {"Close", Op::Close, EDQUOT, kSaveWriteErrorLine},
    {"Rename", Op::Rename, EXDEV, kSaveWriteErrorLine},
};

class WriteFault : public FileFaultTest, public ::testing::WithParamInterface<std::tuple<WriteCommand, WriteStep>> {};

TEST_P(WriteFault, IsReportedAndLeavesTheTargetTheDocumentAndTheFolderAlone) {
    const auto& [command, step] = GetParam();
    OpenEditedImage();
    const Observed before = Observe();
    files.chunk = 50;  // a failing write comes after some writes went through
    files.FailAt(step.op, step.error, step.op == Op::Write ? 2 : 0);
    const bool wentOn = command.run(*this);

    EXPECT_EQ(wentOn, command.messagesBefore == 0);
    ASSERT_EQ(host.messages.size(), std::size_t(command.messagesBefore + 1));
    ExpectReport(host.messages.back(), step.line, step.error);
    EXPECT_EQ(Observe(), before);
    EXPECT_EQ(files.OpenHandles(), 0u);

    // Once the fault is gone the same command saves the image.
    files.Heal();
    host.messages.clear();
    EXPECT_TRUE(command.run(*this));
    EXPECT_EQ(host.messages.size(), std::size_t(command.messagesBefore));
    EXPECT_EQ(ed.doc.modified, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryCommandAndStep, WriteFault,
                         ::testing::Combine(::testing::ValuesIn(kWriteCommands), ::testing::ValuesIn(kWriteSteps)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

// Save and Save As never put a file in the place of a pipe (or a device or socket) of that
// name: the user is told, and the pipe, the document and the folder stay as they were.
TEST_F(FileFaultTest, APipeInTheTargetsPlaceIsNotReplaced) {
    const struct {
        const char* name;
        const char* pipe;  // made in the folder before the command
        std::function<void(FileFaultTest&)> run;
    } cases[] = {
        {"SaveAsOntoAPipe", "pipe.bmp", [](FileFaultTest& t) { SaveAsTo(t, "pipe.bmp"); }},
        {"SaveOverTheDocumentsFileBecomeAPipe", "current.bmp",
         [](FileFaultTest& t) { Dispatch(t.ed, CommandId::Save); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenEditedImage();
        const std::filesystem::path pipe = dir.Path() / c.pipe;
        std::filesystem::remove(pipe);
        ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
        const Observed before = Observe();
        c.run(*this);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, pipe.string() + " is not a regular file, so it cannot be replaced by a bitmap.");
        EXPECT_EQ(host.messages[0].caption, "Rastrix");
        EXPECT_EQ(Observe(), before);
        EXPECT_TRUE(std::filesystem::is_fifo(pipe));
        std::filesystem::remove(pipe);
    }
}

TEST_F(FileFaultTest, SaveAsWhoseReloadFailsStillMakesTheWrittenFileTheDocument) {
    OpenEditedImage();
    const Bitmap edited = CurrentImage(ed);
    files.FailAt(Op::OpenRead, EIO);  // the write opens nothing for reading; the reload does
    SaveAsTo(*this, "saved");

    ASSERT_EQ(host.messages.size(), 1u);
    ExpectReport(host.messages[0], 2293, EIO, PathOf("saved.bmp"));  // the reload names the file
    const std::string written = PathOf("saved.bmp");
    EXPECT_EQ(ReadBytes(written), BmpOf(edited));
    EXPECT_EQ(ed.doc.currentPath, written);
    EXPECT_EQ(ed.doc.caption, "Rastrix - " + written + "  154 bytes");  // 6 x 5 at 24 bits
    EXPECT_EQ(ed.recent.entries[0], written);
    EXPECT_EQ(ed.doc.modified, 0);
    EXPECT_EQ(ed.doc.needsSaveAs, 0);
    EXPECT_EQ(CurrentImage(ed), edited);

    // A later edit is saved to the written file, not to the name the image had before.
    ASSERT_TRUE(PushCopy(ed));
    CurrentImage(ed).SetPixel(1, 1, ColorFromRgb(9, 9, 9));
    Dispatch(ed, CommandId::Save);
    EXPECT_EQ(ReadBytes(written), BmpOf(CurrentImage(ed)));
    EXPECT_EQ(ReadBytes(PathOf("current.bmp")), BmpOf(Pattern(6, 5)));
}

}  // namespace
}  // namespace rastrix::testing
