#include "batch/BatchAlpha.h"

#include "codec/BmpDirectWriter.h"
#include "edit/EditArea.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "raster/Blit.h"
#include "raster/Scale.h"
#include "raster/Turn.h"
#include "selection/Selection.h"

namespace rastrix::batch {

namespace {

constexpr Pixel kOpaque{0x00FFFFFFu};

std::optional<Turn> TurnOf(CommandId id) {
    switch (id) {
        case CommandId::RotateClockwise: return Turn::Clockwise;
        case CommandId::RotateCounterClockwise: return Turn::CounterClockwise;
        case CommandId::Rotate180: return Turn::HalfTurn;
        case CommandId::FlipHorizontal: return Turn::MirrorColumns;
        case CommandId::FlipVertical: return Turn::MirrorRows;
        default: return std::nullopt;
    }
}

bool IsShift(CommandId id) {
    return id == CommandId::ShiftLeft || id == CommandId::ShiftRight || id == CommandId::ShiftUp ||
           id == CommandId::ShiftDown;
}

bool IsFill(CommandId id) {
    switch (id) {
        case CommandId::FillLine:
        case CommandId::FillSolid:
        case CommandId::FillTwoColor:
        case CommandId::FillInterior:
        case CommandId::FillExterior: return true;
        default: return false;
    }
}

const char* PainterName(const Step& s) { return s.kind == StepKind::Bucket ? "--bucket" : "--fill"; }

// The shift's one overlapping copy, as the image's pixels make it.
void ShiftPlane(Bitmap& plane, const Rect& a, CommandId id) {
    const int w = a.Width(), h = a.Height();
    if (id == CommandId::ShiftLeft) CopyPixels(plane, a.left, a.top, w - 1, h, plane, a.left + 1, a.top);
    if (id == CommandId::ShiftRight) CopyPixels(plane, a.left + 1, a.top, w - 1, h, plane, a.left, a.top);
    if (id == CommandId::ShiftUp) CopyPixels(plane, a.left, a.top, w, h - 1, plane, a.left, a.top + 1);
    if (id == CommandId::ShiftDown) CopyPixels(plane, a.left, a.top + 1, w, h - 1, plane, a.left, a.top);
}

constexpr const char* kNoMemory = "there is not enough memory to keep the picture's transparency";

}  // namespace

std::string AlphaFollower::Before(const Editor& ed, const Step& s) {
    move_ = Move::None;
    if (!alpha_) return {};
    step_ = s;
    const bool paints = s.kind == StepKind::Bucket ||
                        (s.kind == StepKind::Command && IsFill(s.command));
    if (paints) {
        if (AnyTransparent(*alpha_))
            return std::string(PainterName(s)) +
                   " paints opaque colours, so it cannot keep the picture's transparency that --depth 32 writes; "
                   "give another --depth to lay the picture on the background first";
        alpha_.reset();  // all opaque: nothing of it would be written
        return {};
    }
    if (s.kind == StepKind::Size) move_ = Move::Size;
    if (s.kind == StepKind::Scale) move_ = Move::Scale;
    if (s.kind != StepKind::Command) return {};
    command_ = s.command;
    whole_ = !HasSelection(ed);
    area_ = SelectedArea(ed);
    if (TurnOf(s.command)) move_ = Move::Turn;
    if (IsShift(s.command)) move_ = Move::Shift;
    if (s.command == CommandId::Crop) {
        move_ = Move::Crop;
        area_ = ed.selection.rect.Intersect(CurrentImage(ed).Bounds());
    }
    return {};
}

std::string AlphaFollower::After(const Editor& ed) {
    if (!alpha_ || move_ == Move::None) return {};
    Bitmap& alpha = *alpha_;
    const int w = ed.doc.imageWidth, h = ed.doc.imageHeight;
    std::optional<Bitmap> moved;
    switch (move_) {
        case Move::None: return {};
        case Move::Turn:
            if (whole_) {
                moved = Bitmap::TryCreate(w, h, Bitmap::NewPixels::Unset);
                if (moved) TurnArea(alpha, alpha.Bounds(), *moved, {}, *TurnOf(command_));
            } else {
                moved = Bitmap::TryCreate(alpha.Width(), alpha.Height(), Bitmap::NewPixels::Unset);
                if (moved) {
                    CopyPixels(*moved, 0, 0, alpha.Width(), alpha.Height(), alpha, 0, 0);
                    TurnArea(alpha, area_, *moved, {area_.left, area_.top}, *TurnOf(command_));
                }
            }
            break;
        case Move::Shift:
            ShiftPlane(alpha, area_, command_);
            return {};
        case Move::Crop:
            moved = Bitmap::TryCreate(w, h, Bitmap::NewPixels::Unset);
            if (moved) CopyPixels(*moved, 0, 0, w, h, alpha, area_.left, area_.top);
            break;
        case Move::Size:
            moved = Bitmap::TryCreate(w, h, Bitmap::NewPixels::Unset);
            if (moved) {
                moved->Fill(PixelToColor(kOpaque));
                CopyPixels(*moved, 0, 0, w, h, alpha, 0, 0);
            }
            break;
        case Move::Scale: {
            const ScaleFit fit = step_.c == 0 ? ScaleFit::Fit : step_.c == 1 ? ScaleFit::Cover : ScaleFit::Exact;
            moved = ScaleBitmap(alpha, w, h, fit, step_.d == 1 ? ScaleFilter::Nearest : ScaleFilter::Lanczos, kOpaque);
            break;
        }
    }
    if (!moved) return kNoMemory;
    alpha = std::move(*moved);
    return {};
}

}  // namespace rastrix::batch
