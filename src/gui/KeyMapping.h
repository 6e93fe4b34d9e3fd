#pragma once
#include <Qt>
#include <optional>

#include "editor/KeyCodes.h"

namespace rastrix::gui {

// The key code of a Qt key, as the frame's key table and routing rules number keys:
// letters and digits by their upper-case ASCII codes, the function, navigation and editing
// keys by their own codes, keypad digits and operators apart from the main keys. Shifted
// punctuation maps back to the key that carries it (Shift+1 gives '1'), since the code names
// the key, not the character. nullopt for keys that have no code.
std::optional<KeyCode> KeyCodeFor(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace rastrix::gui
