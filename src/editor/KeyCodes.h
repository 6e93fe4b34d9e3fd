#pragma once
#include <cstdint>

namespace rastrix {

// Key codes keep the numbers the routing rules and the frame's key table were written with.
// The front end maps its own key events to these, so both work on the same numbers everywhere.
using KeyCode = std::uint32_t;

namespace Key {
inline constexpr KeyCode Back = 0x08;
inline constexpr KeyCode Tab = 0x09;
inline constexpr KeyCode Return = 0x0D;
inline constexpr KeyCode Shift = 0x10;
inline constexpr KeyCode Control = 0x11;
inline constexpr KeyCode Alt = 0x12;
inline constexpr KeyCode Pause = 0x13;
inline constexpr KeyCode CapsLock = 0x14;
inline constexpr KeyCode Escape = 0x1B;
inline constexpr KeyCode Space = 0x20;
inline constexpr KeyCode PageUp = 0x21;
inline constexpr KeyCode PageDown = 0x22;
inline constexpr KeyCode End = 0x23;
inline constexpr KeyCode Home = 0x24;
inline constexpr KeyCode Left = 0x25;
inline constexpr KeyCode Up = 0x26;
inline constexpr KeyCode Right = 0x27;
inline constexpr KeyCode Down = 0x28;
inline constexpr KeyCode Insert = 0x2D;
inline constexpr KeyCode Delete = 0x2E;
// Digits '0'..'9' are 0x30..0x39 and letters 'A'..'Z' are 0x41..0x5A, their upper-case ASCII codes.
inline constexpr KeyCode Digit0 = 0x30;
inline constexpr KeyCode Digit9 = 0x39;
inline constexpr KeyCode LetterA = 0x41;
inline constexpr KeyCode LetterZ = 0x5A;
inline constexpr KeyCode Numpad0 = 0x60;
inline constexpr KeyCode Numpad9 = 0x69;
inline constexpr KeyCode NumpadMultiply = 0x6A;
inline constexpr KeyCode NumpadAdd = 0x6B;
inline constexpr KeyCode NumpadSubtract = 0x6D;
inline constexpr KeyCode NumpadDecimal = 0x6E;
inline constexpr KeyCode NumpadDivide = 0x6F;
inline constexpr KeyCode F1 = 0x70;
inline constexpr KeyCode F2 = 0x71;
inline constexpr KeyCode F3 = 0x72;
inline constexpr KeyCode F4 = 0x73;
inline constexpr KeyCode F5 = 0x74;
inline constexpr KeyCode F6 = 0x75;
inline constexpr KeyCode F7 = 0x76;
inline constexpr KeyCode F8 = 0x77;
inline constexpr KeyCode F9 = 0x78;
inline constexpr KeyCode F10 = 0x79;
inline constexpr KeyCode F11 = 0x7A;
inline constexpr KeyCode F12 = 0x7B;
inline constexpr KeyCode F24 = 0x87;
}  // namespace Key

}  // namespace rastrix
