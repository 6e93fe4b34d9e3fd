#pragma once
#include <array>
#include <cstdint>

#include "editor/KeyCodes.h"

namespace rastrix {

// ---- Keys -------------------------------------------------------------------------------

// Where a key press goes before anyone handles it.
enum class KeyRoute {
    AdjustDialog,   // the Adjust Selection dialog has the focus and takes the key itself
    FrameShortcut,  // to the frame's key table; the focus stays where it is
    ImageWindow,    // a navigation key for the image window
    Dropped,        // a navigation key while there is no image window
    FocusFrame,     // the focus moves to the frame, then the key goes to its key table
    Unchanged,      // stays with the window that has the focus
};

struct KeyPress {
    KeyCode key = 0;
    bool ctrlDown = false;
    bool altDown = false;
    bool adjustDialogHasFocus = false;  // a control of the Adjust Selection dialog has the focus
    bool imageWindowExists = false;
    bool frameHasFocus = false;  // the frame itself, not a dialog, has the focus (keys below 0x20 reach it then)
};

// System keys (F10 and keys pressed with Alt but without Ctrl) work the menu, not the program's
// shortcuts, so they are never re-targeted.
bool IsSystemKey(const KeyPress& press);

KeyRoute RouteKeyDown(const KeyPress& press);

}  // namespace rastrix
