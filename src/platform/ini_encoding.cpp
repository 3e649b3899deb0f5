#include "platform/ini_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <optional>

#include "platform/text.h"

namespace gm {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kEscapeBase = 0xDC00;  // invalid byte b is read as kEscapeBase + b
constexpr char16_t kEscapeFirst = 0xDC80;
constexpr char16_t kEscapeLast = 0xDCFF;
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kFirstSupplementary = 0x10000;
constexpr char kChineseCodePage[] = "GB18030";
constexpr char kUtf16LeName[] = "UTF-16LE";
constexpr size_t kUtf16UnitBytes = 2;

uint8_t ByteAt(std::string_view bytes, size_t index) {
  return static_cast<uint8_t>(bytes[index]);
}

// Length of the well-formed UTF-8 sequence starting at `index` (the table of well-formed
// byte sequences: no overlong forms, no surrogates, nothing above U+10FFFF), or 0.
size_t WellFormedSequenceLength(std::string_view bytes, size_t index) {
  const uint8_t lead = ByteAt(bytes, index);
  size_t length = 0;
  uint8_t secondMin = 0x80;
  uint8_t secondMax = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) secondMin = 0xA0;
    if (lead == 0xED) secondMax = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) secondMin = 0x90;
    if (lead == 0xF4) secondMax = 0x8F;
  } else {
    return 0;
  }
  if (index + length > bytes.size()) return 0;
  const uint8_t second = ByteAt(bytes, index + 1);
  if (second < secondMin || second > secondMax) return 0;
  for (size_t k = 2; k < length; ++k) {
    const uint8_t next = ByteAt(bytes, index + k);
    if (next < 0x80 || next > 0xBF) return 0;
  }
  return length;
}

void AppendCodePoint(char32_t codePoint, std::u16string& out) {
  if (codePoint >= kFirstSupplementary) {
    const char32_t offset = codePoint - kFirstSupplementary;
    out.push_back(static_cast<char16_t>(kHighSurrogateFirst + (offset >> 10)));
    out.push_back(static_cast<char16_t>(kLowSurrogateFirst + (offset & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(codePoint));
  }
}

// Sets *sawInvalid when a byte was not part of a well-formed sequence.
std::u16string DecodeUtf8(std::string_view bytes, bool* sawInvalid = nullptr) {
  constexpr std::array<uint8_t, 5> kLeadPayloadMask = {0, 0x7F, 0x1F, 0x0F, 0x07};
  std::u16string text;
  text.reserve(bytes.size());
  size_t index = 0;
  while (index < bytes.size()) {
    const size_t length = WellFormedSequenceLength(bytes, index);
    if (length == 0) {
      if (sawInvalid != nullptr) *sawInvalid = true;
      text.push_back(static_cast<char16_t>(kEscapeBase + ByteAt(bytes, index)));
      ++index;
      continue;
    }
    char32_t codePoint = ByteAt(bytes, index) & kLeadPayloadMask[length];
    for (size_t k = 1; k < length; ++k) {
      codePoint = (codePoint << 6) | (ByteAt(bytes, index + k) & 0x3F);
    }
    AppendCodePoint(codePoint, text);
    index += length;
  }
  return text;
}

std::u16string DecodeUtf16Le(std::string_view bytes) {
  std::u16string text;
  text.reserve((bytes.size() + 1) / 2);
  for (size_t index = 0; index < bytes.size(); index += 2) {
    const uint8_t low = ByteAt(bytes, index);
    const uint8_t high = index + 1 < bytes.size() ? ByteAt(bytes, index + 1) : 0;
    text.push_back(static_cast<char16_t>(low | (high << 8)));
  }
  return text;
}

void EncodeUtf8(std::u16string_view text, std::string& out) {
  constexpr char16_t kFirstNonAscii = 0x80;
  for (size_t index = 0; index < text.size(); ++index) {
    const char16_t unit = text[index];
    if (unit < kFirstNonAscii) {  // the common case: a run of ASCII copied at once
      size_t end = index + 1;
      while (end < text.size() && text[end] < kFirstNonAscii) ++end;
      const size_t at = out.size();
      out.resize(at + (end - index));
      for (size_t k = index; k < end; ++k) out[at + (k - index)] = static_cast<char>(text[k]);
      index = end - 1;
      continue;
    }
    if (IsHighSurrogate(unit) && index + 1 < text.size() && IsLowSurrogate(text[index + 1])) {
      const char32_t codePoint = kFirstSupplementary +
                                 (static_cast<char32_t>(unit - kHighSurrogateFirst) << 10) +
                                 (text[index + 1] - kLowSurrogateFirst);
      AppendUtf8(codePoint, out);
      ++index;
    } else if (unit >= kEscapeFirst && unit <= kEscapeLast) {
      out.push_back(static_cast<char>(unit - kEscapeBase));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(kReplacement, out);
    } else {
      AppendUtf8(unit, out);
    }
  }
}

void EncodeUtf16Le(std::u16string_view text, std::string& out) {
  for (const char16_t unit : text) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
  }
}

// One iconv conversion direction, opened for one conversion (iconv descriptors carry state and
// must not be shared between threads; code-page files are rare, so opening one per call costs
// nothing that matters, and no descriptor outlives its thread into the process's exit).
class IconvConverter {
 public:
  IconvConverter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
  ~IconvConverter() {
    if (usable()) ::iconv_close(cd_);
  }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  // The whole input converted; nothing when any of it cannot be converted exactly.
  std::optional<std::string> Convert(std::string_view input) {
    if (!usable()) return std::nullopt;
    ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    std::string out(2 * input.size() + 16, '\0');
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    size_t used = 0;
    for (;;) {
      char* outPtr = out.data() + used;
      size_t outLeft = out.size() - used;
      const size_t result = inLeft == 0 ? ::iconv(cd_, nullptr, nullptr, &outPtr, &outLeft)
                                        : ::iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
      used = static_cast<size_t>(outPtr - out.data());
      if (result == static_cast<size_t>(-1)) {
        if (errno != E2BIG) return std::nullopt;  // an invalid or incomplete sequence
        out.resize(2 * out.size());
        continue;
      }
      if (result != 0) return std::nullopt;  // converted, but not exactly
      if (inLeft == 0) break;
    }
    out.resize(used);
    return out;
  }

 private:
  bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t cd_;
};

// Lone surrogates, which no code page holds, become U+FFFD.
std::string TextToUtf16LeBytes(std::u16string_view text) {
  std::u16string clean(text);
  for (size_t index = 0; index < clean.size(); ++index) {
    if (IsHighSurrogate(clean[index]) && index + 1 < clean.size() &&
        IsLowSurrogate(clean[index + 1])) {
      ++index;
    } else if (IsHighSurrogate(clean[index]) || IsLowSurrogate(clean[index])) {
      clean[index] = static_cast<char16_t>(kReplacement);
    }
  }
  std::string bytes;
  bytes.reserve(kUtf16UnitBytes * clean.size());
  EncodeUtf16Le(clean, bytes);
  return bytes;
}

std::optional<std::string> EncodeGb18030(std::u16string_view text) {
  IconvConverter toCodePage(kChineseCodePage, kUtf16LeName);
  return toCodePage.Convert(TextToUtf16LeBytes(text));
}

// The text of a GB18030 file, when every byte of it is valid GB18030 and converts back to the
// same bytes.
std::optional<std::u16string> DecodeGb18030(std::string_view bytes) {
  IconvConverter fromCodePage(kUtf16LeName, kChineseCodePage);
  const std::optional<std::string> units = fromCodePage.Convert(bytes);
  if (!units || units->size() % kUtf16UnitBytes != 0) return std::nullopt;
  std::u16string text = DecodeUtf16Le(*units);
  const std::optional<std::string> back = EncodeGb18030(text);
  if (!back || *back != bytes) return std::nullopt;
  return text;
}

}  // namespace

