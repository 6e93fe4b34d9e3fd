#include "edit/EditCommands.h"

#include "edit/Clipboard.h"
#include "edit/ReduceColors.h"
#include "edit/RotateFlip.h"
#include "edit/ScaleImage.h"
#include "edit/Shift.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {
namespace {

bool ClipboardHoldsBitmap(const Editor& ed) { return ed.clipboardHasBitmap; }

bool RectangleSelected(const Editor& ed) {
    return HasSelection(ed) && ed.selection.shape == CommandId::RectangleSelection;
}

// The whole image turns when nothing is selected; of a selection only a rectangle does.
bool CanTurn(const Editor& ed) { return HasImage(ed) && (!HasSelection(ed) || RectangleSelected(ed)); }

template <Turn T>
void Turned(Editor& ed) {
    RunRotateFlip(ed, T);
}

template <ShiftDirection D>
void Shifted(Editor& ed) {
    RunShift(ed, D);
}

const Command kCommands[] = {
    {CommandId::Cut, HasSelection, nullptr, nullptr, RunMember<CopySelection, CommandId::Cut>},
    {CommandId::Copy, HasImage, nullptr, nullptr, RunMember<CopySelection, CommandId::Copy>},
    {CommandId::Paste, ClipboardHoldsBitmap, nullptr, nullptr, RunMember<PasteClipboard, CommandId::Paste>},
    {CommandId::PasteIntoNewFile, ClipboardHoldsBitmap, nullptr, nullptr,
     RunMember<PasteClipboard, CommandId::PasteIntoNewFile>},
    {CommandId::RotateClockwise, CanTurn, nullptr, nullptr, Turned<Turn::Clockwise>},
    {CommandId::RotateCounterClockwise, CanTurn, nullptr, nullptr, Turned<Turn::CounterClockwise>},
    {CommandId::Rotate180, CanTurn, nullptr, nullptr, Turned<Turn::HalfTurn>},
    {CommandId::FlipHorizontal, CanTurn, nullptr, nullptr, Turned<Turn::MirrorColumns>},
    {CommandId::FlipVertical, CanTurn, nullptr, nullptr, Turned<Turn::MirrorRows>},
    // Shifting moves the pixels of a selected rectangle.
    {CommandId::ShiftLeft, RectangleSelected, nullptr, nullptr, Shifted<ShiftDirection::Left>},
    {CommandId::ShiftRight, RectangleSelected, nullptr, nullptr, Shifted<ShiftDirection::Right>},
    {CommandId::ShiftUp, RectangleSelected, nullptr, nullptr, Shifted<ShiftDirection::Up>},
    {CommandId::ShiftDown, RectangleSelected, nullptr, nullptr, Shifted<ShiftDirection::Down>},
    {CommandId::ScaleImage, HasImage, nullptr, nullptr, ScaleImageCommand},
    {CommandId::ReduceColors, HasImage, nullptr, nullptr, ReduceColorsCommand},
};

}  // namespace

CommandList EditCommands() { return kCommands; }

}  // namespace rastrix
