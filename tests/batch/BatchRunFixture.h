#pragma once
// What the rastrix-batch suites share: a small picture, the editor's own way to the same file,
// and running the tool with its messages captured.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "batch/BatchRun.h"
#include "codec/BmpWriter.h"
#include "document/ChangeSizeDialog.h"
#include "document/SaveFile.h"
#include "editor/CommandIds.h"
#include "frame/CommandDispatch.h"
#include "selection/SelectionDrag.h"
#include "store/StoreTestSupport.h"
#include "support/EditorFixture.h"
#include "support/EncodedBmpFile.h"

namespace rastrix::batch_test {

using testing::Bytes;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;


// 30 x 20: a plain white border three pixels wide round six colours in an asymmetric pattern.
inline Bitmap Picture() {
    static constexpr Color kColors[] = {ColorFromRgb(200, 10, 10), ColorFromRgb(10, 150, 20), ColorFromRgb(0, 0, 255),
                                         ColorFromRgb(250, 200, 0), ColorFromRgb(90, 0, 90), ColorFromRgb(0, 0, 0)};
    Bitmap b(30, 20, ColorFromRgb(255, 255, 255));
    for (int y = 3; y < 17; ++y)
        for (int x = 3; x < 27; ++x) b.SetPixel(x, y, kColors[(x * 3 + y * y) % 6]);
    return b;
}

inline Bytes Bmp24(const Bitmap& b) { return testing::EncodeBmpFile(b, 24, [](int) { return true; }).bytes; }

// The user's drag from one pixel to another with a selection tool.
inline void DragFrom(Editor& ed, Point from, Point to) {
    SelectionDragStart(ed, from);
    SelectionDragStep(ed, to);
    SelectionButtonUp(ed, true);
}

struct BatchRun {
    int status = -1;
    std::string errors;
};

class BatchRunTest : public test::EditorTest {
public:
    std::string PathOf(const std::string& name) const { return (dir.Path() / name).string(); }
    std::string Put(const std::string& name, const Bytes& bytes) {
        WriteBytes(dir.Path() / name, bytes);
        return PathOf(name);
    }
    BatchRun Batch(std::vector<std::string> args) {
        ::testing::internal::CaptureStderr();
        const int status = batch::RunBatch(args);
        return {status, ::testing::internal::GetCapturedStderr()};
    }
    // What the editor writes: the file opened through File > Open, the steps done with its
    // own menu, tools and dialogs, then Save As with the filter of a depth.
    Bytes EditorSaves(const std::string& input, const std::function<void()>& steps, int filterIndex) {
        host.openAnswers.push_back(FileDialogResult{input, 1});
        Dispatch(ed, CommandId::Open);
        steps();
        host.saveAnswers.push_back(FileDialogResult{PathOf("editor.bmp"), filterIndex});
        Dispatch(ed, CommandId::SaveAs);
        for (const auto& m : host.messages) EXPECT_EQ(m.text.rfind(kColorLossTextBefore, 0), 0u) << m.text;
        return ReadBytes(dir.Path() / "editor.bmp");
    }
    void AnswerYes() { host.messageAnswers.push_back(DialogAnswer::Yes); }
    // The next dialog is filled in and closed by the script.
    void ScriptDialog(std::function<int(DialogModel&)> script) { host.modalScripts.push_back(std::move(script)); }
    void ChangeSizeTo(int width, int height) {
        host.modalScripts.push_back([width, height](DialogModel& d) {
            d.TextChanged(ChangeSizeDialog::kWidthEdit, std::to_string(width));
            d.TextChanged(ChangeSizeDialog::kHeightEdit, std::to_string(height));
            d.Command(DialogAnswer::Ok);
            return d.Result();
        });
        Dispatch(ed, CommandId::ChangeImageSize);
    }

    TempFolder dir;
};

}  // namespace rastrix::batch_test
