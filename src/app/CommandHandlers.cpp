// The registration point: every command's handler is entered here, next to the
// subsystem that owns it.
#include "app/CommandChecks.h"
#include "app/CommandDispatch.h"
#include "app/Editor.h"
#include "app/FrameCommands.h"
#include "draw/Colors.h"
#include "draw/ShapeFills.h"
#include "draw/StyleDialogs.h"
#include "edit/Clipboard.h"
#include "edit/RotateFlip.h"
#include "edit/Shift.h"
#include "selection/SelectionCommands.h"

namespace rastrix {
CommandHandlers MakeStandardCommandHandlers() {
    CommandHandlers h;
    RegisterFrameCommands(h);
    RegisterViewCommands(h);
    RegisterDocumentCommands(h);
    RegisterSelectionCommands(h);
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
