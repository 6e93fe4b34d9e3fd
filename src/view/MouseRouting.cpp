#include "view/MouseRouting.h"

namespace rastrix {

MouseAction RouteImageMouse(CursorKind toolCursor, ImageMouseEvent event, bool buttonHeld) {
    switch (event) {
        case ImageMouseEvent::Move:
            // Only the pen draws while moving; every other tool just reports the position.
            return buttonHeld && toolCursor == CursorKind::Pen ? MouseAction::PenStroke : MouseAction::ShowPosition;
        case ImageMouseEvent::LeftDown:
            switch (toolCursor) {
                case CursorKind::Picker: return MouseAction::PickForeColor;
                case CursorKind::Pen: return MouseAction::PenWithForeColor;
                case CursorKind::Bucket: return MouseAction::BucketWithForeColor;
                case CursorKind::Cross: return MouseAction::StartSelectionDrag;
                default: return MouseAction::None;
            }
        case ImageMouseEvent::RightDown:
            switch (toolCursor) {
                case CursorKind::Picker: return MouseAction::PickBackColor;
                case CursorKind::Pen: return MouseAction::PenWithBackColor;
                case CursorKind::Bucket: return MouseAction::BucketWithBackColor;
                default: return MouseAction::None;
            }
    }
    return MouseAction::None;
}

bool HandleImageButtonUp(const ViewState& view, Selection& selection, bool leftButton) {
    const bool openAdjust = leftButton && view.toolCursor == CursorKind::Cross && selection.active != 0;
    selection.dragging = 0;
    return openAdjust;
}

}  // namespace rastrix
