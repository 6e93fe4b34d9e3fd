#pragma once
// A seeded random session: an Editor driven through its public events for a number of steps,
// with every invariant checked after each step. The same seed always gives the same session.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "session/Prng.h"
#include "session/SessionChecks.h"
#include "session/SessionWorld.h"
#include "support/FakeHost.h"

namespace rastrix::session {

// The commands a random step draws from: every command of the table but those named here with
// the reason they are not drawn, each as often as its weight says (1 where none is given).
const std::map<CommandId, std::string>& CommandsNotDrawn();
const std::map<CommandId, int>& CommandWeights();
const std::vector<CommandId>& CommandPool();

class Session {
public:
    explicit Session(std::uint64_t seed);

    // Runs up to `steps` steps, stopping at the first broken invariant. Returns an empty
    // string, or the fault with the seed, the step number and the last steps taken.
    std::string Run(int steps);

    const Editor& Ed() const { return ed_; }
    const Coverage& Seen() const { return seen_; }

private:
    // Picks one event at random, sends it, and describes it; fills `kind` for the checks.
    std::string Act(StepKind& kind, std::string& fault);
    std::string Command(CommandId id, StepKind& kind, std::string& fault);
    std::string Mouse(StepKind& kind);
    std::string AdjustDialogEdit();
    std::string ClipboardChange();
    // The front end after every event: the frame's paint, and the image window's when asked.
    void Repaint();

    std::uint64_t seed_;
    Prng rng_;
    test::FakeHost host_;
    Editor ed_{host_};
    SessionWorld world_;
    UndoModel model_;
    Coverage seen_;
    std::deque<std::string> recent_;  // the last steps, for the failure report
    bool leftHeld_ = false;
    bool rightHeld_ = false;
};

}  // namespace rastrix::session
