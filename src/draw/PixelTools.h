#pragma once
#include <cstdint>

#include "raster/Geometry.h"

namespace rastrix {

struct Editor;

// The pixel tools, called by the image window with the image pixel under the mouse
// (mouseX, mouseY). left: the left button (foreColor), otherwise the right (backColor).
// Positions beyond the image change nothing.

// A pen press: one undo level per press (opened by the first pixel on the image when the
// press is beyond it), the pixel set, and status part 1 shows the position and pen colour.
void PenPress(Editor& ed, Point p, bool left);
// A move with a button held while the pen is the tool: the path from the last pen pixel to p
// in the press's colour, first pixel left out, last included. The stroke draws into the level
// its press opened; when that level is no longer the one shown (Undo or another change came
// in between, or the move arrives with no pen press before it) its first pixel on the image
// opens a new level, so Undo takes away exactly the stroke. Marks the image modified.
void PenStrokeTo(Editor& ed, Point p);
// The button went up: the stroke ends, and a later move with a button held is a stroke of
// its own.
void PenButtonUp(Editor& ed);
// The bucket: replaces the clicked colour in the whole image, or inside or outside the active
// selection's shape (see ReplaceColor). One undo level, under the wait cursor.
void BucketFill(Editor& ed, Point p, bool left);
// The picker: the colour under the mouse becomes foreColor (left) or backColor (right). No
// undo level, the image stays unmodified.
void PickColor(Editor& ed, Point p, bool left);
// A left press of a selection tool also makes foreColor the colour a later stroke draws with.
void NoteSelectionPress(Editor& ed);

// The pixels of one pen move from `from` to `to` inside bounds. A move of at most one pixel
// each way sets just `to`. Otherwise one pixel per step of the longer axis, leaving out
// `from`; the other coordinate is (step offset x delta) / (longer delta), the product formed
// first and the quotient truncated toward zero, so the two directions of a move differ.
template <class Visit>
void ForEachPenPixel(Point from, Point to, const Rect& bounds, Visit&& visit) {
    const std::int64_t dx = std::int64_t(to.x) - from.x, dy = std::int64_t(to.y) - from.y;
    const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    if (adx <= 1 && ady <= 1) {
        if (bounds.Contains(to)) visit(to.x, to.y);
        return;
    }
    const bool xMajor = adx >= ady;
    const std::int64_t major0 = xMajor ? from.x : from.y, minor0 = xMajor ? from.y : from.x;
    const std::int64_t dMajor = xMajor ? dx : dy, dMinor = xMajor ? dy : dx;
    const std::int64_t steps = xMajor ? adx : ady;
    const int step = dMajor >= 0 ? 1 : -1;
    const std::int64_t lo = xMajor ? bounds.left : bounds.top, hi = xMajor ? bounds.right : bounds.bottom;
    const std::int64_t minorLo = xMajor ? bounds.top : bounds.left, minorHi = xMajor ? bounds.bottom : bounds.right;
    // Only the steps whose major coordinate lies in [lo, hi) can set a pixel.
    std::int64_t i0 = step > 0 ? lo - major0 : major0 - (hi - 1);
    std::int64_t i1 = step > 0 ? hi - 1 - major0 : major0 - lo;
    i0 = i0 < 1 ? 1 : i0;
    i1 = i1 > steps ? steps : i1;
    for (std::int64_t i = i0; i <= i1; ++i) {
        const std::int64_t offset = i * step;
        const std::int64_t minor = offset * dMinor / dMajor + minor0;
        if (minor < minorLo || minor >= minorHi) continue;
        const std::int64_t major = major0 + offset;
        if (xMajor) visit(int(major), int(minor));
        else visit(int(minor), int(major));
    }
}

}  // namespace rastrix
