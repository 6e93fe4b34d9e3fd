#include "gui/KeyMapping.h"

#include <array>
#include <utility>

namespace rastrix::gui {
namespace {

// The punctuation keys of a US keyboard (VK_OEM_*), unshifted and shifted.
constexpr std::array<std::pair<int, VirtualKey>, 22> kPunctuation{{
    {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Colon, 0xBA},          {Qt::Key_Equal, 0xBB},
    {Qt::Key_Plus, 0xBB},      {Qt::Key_Comma, 0xBC},          {Qt::Key_Less, 0xBC},
    {Qt::Key_Minus, 0xBD},     {Qt::Key_Underscore, 0xBD},     {Qt::Key_Period, 0xBE},
    {Qt::Key_Greater, 0xBE},   {Qt::Key_Slash, 0xBF},          {Qt::Key_Question, 0xBF},
    {Qt::Key_QuoteLeft, 0xC0}, {Qt::Key_AsciiTilde, 0xC0},     {Qt::Key_BracketLeft, 0xDB},
    {Qt::Key_BraceLeft, 0xDB}, {Qt::Key_Backslash, 0xDC},      {Qt::Key_Bar, 0xDC},
    {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD},  {Qt::Key_Apostrophe, 0xDE},
    {Qt::Key_QuoteDbl, 0xDE},
}};

// Shift+digit on a US keyboard: the characters of the digit keys 0..9.
constexpr std::array<int, 10> kShiftedDigits{Qt::Key_ParenRight, Qt::Key_Exclam,     Qt::Key_At,
                                             Qt::Key_NumberSign, Qt::Key_Dollar,     Qt::Key_Percent,
                                             Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,
                                             Qt::Key_ParenLeft};

std::optional<VirtualKey> KeypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return VK_NUMPAD0 + VirtualKey(key - Qt::Key_0);
    switch (key) {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma: return VK_DECIMAL;
        case Qt::Key_Slash: return VK_DIVIDE;
        case Qt::Key_Enter: return VK_RETURN;
        default: return std::nullopt;  // navigation keys of the keypad map as the main ones
    }
}

}  // namespace

std::optional<VirtualKey> VirtualKeyFor(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier))
        if (auto code = KeypadKey(key)) return code;

    if (key >= Qt::Key_A && key <= Qt::Key_Z) return VirtualKey(key);  // same numbers
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return VirtualKey(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + VirtualKey(key - Qt::Key_F1);
    for (int d = 0; d < 10; ++d)
        if (kShiftedDigits[d] == key) return VK_0 + VirtualKey(d);
    for (auto [qt, vk] : kPunctuation)
        if (qt == key) return vk;

    switch (key) {
        case Qt::Key_Backspace: return VK_BACK;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return VK_TAB;
        case Qt::Key_Return:
        case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Shift: return VK_SHIFT;
        case Qt::Key_Control: return VK_CONTROL;
        case Qt::Key_Alt: return VK_MENU;
        case Qt::Key_Pause: return VK_PAUSE;
        case Qt::Key_CapsLock: return VK_CAPITAL;
        case Qt::Key_Escape: return VK_ESCAPE;
        case Qt::Key_Space: return VK_SPACE;
        case Qt::Key_PageUp: return VK_PRIOR;
        case Qt::Key_PageDown: return VK_NEXT;
        case Qt::Key_End: return VK_END;
        case Qt::Key_Home: return VK_HOME;
        case Qt::Key_Left: return VK_LEFT;
        case Qt::Key_Up: return VK_UP;
        case Qt::Key_Right: return VK_RIGHT;
        case Qt::Key_Down: return VK_DOWN;
        case Qt::Key_Print: return 0x2C;  // VK_SNAPSHOT
        case Qt::Key_Insert: return VK_INSERT;
        case Qt::Key_Delete: return VK_DELETE;
        case Qt::Key_Menu: return 0x5D;  // VK_APPS
        case Qt::Key_NumLock: return 0x90;
        case Qt::Key_ScrollLock: return 0x91;
        default: return std::nullopt;
    }
}

}  // namespace rastrix::gui
