#pragma once
// UTF-16 text helpers shared by the core. The program keeps every user-visible string and
// every INI value as UTF-16, as the files and the mouse's names are counted in UTF-16 units.

#include <cstdint>
#include <string>
#include <string_view>

namespace gm {

// UTF-8 <-> UTF-16. Invalid input never throws: a malformed UTF-8 byte becomes U+FFFD,
// a lone surrogate becomes U+FFFD in UTF-8.
std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

// Appends the UTF-8 bytes of one code point (0..0x10FFFF) to out.
void AppendUtf8(char32_t codePoint, std::string& out);

// Decimal text to int the way the C runtime's _wtoi reads it: leading white space, an
// optional sign, digits up to the first other character; no digits give 0. Values beyond
// the int range saturate at INT_MIN / INT_MAX.
int32_t WToI(std::u16string_view text);

// "%d" of a signed value, as UTF-16.
std::u16string DecimalText(int64_t value);

// The halves of a UTF-16 surrogate pair: a high half followed by a low half.
constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
// True when every surrogate half in text is part of a pair.
bool SurrogatesArePaired(std::u16string_view text);

// Low byte of a value, as the loaders store one-byte fields.
constexpr uint8_t LowByte(int32_t value) { return static_cast<uint8_t>(value & 0xFF); }

}  // namespace gm
