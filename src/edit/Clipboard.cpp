#include "edit/Clipboard.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "codec/BmpHeader.h"
#include "codec/BmpLayout.h"
#include "codec/PictureConversion.h"
#include "document/NewImage.h"
#include "document/NewImageDialog.h"
#include "document/SavePrompt.h"
#include "edit/EditArea.h"
#include "editor/CommandIds.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "editor/ReportError.h"
#include "raster/Blit.h"
#include "selection/Selection.h"
#include "selection/ShapeMask.h"
#include "view/EditorView.h"

namespace rastrix {
namespace {

static_assert(kBmpMaxSide == 65535 && kBmpMaxPixels == (std::int64_t(1) << 28),
              "kClipboardTooLargeText names these limits");

// A clipboard bitmap can become an image of its own when New could make one of its size.
bool FitsNewImage(const Bitmap& b) {
    return !RefuseImageSize(std::uint32_t(b.Width()), std::uint32_t(b.Height()));
}

// What Cut, Copy and Paste work on.
struct Region {
    Rect area;                      // image pixels copied or pasted, inside the image
    Point origin;                   // where the clipboard bitmap's (0, 0) lies in the image
    std::optional<ShapeMask> mask;  // the selection's rounded rectangle or ellipse

    // Columns [lo, hi) of image row y that lie inside the shape and the area.
    std::pair<int, int> InsideSpan(int y) const {
        if (!mask) return {area.left, area.right};
        const MaskRowScan scan = ScanMaskRow(*mask, y - origin.y);
        const int lo = std::clamp(origin.x + scan.first, area.left, area.right);
        const int hi = std::clamp(origin.x + scan.last + 1, lo, area.right);
        return {lo, hi};
    }
};

Region CopyRegion(const Editor& ed) {
    const CommandId shape = ed.selection.shape;
    if (!HasSelection(ed) || shape == CommandId::LineSelection) return {{0, 0, ed.doc.imageWidth, ed.doc.imageHeight}, {}, {}};
    const Rect sel = ed.selection.rect.Normalized();
    Region r{SelectedArea(ed), {sel.left, sel.top}, {}};
    if (shape == CommandId::RoundedRectangleSelection || shape == CommandId::EllipseSelection) r.mask = BuildShapeMask(sel, shape);
    return r;
}

void FillRow(Pixel* row, int from, int to, Pixel p) {
    if (to > from) std::fill(row + from, row + to, p);
}

bool OpenClipboardOrWarn(Editor& ed) {
    if (ed.host.OpenClipboard()) return true;
    NoteProblem(ed, {Problem::Kind::Refusal, 0, 0, {}, std::string(kCannotOpenClipboardText)});
    ed.host.ShowMessage(kCannotOpenClipboardText, std::nullopt, MsgButtons::Ok, MsgIcon::Warning);
    return false;
}

// The region's pixels with everything outside the shape in backColor.
std::optional<Bitmap> ShapedCopy(Editor& ed, const Region& r) {
    const Rect a = r.area;
    std::optional<Bitmap> copy = Bitmap::TryCreate(a.Width(), a.Height());
    if (!copy) {
        ReportProblem(ed, kOutOfMemoryText);
        return std::nullopt;
    }
    CopyPixels(*copy, 0, 0, a.Width(), a.Height(), CurrentImage(ed), a.left, a.top);
    if (r.mask) {
        const Pixel back = ClearTopByte(ColorToPixel(ed.settings.backColor));
        for (int y = a.top; y < a.bottom; ++y) {
            const auto [lo, hi] = r.InsideSpan(y);
            Pixel* row = copy->Row(y - a.top);
            FillRow(row, 0, lo - a.left, back);
            FillRow(row, hi - a.left, a.Width(), back);
        }
    }
    return copy;
}

void EraseSelection(Editor& ed) {
    const Rect a = SelectedArea(ed);
    if (!a.IsEmpty()) {
        if (!PushCopy(ed)) return;
        Bitmap& img = CurrentImage(ed);
        const Pixel back = ClearTopByte(ColorToPixel(ed.settings.backColor));
        for (int y = a.top; y < a.bottom; ++y) FillRow(img.Row(y), a.left, a.right, back);
    }
    EndSelection(ed);
    InvalidateImageWindow(ed);
}

// The clipboard bitmap becomes the only level of a new document.
void MakeImageFromClipboard(Editor& ed, ClipboardImage clip) {
    // A picture with deep colour channels (16, 48 or 64 bits) counts as the 24 bits it is shown
    // and saved with, as a PNG file of that depth does; 32 bits stands for transparency.
    const int d = clip.bitDepth;
    const int depth = PictureBitDepth(d, d == 32);
    const int w = clip.bitmap.Width(), h = clip.bitmap.Height();
    MakeUntitledImage(ed, std::move(clip.bitmap), std::uint32_t(depth), UntitledFileSize(w, h, depth));
    SetModified(ed);
}

// The clipboard bitmap goes into a new level at the region's origin, cut to the region.
void PlaceIntoImage(Editor& ed, Bitmap clip) {
    const Region r = CopyRegion(ed);
    const Rect a = r.area;
    if (a.IsEmpty()) return;
    if (!r.mask && a == CurrentImage(ed).Bounds() && clip.Width() == a.Width() && clip.Height() == a.Height()) {
        // The bitmap covers every pixel: it is the new level as it stands.
        PushLevel(ed, std::move(clip));
    } else {
        if (!PushCopy(ed)) return;
        Bitmap& img = CurrentImage(ed);
        for (int y = a.top; y < a.bottom; ++y) {
            const auto [lo, hi] = r.InsideSpan(y);
            CopyPixels(img, lo, y, hi - lo, 1, clip, lo - r.origin.x, y - r.origin.y);
        }
    }
    InvalidateImageWindow(ed);
}

}  // namespace

void CopySelection(Editor& ed, CommandId id) {
    if ((id != CommandId::Cut && id != CommandId::Copy) || !HasImage(ed)) return;
    const Region r = CopyRegion(ed);
    if (r.area.IsEmpty()) return;  // a selection without pixels inside the image: nothing to copy
    if (!OpenClipboardOrWarn(ed)) return;
    bool written = false;
    if (!r.mask && r.area == CurrentImage(ed).Bounds()) {
        // The whole image as it stands: the clipboard takes its own copy.
        written = ed.host.WriteClipboardBitmap(CurrentImage(ed));
    } else if (std::optional<Bitmap> copy = ShapedCopy(ed, r)) {
        written = ed.host.WriteClipboardBitmap(*copy);
    } else {
        return;
    }
    if (!written) {
        // Cut must not erase what never reached the clipboard.
        ReportProblem(ed, kClipboardWriteFailedText);
        return;
    }
    ed.clipboardHasBitmap = true;
    if (id == CommandId::Cut && HasSelection(ed)) EraseSelection(ed);
}

void PasteClipboard(Editor& ed, CommandId id) {
    if (id != CommandId::Paste && id != CommandId::PasteIntoNewFile) return;
    if (!OpenClipboardOrWarn(ed)) return;
    if (!ed.host.ClipboardHasBitmap()) {
        InvalidateImageWindow(ed);  // nothing to paste; the Paste items follow at the next paint
        return;
    }
    std::optional<ClipboardImage> clip = ed.host.ReadClipboardBitmap();
    if (!clip) {
        ReportProblem(ed, kClipboardUnreadableText);
        return;
    }
    if (clip->bitmap.IsEmpty()) {
        ReportProblem(ed, kClipboardEmptyImageText);
        return;
    }
    const bool newImage = id == CommandId::PasteIntoNewFile || !HasImage(ed);
    if (!newImage) {
        PlaceIntoImage(ed, std::move(clip->bitmap));
        return;
    }
    if (!FitsNewImage(clip->bitmap)) {
        ReportProblem(ed, kClipboardTooLargeText);
        return;
    }
    if (id == CommandId::PasteIntoNewFile && ed.doc.modified && AskToSave(ed) == DialogAnswer::Cancel) return;
    MakeImageFromClipboard(ed, std::move(*clip));
}

}  // namespace rastrix
