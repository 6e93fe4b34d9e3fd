#pragma once
#include <cstdint>

namespace rastrix {

// Key codes as Windows numbers them. The front end maps its own key events to these, so the
// routing rules and the frame's key table work on the same numbers everywhere.
using VirtualKey = std::uint32_t;

inline constexpr VirtualKey VK_BACK = 0x08;
inline constexpr VirtualKey VK_TAB = 0x09;
inline constexpr VirtualKey VK_RETURN = 0x0D;
inline constexpr VirtualKey VK_SHIFT = 0x10;
inline constexpr VirtualKey VK_CONTROL = 0x11;
inline constexpr VirtualKey VK_MENU = 0x12;  // Alt
inline constexpr VirtualKey VK_PAUSE = 0x13;
inline constexpr VirtualKey VK_CAPITAL = 0x14;
inline constexpr VirtualKey VK_ESCAPE = 0x1B;
inline constexpr VirtualKey VK_SPACE = 0x20;
inline constexpr VirtualKey VK_PRIOR = 0x21;  // Page Up
inline constexpr VirtualKey VK_NEXT = 0x22;   // Page Down
inline constexpr VirtualKey VK_END = 0x23;
inline constexpr VirtualKey VK_HOME = 0x24;
inline constexpr VirtualKey VK_LEFT = 0x25;
inline constexpr VirtualKey VK_UP = 0x26;
inline constexpr VirtualKey VK_RIGHT = 0x27;
inline constexpr VirtualKey VK_DOWN = 0x28;
inline constexpr VirtualKey VK_INSERT = 0x2D;
inline constexpr VirtualKey VK_DELETE = 0x2E;
// Digits '0'..'9' are 0x30..0x39 and letters 'A'..'Z' are 0x41..0x5A, their upper-case ASCII codes.
inline constexpr VirtualKey VK_0 = 0x30;
inline constexpr VirtualKey VK_9 = 0x39;
inline constexpr VirtualKey VK_A = 0x41;
inline constexpr VirtualKey VK_Z = 0x5A;
inline constexpr VirtualKey VK_NUMPAD0 = 0x60;
inline constexpr VirtualKey VK_NUMPAD9 = 0x69;
inline constexpr VirtualKey VK_MULTIPLY = 0x6A;
inline constexpr VirtualKey VK_ADD = 0x6B;
inline constexpr VirtualKey VK_SUBTRACT = 0x6D;
inline constexpr VirtualKey VK_DECIMAL = 0x6E;
inline constexpr VirtualKey VK_DIVIDE = 0x6F;
inline constexpr VirtualKey VK_F1 = 0x70;
inline constexpr VirtualKey VK_F2 = 0x71;
inline constexpr VirtualKey VK_F3 = 0x72;
inline constexpr VirtualKey VK_F4 = 0x73;
inline constexpr VirtualKey VK_F5 = 0x74;
inline constexpr VirtualKey VK_F6 = 0x75;
inline constexpr VirtualKey VK_F7 = 0x76;
inline constexpr VirtualKey VK_F8 = 0x77;
inline constexpr VirtualKey VK_F9 = 0x78;
inline constexpr VirtualKey VK_F10 = 0x79;
inline constexpr VirtualKey VK_F11 = 0x7A;
inline constexpr VirtualKey VK_F12 = 0x7B;
inline constexpr VirtualKey VK_F24 = 0x87;

}  // namespace rastrix
