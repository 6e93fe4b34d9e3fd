#include "session/Session.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "editor/CommandTable.h"
#include "editor/ImageStack.h"
#include "frame/EditorEvents.h"
#include "frame/FrameSizing.h"
#include "selection/AdjustDialog.h"
#include "view/Coordinates.h"
#include "view/EditorView.h"

namespace rastrix::session {

namespace {
constexpr std::size_t kStepsKept = 20;
}  // namespace

const std::map<CommandId, std::string>& CommandsNotDrawn() {
    static const std::map<CommandId, std::string> notDrawn = [] {
        std::map<CommandId, std::string> m = {
            {CommandId::Exit, "it ends the session"},
            {CommandId::VisitWebsite, "it only hands the program's address to the platform"},
            {CommandId::ExportForDevice, "its dialog has no scripted answers in the session world yet"},
        };
        for (int k = 3; k < kRecentCount; ++k)
            m[RecentFileCommand(k)] = "the first three recent files stand for the whole list";
        return m;
    }();
    return notDrawn;
}

const std::map<CommandId, int>& CommandWeights() {
    using enum CommandId;
    static const std::map<CommandId, int> weights = {
        {New, 2}, {Open, 3}, {Save, 2}, {SaveAs, 2}, {Undo, 11}, {Copy, 2}, {Paste, 3}, {Crop, 2},
        {RestoreSelection, 2}, {ChangeImageSize, 2}, {ScaleImage, 4}, {ReduceColors, 3},
        {RotateClockwise, 2}, {RotateCounterClockwise, 2}, {Rotate180, 2}, {FlipHorizontal, 2}, {FlipVertical, 2},
        {ShiftLeft, 2}, {ShiftRight, 2}, {ShiftUp, 2}, {ShiftDown, 2},
        {Pen, 3}, {Bucket, 3}, {PickColor, 3}, {RectangleSelection, 3}, {RoundedRectangleSelection, 3},
        {EllipseSelection, 3}, {LineSelection, 3},
        {FillLine, 2}, {FillSolid, 2}, {FillTwoColor, 2}, {FillInterior, 2}, {FillExterior, 2},
    };
    return weights;
}

const std::vector<CommandId>& CommandPool() {
    static const std::vector<CommandId> pool = [] {
        std::vector<CommandId> p;
        for (const CommandInfo& c : kCommandTable) {
            if (CommandsNotDrawn().contains(c.id)) continue;
            const auto weight = CommandWeights().find(c.id);
            p.insert(p.end(), std::size_t(weight == CommandWeights().end() ? 1 : weight->second), c.id);
        }
        return p;
    }();
    return pool;
}

namespace {

bool MayReplace(CommandId id) {
    return id == CommandId::New || id == CommandId::Open || id == CommandId::JoinFiles || id == CommandId::Save || id == CommandId::SaveAs ||
           id == CommandId::OpenNamed || id == CommandId::Paste || id == CommandId::PasteIntoNewFile ||
           RecentPositionOf(id) >= 0;
}

}  // namespace

Session::Session(std::uint64_t seed) : seed_(seed), rng_(seed), world_(rng_) {
    ed_.frame = InitFrameState(ed_.settings);
    FrameResized(ed_, SizeKind::Maximized, 400, 300);
    Repaint();
}

void Session::Repaint() {
    ClipboardMayHaveChanged(ed_);
    if (ed_.view.repaintNeeded) PaintImageWindow(ed_);
}

std::string Session::Run(int steps) {
    for (int step = 0; step < steps; ++step) {
        world_.Refill(host_);
        const Before before = TakeBefore(ed_);
        const std::string beforeState = DescribeState(ed_);
        StepKind kind;
        std::string fault;
        const std::string what = Act(kind, fault);
        Repaint();
        recent_.push_back(std::to_string(step) + ": " + what);
        if (recent_.size() > kStepsKept) recent_.pop_front();

        if (fault.empty()) fault = model_.Advance(ed_, before, kind, seen_);
        if (fault.empty()) fault = CheckDocumentAndStates(ed_, world_.PathOf(""));
        if (ed_.selection.active) ++seen_.selectedSteps;
        if (!fault.empty()) {
            std::ostringstream report;
            report << "seed " << seed_ << ", step " << step << ": " << fault << "\nreplay with RASTRIX_SEED=" << seed_
                   << " RASTRIX_STEPS=" << step + 1 << "\nnow: " << DescribeState(ed_) << "\nbefore: " << beforeState
                   << "\nlast steps:\n";
            for (const std::string& s : recent_) report << "  " << s << "\n";
            return report.str();
        }
    }
    return {};
}

std::string Session::Act(StepKind& kind, std::string& fault) {
    const bool dialogOpen = OpenAdjustDialogModel(ed_) != nullptr;
    const int roll = rng_.Below(100);
    if (leftHeld_ || rightHeld_ ? roll < 70 : roll < 30) return Mouse(kind);
    if (dialogOpen && roll < 45) return AdjustDialogEdit();
    if (roll < 49) return ClipboardChange();
    if (roll < 52) {
        const int w = rng_.Pick(std::vector<int>{400, 640, 200, 120, 60});
        const int h = rng_.Pick(std::vector<int>{300, 480, 150, 90, 40});
        const SizeKind k = rng_.Chance(10) ? SizeKind::Minimized : rng_.Chance(50) ? SizeKind::Restored : SizeKind::Maximized;
        FrameResized(ed_, k, w, h);
        return "frame resized to " + std::to_string(w) + "x" + std::to_string(h);
    }
    if (roll < 55) {
        const auto bar = rng_.Chance(50) ? ScrollBarKind::Horizontal : ScrollBarKind::Vertical;
        const int request = rng_.Below(9), thumb = rng_.Between(-2, kMaxSide + 2);
        ImageScroll(ed_, bar, ScrollRequest(request), thumb);
        return "scroll " + std::to_string(request) + " to " + std::to_string(thumb);
    }
    if (roll < 58) {
        const auto& edges = ed_.frame.layout.statusPartEdges;
        const int part = rng_.Below(5);
        const int x = std::max(0, edges[std::size_t(part)] - rng_.Between(1, 20));
        StatusBarMouseMove(ed_, x, 5);
        StatusBarLeftDown(ed_, x, 5);
        return "status bar click at " + std::to_string(x);
    }
    return Command(rng_.Pick(CommandPool()), kind, fault);
}

std::string Session::Command(CommandId id, StepKind& kind, std::string& fault) {
    kind.undo = id == CommandId::Undo;
    kind.mayReplace = MayReplace(id);
    // A save to check: where it goes and at which depth.
    std::string target;
    int depth = 24;
    const bool withDialog = id == CommandId::SaveAs || (id == CommandId::Save && ed_.doc.needsSaveAs);
    if (HasImage(ed_) && (id == CommandId::Save || id == CommandId::SaveAs)) {
        if (withDialog) {
            if (!host_.saveAnswers.empty() && host_.saveAnswers.front()) {
                target = SessionWorld::SavedName(host_.saveAnswers.front()->path);
                depth = std::vector<int>{1, 4, 8, 24}[std::size_t(std::clamp(host_.saveAnswers.front()->filterIndex, 1, 4) - 1)];
            }
        } else {
            target = ed_.doc.currentPath;
            const std::uint32_t d = ed_.doc.imageBitDepth;
            depth = d == 1 || d == 4 || d == 8 ? int(d) : 24;
        }
        std::error_code ignored;
        if (!target.empty()) std::filesystem::remove(target, ignored);
    }
    const Bitmap image = HasImage(ed_) ? CurrentImage(ed_) : Bitmap();

    const int depthBefore = ed_.doc.undoDepth;
    const void* topBefore = HasImage(ed_) ? CurrentImage(ed_).Data() : nullptr;
    RunCommand(ed_, id);

    std::string what = "command " + std::to_string(NumberOf(id));
    // Scale Image and Reduce Colours with the parameters the seed typed into their dialogs.
    if ((id == CommandId::ScaleImage || id == CommandId::ReduceColors) && HasImage(ed_) &&
        (ed_.doc.undoDepth != depthBefore || CurrentImage(ed_).Data() != topBefore)) {
        ++(id == CommandId::ScaleImage ? seen_.scales : seen_.reductions);
        what += " made " + std::to_string(ed_.doc.imageWidth) + "x" + std::to_string(ed_.doc.imageHeight);
        if (id == CommandId::ReduceColors) fault = CheckReducedLevel(ed_);
    }
    if (!target.empty() && std::filesystem::exists(target)) {
        what += " saved " + std::filesystem::path(target).filename().string() + " at " + std::to_string(depth);
        fault = CheckSavedFile(ed_, target, depth, image, withDialog);
        ++(depth == 24 ? seen_.savesAt24 : seen_.savesBelow24);
    }
    return what;
}

std::string Session::Mouse(StepKind& kind) {
    // A point a little beyond the image on every side, or anywhere in the window.
    Point window;
    if (HasImage(ed_) && rng_.Chance(85)) {
        const int x = rng_.Between(-3, ed_.doc.imageWidth + 2), y = rng_.Between(-3, ed_.doc.imageHeight + 2);
        const int zoom = int(EffectiveZoom(ed_.settings.zoomPercent));
        window = {ImageToWindow(x, zoom, ed_.view.scrollOriginX) + rng_.Below(std::max(1, zoom / 100)),
                  ImageToWindow(y, zoom, ed_.view.scrollOriginY) + rng_.Below(std::max(1, zoom / 100))};
    } else {
        window = {rng_.Between(-5, 700), rng_.Between(-5, 500)};
    }
    const bool pen = ed_.view.toolCursor == CursorKind::Pen;
    const std::string at = " at " + std::to_string(window.x) + "," + std::to_string(window.y);
    if (leftHeld_ || rightHeld_) {
        if (rng_.Chance(80)) {
            kind.penMove = pen;
            ImageMouseMove(ed_, window.x, window.y, leftHeld_, rightHeld_);
            return std::string("drag") + at;
        }
        const bool left = leftHeld_;
        leftHeld_ = rightHeld_ = false;
        kind.buttonUp = true;
        ImageButtonUp(ed_, left);
        return left ? "left up" : "right up";
    }
    if (rng_.Chance(30)) {
        ImageMouseMove(ed_, window.x, window.y, false, false);
        return "move" + at;
    }
    const bool left = rng_.Chance(75);
    (left ? leftHeld_ : rightHeld_) = true;
    kind.penPress = pen;
    ImageButtonDown(ed_, window.x, window.y, left);
    return std::string(left ? "left down" : "right down") + at;
}

std::string Session::AdjustDialogEdit() {
    AdjustSelectionDialog& d = *OpenAdjustDialogModel(ed_);
    const int field = ControlId::AdjustLeft + rng_.Below(4);
    switch (rng_.Below(5)) {
        case 0:
        case 1: {
            static const std::vector<std::string> odd{"", "abc", "-4", "99999", "40000", "7x"};
            const std::string text = rng_.Chance(75) ? std::to_string(rng_.Between(0, kMaxSide + 5)) : rng_.Pick(odd);
            d.FieldFocused(field);
            d.TextChanged(field, text);
            d.EditCommitted(field);
            return "adjust field " + std::to_string(field) + " = '" + text + "'";
        }
        case 2:
        case 3: {
            const int delta = rng_.Chance(50) ? 1 : -1;
            d.Spin(field + ControlId::AdjustArrowsOffset, delta);
            return "adjust arrow " + std::to_string(field) + " " + std::to_string(delta);
        }
        default: {
            const int button = rng_.Chance(50) ? DialogAnswer::Ok : DialogAnswer::Cancel;
            d.Command(button);
            return "adjust button " + std::to_string(button);
        }
    }
}

std::string Session::ClipboardChange() {
    if (rng_.Chance(25)) {
        host_.clipboard.reset();
        return "clipboard emptied";
    }
    ClipboardImage clip{RandomImage(rng_, 12), rng_.Pick(std::vector<int>{1, 4, 8, 24, 32})};
    const std::string what = "clipboard holds " + std::to_string(clip.bitmap.Width()) + "x" +
                             std::to_string(clip.bitmap.Height()) + " at " + std::to_string(clip.bitDepth);
    host_.clipboard = std::move(clip);
    return what;
}

}  // namespace rastrix::session
