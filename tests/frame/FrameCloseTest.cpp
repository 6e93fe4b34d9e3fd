#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/Host.h"
#include "frame/FrameClose.h"
#include "frame/FrameSizing.h"

namespace rastrix {
namespace {

class FrameClosing : public ::testing::Test {
protected:
    void SetUp() override {
        settings.windowRect = start;
        settings.maximized = 1;
        state = InitFrameState(settings);
        hooks.releaseFile = [this] { calls.push_back("releaseFile"); };
        hooks.clearImageStack = [this] { calls.push_back("clearImageStack"); };
        hooks.writeSettings = [this] {
            calls.push_back("writeSettings");
            written = settings;  // what reaches the disk
        };
    }
    AskToSaveFn Answer(int answer) {
        return [this, answer] {
            ++asked;
            return answer;
        };
    }

    const WindowRect start{100, 80, 740, 530};
    DocumentState doc;
    SettingsRecord settings;
    SettingsRecord written;
    FrameState state;
    ShutdownHooks hooks;
    std::vector<std::string> calls;
    int asked = 0;
};

TEST_F(FrameClosing, UnmodifiedImageClosesWithoutAsking) {
    EXPECT_EQ(CloseFrame(state, doc, settings, Answer(DialogAnswer::Cancel), hooks), CloseOutcome::Closed);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"releaseFile", "clearImageStack", "writeSettings"}));
}

TEST_F(FrameClosing, CancelKeepsTheFrameOpenAndWritesNothing) {
    doc.modified = 1;
    OnFrameResize(state, SizeKind::Restored, 600, 400, WindowRect{5, 5, 605, 405});
    EXPECT_EQ(CloseFrame(state, doc, settings, Answer(DialogAnswer::Cancel), hooks), CloseOutcome::StaysOpen);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(settings.windowRect, start);
    EXPECT_EQ(settings.maximized, 1);
    EXPECT_EQ(CloseFrame(state, doc, settings, nullptr, hooks), CloseOutcome::StaysOpen);
    EXPECT_TRUE(calls.empty());
}

TEST_F(FrameClosing, YesAndNoBothClose) {
    doc.modified = 1;
    EXPECT_EQ(CloseFrame(state, doc, settings, Answer(DialogAnswer::Yes), hooks), CloseOutcome::Closed);
    EXPECT_EQ(CloseFrame(state, doc, settings, Answer(DialogAnswer::No), hooks), CloseOutcome::Closed);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(calls.size(), 6u);
}

TEST_F(FrameClosing, RestoredFrameRecordsItsLastRectangle) {
    OnFrameResize(state, SizeKind::Restored, 600, 400, WindowRect{10, 20, 630, 450});
    OnFrameMoved(state, WindowRect{50, 60, 670, 490});
    CloseFrame(state, doc, settings, Answer(DialogAnswer::No), hooks);
    EXPECT_EQ(written.maximized, 0);
    EXPECT_EQ(written.windowRect, (WindowRect{50, 60, 670, 490}));
}

TEST_F(FrameClosing, MaximisedFrameKeepsTheStartRectangle) {
    OnFrameResize(state, SizeKind::Restored, 600, 400, WindowRect{10, 20, 630, 450});
    OnFrameResize(state, SizeKind::Maximized, 1920, 1000, WindowRect{-4, -4, 1924, 1044});
    OnFrameMoved(state, WindowRect{-4, -4, 1924, 1044});
    OnFrameResize(state, SizeKind::Minimized, 0, 0);  // minimised from maximised
    CloseFrame(state, doc, settings, Answer(DialogAnswer::No), hooks);
    EXPECT_EQ(written.maximized, 1);
    EXPECT_EQ(written.windowRect, start);
}

TEST_F(FrameClosing, MinimisedFrameRecordsItsRestoredRectangle) {
    OnFrameResize(state, SizeKind::Restored, 600, 400, WindowRect{10, 20, 630, 450});
    OnFrameResize(state, SizeKind::Minimized, 0, 0, WindowRect{-32000, -32000, -31840, -31973});
    OnFrameMoved(state, WindowRect{-32000, -32000, -31840, -31973});
    CloseFrame(state, doc, settings, Answer(DialogAnswer::No), hooks);
    EXPECT_EQ(written.maximized, 0);
    EXPECT_EQ(written.windowRect, (WindowRect{10, 20, 630, 450}));
}

}  // namespace
}  // namespace rastrix
