#include "gui/KeyMapping.h"

#include <array>
#include <utility>

namespace rastrix::gui {
namespace {

// The punctuation keys of a US keyboard (the OEM keys), unshifted and shifted.
constexpr std::array<std::pair<int, KeyCode>, 22> kPunctuation{{
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

std::optional<KeyCode> KeypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return Key::Numpad0 + KeyCode(key - Qt::Key_0);
    switch (key) {
        case Qt::Key_Asterisk: return Key::NumpadMultiply;
        case Qt::Key_Plus: return Key::NumpadAdd;
        case Qt::Key_Minus: return Key::NumpadSubtract;
        case Qt::Key_Period:
        case Qt::Key_Comma: return Key::NumpadDecimal;
        case Qt::Key_Slash: return Key::NumpadDivide;
        case Qt::Key_Enter: return Key::Return;
        default: return std::nullopt;  // navigation keys of the keypad map as the main ones
    }
}

}  // namespace

std::optional<KeyCode> KeyCodeFor(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier))
        if (auto code = KeypadKey(key)) return code;

    if (key >= Qt::Key_A && key <= Qt::Key_Z) return KeyCode(key);  // same numbers
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return KeyCode(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return Key::F1 + KeyCode(key - Qt::Key_F1);
    for (int d = 0; d < 10; ++d)
        if (kShiftedDigits[d] == key) return Key::Digit0 + KeyCode(d);
    for (auto [qt, vk] : kPunctuation)
        if (qt == key) return vk;

    switch (key) {
        case Qt::Key_Backspace: return Key::Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return Key::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter: return Key::Return;
        case Qt::Key_Shift: return Key::Shift;
        case Qt::Key_Control: return Key::Control;
        case Qt::Key_Alt: return Key::Alt;
        case Qt::Key_Pause: return Key::Pause;
        case Qt::Key_CapsLock: return Key::CapsLock;
        case Qt::Key_Escape: return Key::Escape;
        case Qt::Key_Space: return Key::Space;
        case Qt::Key_PageUp: return Key::PageUp;
        case Qt::Key_PageDown: return Key::PageDown;
        case Qt::Key_End: return Key::End;
        case Qt::Key_Home: return Key::Home;
        case Qt::Key_Left: return Key::Left;
        case Qt::Key_Up: return Key::Up;
        case Qt::Key_Right: return Key::Right;
        case Qt::Key_Down: return Key::Down;
        case Qt::Key_Print: return 0x2C;  // Print Screen
        case Qt::Key_Insert: return Key::Insert;
        case Qt::Key_Delete: return Key::Delete;
        case Qt::Key_Menu: return 0x5D;  // the context-menu key
        case Qt::Key_NumLock: return 0x90;
        case Qt::Key_ScrollLock: return 0x91;
        default: return std::nullopt;
    }
}

}  // namespace rastrix::gui
