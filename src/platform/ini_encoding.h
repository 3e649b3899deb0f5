#pragma once
// The byte encodings of INI files and their conversion to and from UTF-16 text.
//
// A file that starts with FF FE is UTF-16LE; one that starts with EF BB BF is UTF-8. A file
// without a mark is UTF-8 when it is valid UTF-8, else GB18030 (the Chinese Windows code page,
// in which Windows programs write their INI files) when it is valid GB18030, converted through
// iconv. Decoding never fails and never loses a byte: a file that is neither is read as UTF-8
// in which each byte that is not part of a valid sequence becomes the lone low surrogate
// U+DC00 + byte (U+DC80 to U+DCFF), and encoding turns such a surrogate back into its byte, so a
// file's bytes survive a decode and an encode unchanged (a GB18030 file is taken as such only
// when its bytes survive the same way). A UTF-16 file with an odd number of bytes reads its
// last byte as one unit with a zero high byte.

#include <string>
#include <string_view>

namespace gm {

enum class IniEncoding {
  kUtf8,         // no byte-order mark; also what new files are written in
  kUtf8Bom,      // EF BB BF, then UTF-8
  kUtf16LeBom,   // FF FE, then UTF-16 little-endian units
  kGb18030,      // no mark, not valid UTF-8: the Chinese Windows code page
};

struct DecodedIniText {
  IniEncoding encoding = IniEncoding::kUtf8;
  std::u16string text;  // without the byte-order mark
};

DecodedIniText DecodeIniBytes(std::string_view bytes);

// The file bytes of `text` in `encoding`, with the byte-order mark the encoding has. In UTF-8
// a lone surrogate U+DC80..U+DCFF becomes its single byte (see above); any other lone
// surrogate, which no UTF-8 file can hold, becomes U+FFFD; in GB18030 every lone surrogate
// becomes U+FFFD.
std::string EncodeIniText(std::u16string_view text, IniEncoding encoding);

// The bytes that store `text` in a file now in `encoding`, read back as the same text. Nothing
// but its bytes tells a file without a mark: when a GB18030 file's new bytes would be read as
// UTF-8 with another text (its last non-UTF-8 byte was just replaced), it is stored as
// UTF-16LE with its mark instead, which both this program and the Windows profile functions
// read; when a UTF-8 file with stray bytes would be read as GB18030, it gets the UTF-8 mark.
// `encoding` becomes the encoding written.
std::string EncodeIniTextForStorage(std::u16string_view text, IniEncoding& encoding);

}  // namespace gm
