#pragma once
// Conversions between the three key-code spaces: HID keyboard usages (memory, the mouse),
// Windows virtual-key codes (macro files, keyboard capture) and display names.
// Mouse buttons: 0xF1 left, 0xF2 middle, 0xF3 right in memory; 240 left, 241 right,
// 242 middle in files.

#include <cstdint>
#include <string>

namespace gm {

uint8_t HidUsageToVk(uint8_t usage);
// Reads the language flag: under Chinese, virtual key 223 also maps to usage 85.
uint8_t VkToHidUsage(uint8_t vk);
// The key-capture dialog's variant: the English mapping up to 222, every code above passes.
uint8_t CaptureVkToHidUsage(uint8_t vk);

std::u16string KeyNameOfUsage(uint8_t usage);
std::u16string KeyNameOfUsageForPage(uint8_t usage);
std::u16string KeyNameOfUsageForCapture(uint8_t usage);

}  // namespace gm
