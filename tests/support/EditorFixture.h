#pragma once
// An Editor with a scripted host and a laid-out frame, for driving behaviour headless.
#include <gtest/gtest.h>

#include "editor/Editor.h"
#include "frame/FrameSizing.h"
#include "support/FakeHost.h"
#include "frame/CommandDispatch.h"

namespace rastrix::test {

class EditorTest : public ::testing::Test {
protected:
    EditorTest() {
        ed.frame = InitFrameState(ed.settings);
        OnFrameResize(ed.frame, SizeKind::Maximized, 1024, 768);
    }

    // Observable state of one command: menu item and tool-bar button.
    bool MenuEnabled(CommandId id) const { return ShownCommandStates(ed).MenuItem(id).value().enabled; }
    bool ButtonEnabled(CommandId id) const { return ShownCommandStates(ed).Button(id).value().Clickable(); }

    FakeHost host;
    Editor ed{host};
};

}  // namespace rastrix::test
