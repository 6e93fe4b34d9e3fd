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
    states.SetButtonState(id, ButtonBits::Enabled);
    states.EnableMenuItem(id, true);
}

void DisableCommand(CommandStates& states, int id) {
    states.SetButtonState(id, ButtonBits::Indeterminate);
    states.EnableMenuItem(id, false);
}

void EnableImageCommands(CommandStates& states) {
    // Save As, Change Image Size, Scale Image and Reduce Colours have no button, so the
    // pairs cover exactly the two buttons Copy and Mark Border.
    EnableCommand(states, CommandId::Copy);
    EnableCommand(states, CommandId::MarkBorder);
    EnableCommand(states, CommandId::SaveAs);
    EnableCommand(states, CommandId::ChangeImageSize);
    EnableCommand(states, CommandId::ScaleImage);
    EnableCommand(states, CommandId::ReduceColours);
    EnableRotateFlip(states);
}

void EnableRotateFlip(CommandStates& states) { EnableRange(states, CommandId::RotateClockwise, CommandId::FlipVertical); }
void DisableRotateFlip(CommandStates& states) { DisableRange(states, CommandId::RotateClockwise, CommandId::FlipVertical); }
void EnableShift(CommandStates& states) { EnableRange(states, CommandId::ShiftLeft, CommandId::ShiftDown); }
void DisableShift(CommandStates& states) { DisableRange(states, CommandId::ShiftLeft, CommandId::ShiftDown); }

void SetModifiedStates(CommandStates& states) { EnableCommand(states, CommandId::Save); }
void ClearModifiedStates(CommandStates& states) { DisableCommand(states, CommandId::Save); }

void BeginSelectionStates(CommandStates& states, int selectionShape) {
    EnableCommand(states, CommandId::Cut);
    EnableCommand(states, CommandId::AdjustSelection);
    EnableCommand(states, CommandId::Crop);
    EnableCommand(states, CommandId::Unselect);
    DisableCommand(states, CommandId::RestoreSelection);
    // Shifting needs a rectangle; rotating and flipping a shaped selection is not offered. A
    // selection may begin over an active one of another shape (Mark Border makes a rectangle
    // of any selection), so both groups are set, not only the one that changes from no selection.
    if (selectionShape == CommandId::RectangleSelection) {
        EnableRotateFlip(states);
        EnableShift(states);
    } else {
        DisableRotateFlip(states);
        DisableShift(states);
    }
}

void EndSelectionStates(CommandStates& states, bool restorable) {
    DisableCommand(states, CommandId::Cut);
    DisableCommand(states, CommandId::AdjustSelection);
    DisableCommand(states, CommandId::Crop);
    DisableCommand(states, CommandId::Unselect);
    if (restorable) EnableCommand(states, CommandId::RestoreSelection);
    EnableRotateFlip(states);
    DisableShift(states);
}

void SetPasteStates(CommandStates& states, bool clipboardHasBitmap) {
    states.SetButtonState(CommandId::Paste,
                          clipboardHasBitmap ? ButtonBits::Enabled : ButtonBits::Indeterminate);
    states.EnableMenuItem(CommandId::Paste, clipboardHasBitmap);
    states.EnableMenuItem(CommandId::PasteIntoNewFile, clipboardHasBitmap);
}

void UpdateFillStates(CommandStates& states, bool hasSelection, int selectionShape) {
    DisableRange(states, CommandId::FillLine, CommandId::FillExterior);
    if (!hasSelection) return;
    if (selectionShape == CommandId::RectangleSelection || selectionShape == CommandId::RoundedRectangleSelection ||
        selectionShape == CommandId::EllipseSelection)
        EnableRange(states, CommandId::FillLine, CommandId::FillExterior);
    else if (selectionShape == CommandId::LineSelection)
        EnableCommand(states, CommandId::FillLine);
}

}  // namespace rastrix
