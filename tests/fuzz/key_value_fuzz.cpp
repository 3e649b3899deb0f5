// Arbitrary UTF-16 text as a K<i> value: parsing never fails, and what the saver writes for
// the result reads back as the same key function.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/key_function_value.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text;
  for (size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  const gm::KeyFunctionValue value = gm::ParseKeyFunctionValue(text);

  const gm::KeyFunctionValue again =
      gm::ParseKeyFunctionValue(gm::FormatKeyFunctionValue(value.function, value.param));
  if (again.function != value.function || again.tooManyCommas) std::abort();
  if (value.function == gm::kKeyboardKeyFunction && again.param != value.param) std::abort();
  if (value.function != gm::kKeyboardKeyFunction && again.param != 0) std::abort();
  return 0;
}
