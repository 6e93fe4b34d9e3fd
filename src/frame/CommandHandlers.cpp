// The registration point: every command's handler is entered here, next to the
// subsystem that owns it.
#include "draw/Colors.h"
#include "draw/ShapeFills.h"
#include "draw/StyleDialogs.h"
#include "edit/Clipboard.h"
#include "edit/RotateFlip.h"
#include "edit/Shift.h"
#include "editor/CommandChecks.h"
#include "editor/Editor.h"
#include "frame/CommandDispatch.h"
#include "frame/FrameCommands.h"
#include "selection/MarkBorder.h"
#include "selection/SelectionCommands.h"

namespace rastrix {
CommandHandlers MakeStandardCommandHandlers() {
    CommandHandlers h;
    RegisterFrameCommands(h);
    RegisterViewCommands(h);
    RegisterDocumentCommands(h);
    // Selection
    h.Register(CommandId::AdjustSelection, AdjustSelection);
    h.Register(CommandId::Crop, Crop);
    h.Register(CommandId::MarkBorder, MarkBorder);
    h.Register(CommandId::RestoreSelection, RestoreSelection);
    h.Register(CommandId::Unselect, Unselect);
    for (int id = CommandId::Pen; id <= CommandId::LineSelection; ++id) h.Register(id, ChooseTool);
    // Edit operations
    h.Register(CommandId::Cut, CopySelection);
    h.Register(CommandId::Copy, CopySelection);
    h.Register(CommandId::Paste, PasteClipboard);
    h.Register(CommandId::PasteIntoNewFile, PasteClipboard);
    for (int id = CommandId::RotateClockwise; id <= CommandId::FlipVertical; ++id) h.Register(id, RotateFlip);
    for (int id = CommandId::ShiftLeft; id <= CommandId::ShiftDown; ++id) h.Register(id, ShiftSelection);
    // Drawing
    h.Register(CommandId::SetForegroundColor, ChooseCurrentColor);
    h.Register(CommandId::SetBackgroundColor, ChooseCurrentColor);
    h.Register(CommandId::SetLineStyle, SetLineStyle);
    h.Register(CommandId::SetFillStyle, SetFillStyle);
    for (int id = CommandId::FillLine; id <= CommandId::FillInterior; ++id) h.Register(id, FillShape);
    h.Register(CommandId::FillExterior, FillExterior);
    return h;
}

}  // namespace rastrix
