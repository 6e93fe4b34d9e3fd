#include "selection/SelectionCommands.h"

#include <cstring>
#include <utility>

#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "editor/ReportError.h"
#include "selection/AdjustDialog.h"
#include "selection/MarkBorder.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {
namespace {

CursorKind ToolCursor(CommandId toolCommand) {
    switch (toolCommand) {
        case CommandId::Pen: return CursorKind::Pen;
        case CommandId::Bucket: return CursorKind::Bucket;
        case CommandId::PickColor: return CursorKind::Picker;
        default: return CursorKind::Cross;
    }
}

}  // namespace

void ChooseTool(Editor& ed, CommandId toolCommand) {
    if (!IsToolCommand(toolCommand)) return;
    ed.view.toolCursor = ToolCursor(toolCommand);
    if (IsSelectionShape(toolCommand)) ed.selection.shape = toolCommand;
    ed.draw.currentTool = toolCommand;
    // The outline may have changed shape.
    if (HasSelection(ed)) InvalidateImageWindow(ed);
}

void Unselect(Editor& ed) {
    EndSelection(ed);
    InvalidateImageWindow(ed);
}

void RestoreSelection(Editor& ed) {
    // The kept rectangle may come from a larger image (before a Crop or an Undo); it is
    // brought back inside this one so that no command reads or writes outside the image.
    ClampSelectionSidesToImage(ed);
    BeginSelection(ed);
    OpenAdjustDialog(ed);
    InvalidateImageWindow(ed);
}

void Crop(Editor& ed) {
    const Bitmap& source = CurrentImage(ed);
    const Rect r = ed.selection.rect.Intersect(source.Bounds());
    if (r.Width() <= 0 || r.Height() <= 0) {
        ReportProblem(ed, kCropEmptySelectionText);
        return;
    }
    std::optional<Bitmap> level = AllocateLevel(ed, r.Width(), r.Height(), Bitmap::NewPixels::Unset);
    if (!level) return;
    const std::size_t rowBytes = std::size_t(r.Width()) * sizeof(Pixel);
    for (int y = 0; y < r.Height(); ++y)
        std::memcpy(level->Row(y), source.Row(r.top + y) + r.left, rowBytes);
    PushLevel(ed, std::move(*level));
    EndSelection(ed);
    SetModified(ed);
    LayoutImageWindow(ed);
    InvalidateImageWindow(ed);
}

void AdjustSelection(Editor& ed) { OpenAdjustDialog(ed); }

namespace {

bool RestoreOffered(const Editor& ed) { return ed.selection.restoreOffered; }

// A selection needs an image, and a rectangle that never grew is nothing to bring back.
Availability RestoreRule(const Editor& ed) {
    if (!HasImage(ed)) return {Availability::Kind::NeedsImage};
    const Rect& r = ed.selection.rect;
    return r.right == r.left && r.bottom == r.top ? Availability{Availability::Kind::NothingToRestore} : kCanRun;
}
bool AdjustButtonEnabled(const Editor& ed) { return !ed.selection.adjustButtonFollows || HasSelection(ed); }

template <CommandId Tool>
bool IsCurrentTool(const Editor& ed) {
    return ed.draw.currentTool == Tool;
}

template <CommandId Tool>
constexpr Command ToolCommand() {
    return {Tool, nullptr, IsCurrentTool<Tool>, nullptr, RunMember<ChooseTool, Tool>};
}

const Command kCommands[] = {
    // A click on the status bar's last part opens the dialog with or without a selection.
    {CommandId::AdjustSelection, HasSelection, nullptr, AdjustButtonEnabled, AdjustSelection},
    {CommandId::Crop, nullptr, nullptr, nullptr, Crop, SelectionRule},
    {CommandId::MarkBorder, nullptr, nullptr, nullptr, MarkBorder, ImageRule},
    // The item is greyed while a selection is active, but the R key then still begins the
    // selection of the kept rectangle again and opens Adjust Selection.
    {CommandId::RestoreSelection, RestoreOffered, nullptr, nullptr, RestoreSelection, RestoreRule},
    // The U key unselects while the item is greyed: with nothing selected the run still ends
    // the selection, which offers Restore Selection for a kept rectangle.
    {CommandId::Unselect, HasSelection, nullptr, nullptr, Unselect},
    ToolCommand<CommandId::Pen>(),
    ToolCommand<CommandId::Bucket>(),
    ToolCommand<CommandId::PickColor>(),
    ToolCommand<CommandId::RectangleSelection>(),
    ToolCommand<CommandId::RoundedRectangleSelection>(),
    ToolCommand<CommandId::EllipseSelection>(),
    ToolCommand<CommandId::LineSelection>(),
};

}  // namespace

CommandList SelectionCommands() { return kCommands; }

}  // namespace rastrix