DecodedIniText DecodeIniBytes(std::string_view bytes) {
  if (bytes.starts_with(kUtf16LeMark)) {
    return {IniEncoding::kUtf16LeBom, DecodeUtf16Le(bytes.substr(kUtf16LeMark.size()))};
  }
  if (bytes.starts_with(kUtf8Mark)) {
    return {IniEncoding::kUtf8Bom, DecodeUtf8(bytes.substr(kUtf8Mark.size()))};
  }
  bool sawInvalid = false;
  std::u16string text = DecodeUtf8(bytes, &sawInvalid);
  if (sawInvalid) {
    if (std::optional<std::u16string> chinese = DecodeGb18030(bytes)) {
      return {IniEncoding::kGb18030, std::move(*chinese)};
    }
  }
  return {IniEncoding::kUtf8, std::move(text)};
}

std::string EncodeIniText(std::u16string_view text, IniEncoding encoding) {
  std::string out;
  switch (encoding) {
    case IniEncoding::kUtf16LeBom:
      out.reserve(kUtf16LeMark.size() + 2 * text.size());
      out.append(kUtf16LeMark);
      EncodeUtf16Le(text, out);
      return out;
    case IniEncoding::kGb18030:
      // Every Unicode text has a GB18030 form; should the converter be missing, UTF-8 keeps
      // the text readable.
      if (std::optional<std::string> bytes = EncodeGb18030(text)) return std::move(*bytes);
      break;
    case IniEncoding::kUtf8Bom:
      out.append(kUtf8Mark);
      break;
    case IniEncoding::kUtf8:
      break;
  }
  out.reserve(out.size() + text.size());
  EncodeUtf8(text, out);
  return out;
}

std::string EncodeIniTextForStorage(std::u16string_view text, IniEncoding& encoding) {
  std::string bytes = EncodeIniText(text, encoding);
  // Only a file without a mark is told by its bytes, and a UTF-8 file only when it holds bytes
  // that are no UTF-8 (kept as lone surrogates), which may then pass for GB18030.
  const bool unmarkedUtf8WithStrayBytes =
      encoding == IniEncoding::kUtf8 &&
      std::any_of(text.begin(), text.end(), [](char16_t unit) { return IsLowSurrogate(unit); });
  if (encoding != IniEncoding::kGb18030 && !unmarkedUtf8WithStrayBytes) return bytes;
  if (DecodeIniBytes(bytes).text == text) return bytes;
  encoding = encoding == IniEncoding::kGb18030 ? IniEncoding::kUtf16LeBom : IniEncoding::kUtf8Bom;
  return EncodeIniText(text, encoding);
}

}  // namespace gm
