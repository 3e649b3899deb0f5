#include "platform/keyboard_capture.h"

#include <array>
#include <utility>

namespace gm {
namespace {

// Evdev key codes (linux/input-event-codes.h) and the Windows virtual-key code of the key at
// that place on a US keyboard. Modifiers keep their side (left and right Shift, Ctrl, Alt,
// Windows key), as a low-level keyboard hook reports them. The ISO key beside the left Shift
// (KEY_102ND) and keys without a virtual-key code the key-code tables name are left out.
constexpr std::pair<uint16_t, uint8_t> kEvdevVirtualKeys[] = {
    {1, 27},     // Esc
    {2, 49},  {3, 50},  {4, 51},  {5, 52},  {6, 53},  {7, 54},  {8, 55},  {9, 56},  {10, 57},
    {11, 48},    // 1..9, 0
    {12, 189},   // - _
    {13, 187},   // = +
    {14, 8},     // Backspace
    {15, 9},     // Tab
    {16, 'Q'}, {17, 'W'}, {18, 'E'}, {19, 'R'}, {20, 'T'}, {21, 'Y'}, {22, 'U'}, {23, 'I'},
    {24, 'O'}, {25, 'P'},
    {26, 219},   // [ {
    {27, 221},   // ] }
    {28, 13},    // Enter
    {29, 162},   // left Ctrl
    {30, 'A'}, {31, 'S'}, {32, 'D'}, {33, 'F'}, {34, 'G'}, {35, 'H'}, {36, 'J'}, {37, 'K'},
    {38, 'L'},
    {39, 186},   // ; :
    {40, 222},   // ' "
    {41, 192},   // ` ~
    {42, 160},   // left Shift
    {43, 220},   // \ |
    {44, 'Z'}, {45, 'X'}, {46, 'C'}, {47, 'V'}, {48, 'B'}, {49, 'N'}, {50, 'M'},
    {51, 188},   // ,
    {52, 190},   // .
    {53, 191},   // / ?
    {54, 161},   // right Shift
    {55, 106},   // keypad *
    {56, 164},   // left Alt
    {57, 32},    // Space
    {58, 20},    // Caps Lock
    {59, 112}, {60, 113}, {61, 114}, {62, 115}, {63, 116}, {64, 117}, {65, 118}, {66, 119},
    {67, 120}, {68, 121},  // F1..F10
    {69, 144},   // Num Lock
    {70, 145},   // Scroll Lock
    {71, 103}, {72, 104}, {73, 105},  // keypad 7 8 9
    {74, 109},   // keypad -
    {75, 100}, {76, 101}, {77, 102},  // keypad 4 5 6
    {78, 107},   // keypad +
    {79, 97},  {80, 98},  {81, 99},   // keypad 1 2 3
    {82, 96},    // keypad 0
    {83, 110},   // keypad .
    {87, 122}, {88, 123},  // F11, F12
    {96, 13},    // keypad Enter
    {97, 163},   // right Ctrl
    {98, 111},   // keypad /
    {99, 44},    // Print Screen
    {100, 165},  // right Alt (AltGr)
    {102, 36},   // Home
    {103, 38},   // Up
    {104, 33},   // Page Up
    {105, 37},   // Left
    {106, 39},   // Right
    {107, 35},   // End
    {108, 40},   // Down
    {109, 34},   // Page Down
    {110, 45},   // Insert
    {111, 46},   // Delete
    {119, 19},   // Pause
    {121, 108},  // keypad , (separator)
    {125, 91},   // left Windows key
    {126, 92},   // right Windows key
    {127, 93},   // context-menu key
    {138, 47},   // Help
    {183, 124}, {184, 125}, {185, 126}, {186, 127}, {187, 128}, {188, 129},
    {189, 130}, {190, 131}, {191, 132}, {192, 133}, {193, 134}, {194, 135},  // F13..F24
};

constexpr std::size_t kXKeyCodeCount = 256;

constexpr std::array<uint8_t, kXKeyCodeCount> BuildXKeyCodeTable() {
  std::array<uint8_t, kXKeyCodeCount> table{};
  for (const auto& [evdev, vk] : kEvdevVirtualKeys) table[evdev + kXKeyCodeOffset] = vk;
  return table;
}

constexpr std::array<uint8_t, kXKeyCodeCount> kVirtualKeyOfXKeyCode = BuildXKeyCodeTable();

}  // namespace

uint8_t VirtualKeyOfXKeyCode(uint32_t xKeyCode) {
  return xKeyCode < kXKeyCodeCount ? kVirtualKeyOfXKeyCode[xKeyCode] : 0;
}

KeyEvent KeyEventOf(KeyEventKind kind, uint32_t xKeyCode, bool autoRepeat) {
  return KeyEvent{kind, autoRepeat, xKeyCode, VirtualKeyOfXKeyCode(xKeyCode)};
}

}  // namespace gm
