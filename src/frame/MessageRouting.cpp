#include "frame/MessageRouting.h"

namespace rastrix {

bool IsSystemKey(const KeyPress& press) {
    return press.key == VK_F10 || press.key == VK_MENU || (press.altDown && !press.ctrlDown);
}

KeyRoute RouteKeyDown(const KeyPress& press) {
    if (press.adjustDialogHasFocus) return KeyRoute::AdjustDialog;
    if (IsSystemKey(press)) return KeyRoute::Unchanged;
    const VirtualKey k = press.key;
    if (k >= VK_F1 && k <= VK_F9) return KeyRoute::FrameShortcut;
    if (k >= VK_A && k <= VK_Z && press.ctrlDown) return KeyRoute::FrameShortcut;
    if (k >= VK_PRIOR && k <= VK_DOWN) return press.imageWindowExists ? KeyRoute::ImageWindow : KeyRoute::Dropped;
    if (k >= VK_SPACE) return KeyRoute::FocusFrame;
    return KeyRoute::Unchanged;
}

}  // namespace rastrix
