#include "batch/BatchSteps.h"

#include "batch/BatchAlpha.h"
#include "batch/BatchOptionTable.h"
#include "batch/BatchProblem.h"
#include "batch/BatchSizes.h"
#include "document/ChangeSize.h"
#include "edit/ScaleImage.h"
#include "draw/Colors.h"
#include "draw/PixelTools.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "frame/CommandDispatch.h"
#include "raster/PixelPool.h"
#include "selection/SelectionDrag.h"

namespace rastrix::batch {

namespace {

// The option that runs a command, as the user gave it.
std::string NameOf(CommandId id) {
    const OptionSpec* o = OptionRunning(id);
    return o ? "--" + std::string(o->longName) : "this step";
}

std::string SizeText(const Editor& ed) {
    return std::to_string(ed.doc.imageWidth) + " x " + std::to_string(ed.doc.imageHeight);
}

}  // namespace

std::string RefusalText(CommandId id, const Availability& why) {
    const std::string name = NameOf(id);
    using Kind = Availability::Kind;
    switch (why.kind) {
        case Kind::Ok: return {};
        case Kind::NeedsSelection: return name + " needs a selection: give --select or --mark-border before it";
        case Kind::NeedsRectangleSelection:
            return name + " works on a rectangle selection only: give --shape rectangle before --select";
        case Kind::ShapeDoesNotFit: return name + " of this kind does not fit the selection's shape (see --fill in --help)";
        case Kind::NeedsImage:
        case Kind::NothingToUndo:
        case Kind::NothingToRestore: break;
    }
    return name + " cannot be used on this image and selection (see --help)";
}

namespace {

// A drag of the mouse from one corner to the opposite one, as the user marks a selection;
// a rising line is marked from the bottom-left corner.
void Drag(Editor& ed, const Rect& r, bool rising) {
    const Point from = rising ? Point{r.left, r.bottom} : Point{r.left, r.top};
    const Point to = rising ? Point{r.right, r.top} : Point{r.right, r.bottom};
    SelectionDragStart(ed, from);
    SelectionDragStep(ed, to);
    SelectionButtonUp(ed, true);
}

std::string Command(Editor& ed, CommandId id) {
    if (const Availability why = CanRun(ed, id); !why.Ok()) return RefusalText(id, why);
    Dispatch(ed, id);
    return {};
}

std::string ChangeSize(Editor& ed, int width, int height) {
    if (const Availability why = CanRun(ed, CommandId::ChangeImageSize); !why.Ok())
        return RefusalText(CommandId::ChangeImageSize, why);
    RunChangeImageSize(ed, {width, height});  // a refusal is the editor's problem, taken after the step
    return {};
}

std::string Bucket(Editor& ed, int x, int y) {
    if (x >= ed.doc.imageWidth || y >= ed.doc.imageHeight)
        return "--bucket " + std::to_string(x) + "," + std::to_string(y) + " lies outside the " +
               SizeText(ed) + " image";
    BucketFill(ed, Point{x, y}, true);
    return {};
}

std::string Scale(Editor& ed, const Step& s) {
    const ScaleFit fit = s.c == 0 ? ScaleFit::Fit : s.c == 1 ? ScaleFit::Cover : ScaleFit::Exact;
    const ScaleFilter filter = s.d == 1 ? ScaleFilter::Nearest : ScaleFilter::Lanczos;
    RunScaleImage(ed, {s.a, s.b, false, filter, fit});  // a refusal is the editor's problem, taken after the step
    return {};
}

std::string Run(Editor& ed, const Step& given, StepMemory& memory) {
    // A size given from the picture's ("800x", "50%", "800x480>") is worked out for the image
    // as it is now, and refused beyond the limits before anything is made.
    std::optional<Step> concrete;
    if (given.sizeForm != kSizeExact) {
        std::string refusal;
        concrete = ConcreteSizeStep(given, ed.doc.imageWidth, ed.doc.imageHeight, refusal);
        if (!refusal.empty()) return refusal;
        if (!concrete) return {};  // only shrinks, and the picture is inside the box already
    }
    const Step& s = concrete ? *concrete : given;
    switch (s.kind) {
        case StepKind::Select:
            if (s.a + s.c > ed.doc.imageWidth || s.b + s.d > ed.doc.imageHeight)
                return "--select " + std::to_string(s.a) + "," + std::to_string(s.b) + "," + std::to_string(s.c) + "," +
                       std::to_string(s.d) + " reaches beyond the " + SizeText(ed) + " image";
            Drag(ed, Rect{s.a, s.b, s.a + s.c, s.b + s.d}, memory.risingLine);
            return {};
        case StepKind::Shape:
            Dispatch(ed, s.command);
            // A line runs the way it was dragged: the next drags go that way, and a selection
            // that is there already is dragged again.
            memory.risingLine = s.b != 0;
            if (ed.selection.active && memory.risingLine != ed.selection.lineReversed)
                Drag(ed, ed.selection.rect.Normalized(), memory.risingLine);
            return {};
        case StepKind::Unselect:
            if (ed.selection.active) Dispatch(ed, CommandId::Unselect);
            return {};
        case StepKind::MarkBorder: return Command(ed, CommandId::MarkBorder);
        case StepKind::Command: return Command(ed, s.command);
        case StepKind::Size: return ChangeSize(ed, s.a, s.b);
        case StepKind::Bucket: return Bucket(ed, s.a, s.b);
        case StepKind::Foreground: SetForeColor(ed, s.color); return {};
        case StepKind::Background: SetBackColor(ed, s.color); return {};
        // What the Set Line Style and Set Fill Style dialogs store.
        case StepKind::LineWidth: ed.settings.lineWidth = std::uint8_t(s.a); return {};
        case StepKind::LineStyle: ed.settings.lineStyleIndex = std::uint8_t(s.a); return {};
        case StepKind::FillStyle: ed.settings.hatchStyleIndex = std::uint8_t(s.a); return {};
        case StepKind::Scale: return Scale(ed, s);
    }
    return {};
}

}  // namespace

bool IsStyle(StepKind kind) {
    return kind == StepKind::Foreground || kind == StepKind::Background || kind == StepKind::LineWidth ||
           kind == StepKind::LineStyle || kind == StepKind::FillStyle;
}

std::string RunStep(Editor& ed, const Step& step, StepMemory& memory) {
    AlphaFollower alpha(memory.alpha);
    std::string reason = alpha.Before(ed, step);
    if (!reason.empty()) return reason;
    reason = Run(ed, step, memory);
    DropUndoLevels(ed);
    PixelPool::Shared().FreeKept();
    if (reason.empty()) reason = TakeProblemReason(ed);
    if (reason.empty()) reason = alpha.After(ed);
    return reason;
}

}  // namespace rastrix::batch
