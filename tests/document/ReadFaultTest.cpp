// Every command that reads a file, against every step of the read failing: the user is told
// with the right numbered report, and nothing else changes.
#include <sys/stat.h>

#include <functional>

#include "document/FileErrorLines.h"
#include "document/FileFaultFixture.h"
#include "document/JoinDialog.h"
#include "editor/ReportError.h"

namespace rastrix::testing {
namespace {

struct ReadCommand {
    const char* name;
    // Runs the command; arm() is called just before the read that is to fail.
    void (*run)(FileFaultTest& t, const std::function<void()>& arm);
    unsigned (*line)(FileStep step);
    int messagesBefore;  // the save question comes first where the image is modified
    const char* file;    // the file the failing read is on, which the report names
};

// Runs the join dialog: browses other.bmp into the top-left place, then presses Join.
int RunJoinDialog(DialogModel& m, const std::function<void()>& beforeJoin) {
    auto& d = dynamic_cast<JoinDialog&>(m);
    d.Command(JoinDialog::kFirstBrowse);
    beforeJoin();
    d.Command(DialogAnswer::Ok);
    if (!d.Ended()) d.Command(DialogAnswer::Cancel);
    return d.Result();
}

const ReadCommand kReadCommands[] = {
    {"Open",
     [](FileFaultTest& t, const std::function<void()>& arm) {
         t.host.messageAnswers.push_back(DialogAnswer::No);
         t.host.openAnswers.push_back(FileDialogResult{t.PathOf("other.bmp"), 1});
         arm();
         Dispatch(t.ed, CommandId::Open);
     },
     LoadErrorLine, 1, "other.bmp"},
    {"Reload",
     [](FileFaultTest& t, const std::function<void()>& arm) {
         t.host.messageAnswers.push_back(DialogAnswer::No);
         arm();
         Dispatch(t.ed, CommandId::RecentFile0);
     },
     LoadErrorLine, 1, "current.bmp"},
    {"RecentFile",
     [](FileFaultTest& t, const std::function<void()>& arm) {
         t.host.messageAnswers.push_back(DialogAnswer::No);
         arm();
         Dispatch(t.ed, CommandId::RecentFile1);
     },
     LoadErrorLine, 1, "other.bmp"},
    {"JoinBrowse",
     [](FileFaultTest& t, const std::function<void()>& arm) {
         t.host.messageAnswers.push_back(DialogAnswer::No);
         t.host.openAnswers.push_back(FileDialogResult{t.PathOf("other.bmp"), 1});
         t.host.modalScripts.push_back([arm, &t](DialogModel& m) {
             auto& d = dynamic_cast<JoinDialog&>(m);
             arm();
             d.Command(JoinDialog::kFirstBrowse);
             t.joinLabel = d.Text(JoinDialog::kFirstLabel);
             d.Command(DialogAnswer::Cancel);
             return d.Result();
         });
         Dispatch(t.ed, CommandId::JoinFiles);
     },
     BrowseErrorLine, 1, "other.bmp"},
    {"Join",
     [](FileFaultTest& t, const std::function<void()>& arm) {
         t.host.messageAnswers.push_back(DialogAnswer::No);
         t.host.openAnswers.push_back(FileDialogResult{t.PathOf("other.bmp"), 1});
         t.host.modalScripts.push_back([arm](DialogModel& m) { return RunJoinDialog(m, arm); });
         Dispatch(t.ed, CommandId::JoinFiles);
     },
     JoinErrorLine, 1, "other.bmp"},
};

struct ReadStep {
    const char* name;
    Op op;
    int error;
    int nth;
    std::size_t chunk;
    FileStep step;
};

const ReadStep kReadSteps[] = {
    {"Open", Op::OpenRead, EACCES, 0, SIZE_MAX, FileStep::Open},
    {"Size", Op::Size, EIO, 0, SIZE_MAX, FileStep::Size},
    {"Read", Op::Read, EIO, 0, SIZE_MAX, FileStep::Read},
    {"ReadAfterShortReads", Op::Read, EIO, 2, 16, FileStep::Read},
};

class ReadFault : public FileFaultTest, public ::testing::WithParamInterface<std::tuple<ReadCommand, ReadStep>> {};

TEST_P(ReadFault, IsReportedAndChangesNothing) {
    const auto& [command, step] = GetParam();
    OpenEditedImage();
    const Observed before = Observe();
    files.chunk = step.chunk;
    command.run(*this, [&, step = step] { files.FailAt(step.op, step.error, step.nth); });
    EXPECT_EQ(joinLabel, "");  // a browsed file that could not be read shows no size

    ASSERT_EQ(host.messages.size(), std::size_t(command.messagesBefore + 1));
    ExpectReport(host.messages.back(), command.line(step.step), step.error, PathOf(command.file));
    // The same report as the value rastrix-batch reads: its kind and facts, taken once.
    const std::optional<Problem> problem = TakeProblem(ed);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->kind, Problem::Kind::SystemCall);
    EXPECT_EQ(problem->errorCode, step.error);
    EXPECT_EQ(problem->line, command.line(step.step));
    EXPECT_EQ(problem->file, PathOf(command.file));
    EXPECT_FALSE(TakeProblem(ed));
    if (std::string(command.name) == "Join") {
        // The user was offered to save before the dialog; the join ends with what was drawn
        // before the failing file, here the bare canvas, as a new unsaved image.
        const Observed after = Observe();
        EXPECT_EQ(after.files, before.files);
        EXPECT_EQ(CurrentImage(ed), Bitmap(4, 5, ed.settings.backColor));
        EXPECT_EQ(ed.doc.caption, "Rastrix - Untitled.bmp");
        EXPECT_EQ(ed.doc.modified, 1);
        EXPECT_EQ(ed.doc.undoDepth, 0);
    } else {
        EXPECT_EQ(Observe(), before);
    }
    EXPECT_EQ(files.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryCommandAndStep, ReadFault,
                         ::testing::Combine(::testing::ValuesIn(kReadCommands), ::testing::ValuesIn(kReadSteps)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

class ShortReads : public FileFaultTest, public ::testing::WithParamInterface<ReadCommand> {};

TEST_P(ShortReads, StillGiveTheWholeFile) {
    OpenEditedImage();
    files.chunk = 3;
    GetParam().run(*this, [] {});
    EXPECT_EQ(host.messages.size(), std::size_t(GetParam().messagesBefore));
    const Bitmap expected = Pattern(std::string(GetParam().name) == "Reload" ? 6 : 4, 5);
    if (std::string(GetParam().name) == "JoinBrowse") {
        EXPECT_EQ(joinLabel, "4 x 5");
    } else {
        EXPECT_EQ(Part(CurrentImage(ed), 0, 0, expected.Width(), expected.Height()), expected);
        EXPECT_EQ(ed.doc.undoDepth, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, ShortReads, ::testing::ValuesIn(kReadCommands),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileFaultTest, APipeNamedAsAnImageIsRefusedWithoutWaitingForAWriter) {
    OpenEditedImage();
    const Observed before = Observe();
    ASSERT_EQ(::mkfifo(PathOf("pipe.bmp").c_str(), 0600), 0);
    host.messageAnswers.push_back(DialogAnswer::No);
    host.openAnswers.push_back(FileDialogResult{PathOf("pipe.bmp"), 1});
    Dispatch(ed, CommandId::Open);
    ASSERT_EQ(host.messages.size(), 2u);
    ExpectReport(host.messages.back(), kLoadBufferFailedLine, EINVAL, PathOf("pipe.bmp"));
    Observed after = Observe();
    after.files.erase("pipe.bmp");
    EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace rastrix::testing
