#pragma once
// The text of a key's function in config.ini (the value of K<i>): the function code alone, or
// for a keyboard key the code, a comma and the key's HID usage ("42,4" is the A key).

#include <cstdint>
#include <string>
#include <string_view>

namespace gm {

inline constexpr int32_t kKeyboardKeyFunction = 42;  // the parameter is a HID keyboard usage
inline constexpr char16_t kKeyValueSeparator = u',';
// More commas than this make the value malformed (the loader tells the user, then goes on).
inline constexpr int kMaxKeyValueCommas = 2;

struct KeyFunctionValue {
  int32_t function = 0;  // the decimal number before the first comma (empty text: 0)
  uint8_t param = 0;     // low byte of the number after the first comma; 0 without a comma
  bool tooManyCommas = false;
  bool operator==(const KeyFunctionValue&) const = default;
};

// Reads a K<i> value as the loader does. The numbers are read like _wtoi, so the parameter's
// number ends at a second comma ("42,4,5" is function 42, parameter 4) and text that is not a
// number reads as 0. The function is returned as written, negative values included.
KeyFunctionValue ParseKeyFunctionValue(std::u16string_view text);

// The K<i> text the saver writes: "function,param" for the keyboard-key function, the
// function alone for every other (their parameter is not kept in the file).
std::u16string FormatKeyFunctionValue(int32_t function, uint8_t param);

}  // namespace gm
