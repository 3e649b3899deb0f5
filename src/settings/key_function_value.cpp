#include "settings/key_function_value.h"

#include <algorithm>

#include "platform/text.h"

namespace gm {

KeyFunctionValue ParseKeyFunctionValue(std::u16string_view text) {
  KeyFunctionValue value;
  const auto commas = std::count(text.begin(), text.end(), kKeyValueSeparator);
  value.tooManyCommas = commas > kMaxKeyValueCommas;
  const auto comma = text.find(kKeyValueSeparator);
  if (comma == std::u16string_view::npos) {
    value.function = WToI(text);
    return value;
  }
  value.function = WToI(text.substr(0, comma));
  value.param = LowByte(WToI(text.substr(comma + 1)));
  return value;
}

std::u16string FormatKeyFunctionValue(int32_t function, uint8_t param) {
  std::u16string text = DecimalText(function);
  if (function == kKeyboardKeyFunction) {
    text += kKeyValueSeparator;
    text += DecimalText(param);
  }
  return text;
}

}  // namespace gm
