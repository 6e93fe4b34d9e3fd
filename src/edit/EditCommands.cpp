#include "edit/EditCommands.h"

#include "edit/Clipboard.h"
#include "edit/RotateFlip.h"
#include "edit/Shift.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "selection/Selection.h"
#include "view/EditorView.h"

namespace rastrix {
namespace {

bool ClipboardHoldsBitmap(const Editor& ed) { return ed.clipboardHasBitmap; }

template <Turn T>
void Turned(Editor& ed) {
    RunRotateFlip(ed, T);
}

template <ShiftDirection D>
void Shifted(Editor& ed) {
    RunShift(ed, D);
}

const Command kCommands[] = {
    // The X key cuts while the item is greyed: without a selection the run takes the whole
    // image, as specified, so the item's rule is no rule for the run.
    {CommandId::Cut, HasSelection, nullptr, nullptr, RunMember<CopySelection, CommandId::Cut>},
    {CommandId::Copy, nullptr, nullptr, nullptr, RunMember<CopySelection, CommandId::Copy>, ImageRule},
    // The clipboard is read by the run itself: the items follow what the last paint of the
    // frame saw there, and the V key pastes whatever the clipboard holds now.
    {CommandId::Paste, ClipboardHoldsBitmap, nullptr, nullptr, RunMember<PasteClipboard, CommandId::Paste>},
    {CommandId::PasteIntoNewFile, ClipboardHoldsBitmap, nullptr, nullptr,
     RunMember<PasteClipboard, CommandId::PasteIntoNewFile>},
    // The whole image turns when nothing is selected; of a selection only a rectangle does.
    {CommandId::RotateClockwise, nullptr, nullptr, nullptr, Turned<Turn::Clockwise>, TurnRule},
    {CommandId::RotateCounterClockwise, nullptr, nullptr, nullptr, Turned<Turn::CounterClockwise>, TurnRule},
    {CommandId::Rotate180, nullptr, nullptr, nullptr, Turned<Turn::HalfTurn>, TurnRule},
    {CommandId::FlipHorizontal, nullptr, nullptr, nullptr, Turned<Turn::MirrorColumns>, TurnRule},
    {CommandId::FlipVertical, nullptr, nullptr, nullptr, Turned<Turn::MirrorRows>, TurnRule},
    // Shifting moves the pixels of a selected rectangle.
    {CommandId::ShiftLeft, nullptr, nullptr, nullptr, Shifted<ShiftDirection::Left>, RectangleRule},
    {CommandId::ShiftRight, nullptr, nullptr, nullptr, Shifted<ShiftDirection::Right>, RectangleRule},
    {CommandId::ShiftUp, nullptr, nullptr, nullptr, Shifted<ShiftDirection::Up>, RectangleRule},
    {CommandId::ShiftDown, nullptr, nullptr, nullptr, Shifted<ShiftDirection::Down>, RectangleRule},
};

}  // namespace

CommandList EditCommands() { return kCommands; }

}  // namespace rastrix
