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
    h.Register(IDM_ADJUST, AdjustSelection);
    h.Register(IDM_CROP, Crop);
    h.Register(IDM_MARKBORDER, MarkBorder);
    h.Register(IDM_RESTORESEL, RestoreSelection);
    h.Register(IDM_UNSELECT, Unselect);
    for (int id = IDM_PEN; id <= IDM_LINE; ++id) h.Register(id, ChooseTool);
    // Edit operations
    h.Register(IDM_CUT, CopySelection);
    h.Register(IDM_COPY, CopySelection);
    h.Register(IDM_PASTE, PasteClipboard);
    h.Register(IDM_PASTENEW, PasteClipboard);
    for (int id = IDM_ROT90CW; id <= IDM_FLIPV; ++id) h.Register(id, RotateFlip);
    for (int id = IDM_SHIFTL; id <= IDM_SHIFTD; ++id) h.Register(id, ShiftSelection);
    // Drawing
    h.Register(IDM_FGCOLOR, ChooseCurrentColor);
    h.Register(IDM_BGCOLOR, ChooseCurrentColor);
    h.Register(IDM_LINESTYLE, SetLineStyle);
    h.Register(IDM_FILLSTYLE, SetFillStyle);
    for (int id = IDM_FILLLINE; id <= IDM_FILLINTERIOR; ++id) h.Register(id, FillShape);
    h.Register(IDM_FILLEXTERIOR, FillExterior);
    return h;
}

}  // namespace rastrix
