// Events of the image window: the mouse, the scroll bars and the paint.
#include <algorithm>

#include "draw/Colors.h"
#include "draw/PixelTools.h"
#include "editor/ImageStack.h"
#include "frame/EditorEvents.h"
#include "raster/Blit.h"
#include "selection/SelectionDrag.h"
#include "selection/SelectionOutline.h"
#include "view/Coordinates.h"
#include "view/EditorView.h"
#include "view/MouseRouting.h"
#include "view/PaintPlan.h"
#include "view/StatusTexts.h"

namespace rastrix {

namespace {

// Converts the position, shows it with the colour under it, and returns the image pixel.
Point TrackAndShow(Editor& ed, int x, int y) {
    const Point p = TrackMousePosition(ed.view, ed.settings.zoomPercent, x, y);
    ed.pointerStatus = ShowPosition(ed.view, CurrentImage(ed).GetPixel(p.x, p.y));
    return p;
}

void Perform(Editor& ed, MouseAction action, Point p) {
    switch (action) {
        case MouseAction::None: break;
        case MouseAction::ShowPosition:
            if (ed.selection.dragging) SelectionDragStep(ed, p);
            break;
        case MouseAction::PickForeColor: PickColor(ed, p, true); break;
        case MouseAction::PickBackColor: PickColor(ed, p, false); break;
        case MouseAction::PenWithForeColor: PenPress(ed, p, true); break;
        case MouseAction::PenWithBackColor: PenPress(ed, p, false); break;
        case MouseAction::PenStroke: PenStrokeTo(ed, p); break;
        case MouseAction::BucketWithForeColor: BucketFill(ed, p, true); break;
        case MouseAction::BucketWithBackColor: BucketFill(ed, p, false); break;
        case MouseAction::StartSelectionDrag:
            NoteSelectionPress(ed);
            SelectionDragStart(ed, p);
            break;
    }
}

}  // namespace

void ImageMouseMove(Editor& ed, int x, int y, bool leftHeld, bool rightHeld) {
    if (!HasImage(ed)) return;
    const MouseAction action = RouteImageMouse(ed.view.toolCursor, ImageMouseEvent::Move, leftHeld || rightHeld);
    // A pen stroke leaves the status bar as its press set it until the button is released.
    const Point p = action == MouseAction::PenStroke ? TrackMousePosition(ed.view, ed.settings.zoomPercent, x, y)
                                                     : TrackAndShow(ed, x, y);
    Perform(ed, action, p);
}

void ImageButtonDown(Editor& ed, int x, int y, bool left) {
    if (!HasImage(ed)) return;
    const Point p = TrackAndShow(ed, x, y);
    Perform(ed, RouteImageMouse(ed.view.toolCursor, left ? ImageMouseEvent::LeftDown : ImageMouseEvent::RightDown, false),
            p);
}

void ImageButtonUp(Editor& ed, bool left) {
    PenButtonUp(ed);
    SelectionButtonUp(ed, left);
    PrepareSpareLevel(ed);  // a stroke or a fill pushed a level at its press
}

void ImageScroll(Editor& ed, ScrollBarKind bar, ScrollRequest request, int thumbPosition) {
    if (!HasImage(ed)) return;
    if (HandleScrollRequest(ed.view, bar, request, thumbPosition, ed.doc.imageWidth, ed.doc.imageHeight))
        InvalidateImageWindow(ed);
}

void ImageWindowShown(Editor& ed) { SpareLevelsAfterShown(ed); }

void PaintImageWindow(Editor& ed) {
    ImagePaintInputs inputs;
    inputs.hasImage = HasImage(ed);
    inputs.imageWidth = ed.doc.imageWidth;
    inputs.imageHeight = ed.doc.imageHeight;
    inputs.imageBitDepth = std::int32_t(ed.doc.imageBitDepth);
    inputs.hasSelection = ed.selection.active != 0;
    inputs.selectionShape = ed.selection.shape;
    inputs.selection = ed.selection.rect;
    inputs.lineReversed = ed.selection.lineReversed;
    const ImagePaintPlan plan = PlanImageWindowPaint(ed.view, ed.settings, inputs);

    // The surface is kept between paints: reallocating a large one costs more than drawing it.
    const int w = std::max(0, ed.view.ImagePartWidth());
    const int h = std::max(0, ed.view.ImagePartHeight());
    if (ed.surface.Width() != w || ed.surface.Height() != h) ed.surface = Bitmap(w, h);
    if (!plan.paintsImage) return;

    const Bitmap& image = CurrentImage(ed);
    const RenderPlan& r = plan.render;
    switch (r.mode) {
        case BlitMode::Copy:
            CopyPixels(ed.surface, r.dest.left, r.dest.top, r.source.Width(), r.source.Height(), image, r.source.left,
                   r.source.top);
            break;
        case BlitMode::Halftone: StretchPixels(ed.surface, r.dest, image, r.source, StretchMode::Halftone); break;
        case BlitMode::ColorOnColor: StretchPixels(ed.surface, r.dest, image, r.source, StretchMode::ColorOnColor); break;
        case BlitMode::None: break;
    }
    // What the image does not cover shows the window's white background.
    for (const Rect& band : UncoveredAreas(r, w, h))
        for (int y = std::max(0, band.top); y < std::min(h, band.bottom); ++y)
            std::fill(ed.surface.Row(y) + std::max(0, band.left), ed.surface.Row(y) + std::min(w, band.right),
                      Pixel(0x00FFFFFF));

    if (ed.selection.active) DrawSelectionOutline(ed, ed.surface);
}

}  // namespace rastrix
