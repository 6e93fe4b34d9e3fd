#include "editor/EnableGroups.h"

namespace rastrix {
namespace {

void EnableRange(CommandStates& states, int first, int last) {
    for (int id = first; id <= last; ++id) EnableCommand(states, id);
}

void DisableRange(CommandStates& states, int first, int last) {
    for (int id = first; id <= last; ++id) DisableCommand(states, id);
}

}  // namespace

void EnableCommand(CommandStates& states, int id) {
    states.SetButtonState(id, TBSTATE_ENABLED);
    states.EnableMenuItem(id, true);
}

void DisableCommand(CommandStates& states, int id) {
    states.SetButtonState(id, TBSTATE_INDETERMINATE);
    states.EnableMenuItem(id, false);
}

void EnableImageCommands(CommandStates& states) {
    // Save As, Change Image Size, Scale Image and Reduce Colours have no button, so the
    // pairs cover exactly the two buttons Copy and Mark Border.
    EnableCommand(states, IDM_COPY);
    EnableCommand(states, IDM_MARKBORDER);
    EnableCommand(states, IDM_SAVEAS);
    EnableCommand(states, IDM_CHGSIZE);
    EnableCommand(states, kScaleImageCommand);
    EnableCommand(states, kReduceColoursCommand);
    EnableRotateFlip(states);
}

void EnableRotateFlip(CommandStates& states) { EnableRange(states, IDM_ROT90CW, IDM_FLIPV); }
void DisableRotateFlip(CommandStates& states) { DisableRange(states, IDM_ROT90CW, IDM_FLIPV); }
void EnableShift(CommandStates& states) { EnableRange(states, IDM_SHIFTL, IDM_SHIFTD); }
void DisableShift(CommandStates& states) { DisableRange(states, IDM_SHIFTL, IDM_SHIFTD); }

void SetModifiedStates(CommandStates& states) { EnableCommand(states, IDM_SAVE); }
void ClearModifiedStates(CommandStates& states) { DisableCommand(states, IDM_SAVE); }

void BeginSelectionStates(CommandStates& states, int selectionShape) {
    EnableCommand(states, IDM_CUT);
    EnableCommand(states, IDM_ADJUST);
    EnableCommand(states, IDM_CROP);
    EnableCommand(states, IDM_UNSELECT);
    DisableCommand(states, IDM_RESTORESEL);
    // Shifting needs a rectangle; rotating and flipping a shaped selection is not offered. A
    // selection may begin over an active one of another shape (Mark Border makes a rectangle
    // of any selection), so both groups are set, not only the one that changes from no selection.
    if (selectionShape == IDM_RECT) {
        EnableRotateFlip(states);
        EnableShift(states);
    } else {
        DisableRotateFlip(states);
        DisableShift(states);
    }
}

void EndSelectionStates(CommandStates& states, bool restorable) {
    DisableCommand(states, IDM_CUT);
    DisableCommand(states, IDM_ADJUST);
    DisableCommand(states, IDM_CROP);
    DisableCommand(states, IDM_UNSELECT);
    if (restorable) EnableCommand(states, IDM_RESTORESEL);
    EnableRotateFlip(states);
    DisableShift(states);
}

void SetPasteStates(CommandStates& states, bool clipboardHasBitmap) {
    states.SetButtonState(IDM_PASTE,
                          clipboardHasBitmap ? TBSTATE_ENABLED : TBSTATE_INDETERMINATE);
    states.EnableMenuItem(IDM_PASTE, clipboardHasBitmap);
    states.EnableMenuItem(IDM_PASTENEW, clipboardHasBitmap);
}

void UpdateFillStates(CommandStates& states, bool hasSelection, int selectionShape) {
    DisableRange(states, IDM_FILLLINE, IDM_FILLEXTERIOR);
    if (!hasSelection) return;
    if (selectionShape == IDM_RECT || selectionShape == IDM_ROUNDRECT ||
        selectionShape == IDM_ELLIPSE)
        EnableRange(states, IDM_FILLLINE, IDM_FILLEXTERIOR);
    else if (selectionShape == IDM_LINE)
        EnableCommand(states, IDM_FILLLINE);
}

}  // namespace rastrix
