#include "draw/PixelTools.h"

#include "draw/ColorReplace.h"
#include "draw/Colors.h"
#include "draw/MarkedShape.h"
#include "editor/Editor.h"
#include "editor/ImageStack.h"
#include "view/EditorView.h"
#include "view/StatusTexts.h"

namespace rastrix {

namespace {

Color PressColor(const Editor& ed, bool left) { return left ? ed.settings.foreColor : ed.settings.backColor; }

void ShowPenPosition(Editor& ed, Point p) { ed.pointerStatus = PositionStatusText(p.x, p.y, ed.draw.penColor); }

void RememberPenPixel(Editor& ed, Point p) {
    ed.draw.lastPenX = p.x;
    ed.draw.lastPenY = p.y;
}

}  // namespace

void NoteSelectionPress(Editor& ed) { ed.draw.penColor = ed.settings.foreColor; }

void PenPress(Editor& ed, Point p, bool left) {
    if (!HasImage(ed)) return;
    ed.draw.penColor = PressColor(ed, left);
    const bool onImage = CurrentImage(ed).Bounds().Contains(p);
    ed.draw.penLevel.reset();
    ed.draw.penBlocked = false;
    if (onImage) {
        if (!PushCopy(ed)) {
            ed.draw.penBlocked = true;
            return;
        }
        ed.draw.penLevel = ed.doc.stack.topSerial;
        CurrentImage(ed).SetPixel(p.x, p.y, ed.draw.penColor);
    }
    RememberPenPixel(ed, p);
    ShowPenPosition(ed, p);
    InvalidateImageWindow(ed);
}

void PenStrokeTo(Editor& ed, Point p) {
    if (!HasImage(ed) || ed.draw.penBlocked) return;
    const Point last{ed.draw.lastPenX, ed.draw.lastPenY};
    if (p == last) return;
    const Rect bounds = CurrentImage(ed).Bounds();
    bool touchesImage = false;
    ForEachPenPixel(last, p, bounds, [&](int, int) { touchesImage = true; });
    if (touchesImage) {
        if (ed.draw.penLevel != ed.doc.stack.topSerial) {
            if (!PushCopy(ed)) {
                ed.draw.penBlocked = true;
                return;
            }
            ed.draw.penLevel = ed.doc.stack.topSerial;
        } else if (!ed.doc.modified) {
            SetModified(ed);  // a stroke that began off the image window changes the current level
        }
        Bitmap& image = CurrentImage(ed);
        const Pixel color = ClearTopByte(ColorToPixel(ed.draw.penColor));
        ForEachPenPixel(last, p, bounds, [&](int x, int y) { image.Row(y)[x] = color; });
    }
    RememberPenPixel(ed, p);
    InvalidateImageWindow(ed);
}

void PenButtonUp(Editor& ed) { ed.draw.penLevel.reset(); }

void BucketFill(Editor& ed, Point p, bool left) {
    if (!HasImage(ed)) return;
    const Color target = CurrentImage(ed).GetPixel(p.x, p.y);
    if (target == kInvalidColor) return;
    ed.draw.penColor = PressColor(ed, left);
    if (!PushCopy(ed)) return;
    ShowWaitCursor(ed);
    ReplaceColor(CurrentImage(ed), ActiveShape(ed), p, target, ed.draw.penColor);
    ed.pointerStatus = PositionStatusText(p.x, p.y, ed.draw.penColor);
    InvalidateImageWindow(ed);
}

void PickColor(Editor& ed, Point p, bool left) {
    if (!HasImage(ed)) return;
    const Color c = CurrentImage(ed).GetPixel(p.x, p.y);
    if (c == kInvalidColor) return;
    if (left) SetForeColor(ed, c);
    else SetBackColor(ed, c);
}

}  // namespace rastrix
