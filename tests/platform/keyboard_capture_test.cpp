#include "platform/keyboard_capture.h"

#include <gtest/gtest.h>

namespace gm {
namespace {

// X key codes are evdev codes + 8; the virtual key is that of the key at the same place on a
// US keyboard, whatever the layout says the key types.
struct PositionCase {
  const char* key;
  uint32_t xKeyCode;
  uint8_t vk;
};

class KeyPositionTest : public ::testing::TestWithParam<PositionCase> {};

TEST_P(KeyPositionTest, KeyCodeGivesTheVirtualKeyOfItsPlace) {
  EXPECT_EQ(VirtualKeyOfXKeyCode(GetParam().xKeyCode), GetParam().vk) << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(
    UsPositions, KeyPositionTest,
    ::testing::Values(PositionCase{"A", 38, 'A'}, PositionCase{"Y (Z on German)", 29, 'Y'},
                      PositionCase{"Z (Y on German)", 52, 'Z'},
                      PositionCase{"Q (A on French)", 24, 'Q'}, PositionCase{"1", 10, '1'},
                      PositionCase{"0", 19, '0'}, PositionCase{"Esc", 9, 27},
                      PositionCase{"Enter", 36, 13}, PositionCase{"keypad Enter", 104, 13},
                      PositionCase{"left Shift", 50, 160}, PositionCase{"right Shift", 62, 161},
                      PositionCase{"right Alt", 108, 165}, PositionCase{"left Ctrl", 37, 162},
                      PositionCase{"F10", 76, 121}, PositionCase{"F12", 96, 123},
                      PositionCase{"F13", 191, 124}, PositionCase{"Print", 107, 44},
                      PositionCase{"Pause", 127, 19}, PositionCase{"keypad 0", 90, 96},
                      PositionCase{"; (Ö on German)", 47, 186},
                      PositionCase{"menu key", 135, 93}));

INSTANTIATE_TEST_SUITE_P(
    KeysWithoutAVirtualKey, KeyPositionTest,
    ::testing::Values(PositionCase{"no key", 0, 0}, PositionCase{"below the offset", 7, 0},
                      PositionCase{"ISO key beside left Shift", 94, 0},
                      PositionCase{"beyond X key codes", 256, 0},
                      PositionCase{"far beyond", 0xFFFFFFFF, 0}));

TEST(KeyEventOfTest, CarriesKindRepeatAndBothCodes) {
  const KeyEvent e = KeyEventOf(KeyEventKind::kRelease, 38, true);
  EXPECT_EQ(e, (KeyEvent{KeyEventKind::kRelease, true, 38, 'A'}));
}

}  // namespace
}  // namespace gm
