#include "frame/MessageRouting.h"

namespace rastrix {

bool IsSystemKey(const KeyPress& press) {
    return press.key == Key::F10 || press.key == Key::Alt || (press.altDown && !press.ctrlDown);
}

KeyRoute RouteKeyDown(const KeyPress& press) {
    if (press.adjustDialogHasFocus) return KeyRoute::AdjustDialog;
    if (IsSystemKey(press)) return KeyRoute::Unchanged;
    const KeyCode k = press.key;
    if (k >= Key::F1 && k <= Key::F9) return KeyRoute::FrameShortcut;
    if (k >= Key::LetterA && k <= Key::LetterZ && press.ctrlDown) return KeyRoute::FrameShortcut;
    if (k >= Key::PageUp && k <= Key::Down) return press.imageWindowExists ? KeyRoute::ImageWindow : KeyRoute::Dropped;
    if (k >= Key::Space) return KeyRoute::FocusFrame;
    return KeyRoute::Unchanged;
}

}  // namespace rastrix
