// Reads arbitrary bytes as an INI file, looks keys up with several buffer sizes, writes one
// key into the bytes and checks what a reader then sees:
// - nothing crashes, and no read returns more than the buffer holds;
// - the file's bytes survive decoding and encoding unchanged;
// - a written key reads back as written (trimmed and unquoted, cut to the buffer), another
//   key reads as before, the encoding stays (a GB18030 file may change, see
//   EncodeIniTextForStorage), and writing the same value again changes nothing.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "platform/ini_document.h"
#include "platform/ini_encoding.h"
#include "platform/profile_content.h"
#include "platform/text.h"

namespace {

using gm::IniEncoding;

constexpr size_t kMaxNameBytes = 24;
constexpr size_t kMaxValueBytes = 80;
constexpr size_t kMaxBufferChars = 300;
constexpr size_t kWideBuffer = 1 << 20;
constexpr size_t kFixedBuffers[] = {0, 1, 2, 5, 260};
constexpr std::u16string_view kDefault = u"default  ";
constexpr std::u16string_view kMissing = u"\xFFFF missing";

void Require(bool condition) {
  if (!condition) std::abort();
}

// Either one of the names a seed file uses or a name taken from the input.
std::u16string ConsumeName(FuzzedDataProvider& input, std::u16string_view fixed) {
  if (input.ConsumeBool()) return std::u16string(fixed);
  return gm::ToUtf16(input.ConsumeRandomLengthString(kMaxNameBytes));
}

void CheckRoundTrip(const std::string& bytes) {
  const auto decoded = gm::DecodeIniBytes(bytes);
  const bool oddUtf16 = decoded.encoding == IniEncoding::kUtf16LeBom && bytes.size() % 2 != 0;
  if (!oddUtf16) Require(gm::EncodeIniText(decoded.text, decoded.encoding) == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const size_t buffer = input.ConsumeIntegralInRange<size_t>(0, kMaxBufferChars);
  const std::u16string section = ConsumeName(input, u"Config0");
  const std::u16string key = ConsumeName(input, u"Key0");
  // Values come in as UTF-8, so they are well-formed UTF-16, which every encoding stores.
  const std::u16string value = gm::ToUtf16(input.ConsumeRandomLengthString(kMaxValueBytes));
  const std::string file = input.ConsumeRemainingBytesAsString();

  CheckRoundTrip(file);
  for (const size_t bufferChars : kFixedBuffers) {
    const auto read = gm::ReadProfileString(file, section, key, kDefault, bufferChars);
    Require(read.size() + 1 <= std::max<size_t>(bufferChars, 1));
  }
  const std::u16string otherSection = u"S";
  const std::u16string otherKey = u"k";
  const auto otherBefore =
      gm::ReadProfileString(file, otherSection, otherKey, kMissing, kWideBuffer);

  const auto written = gm::WriteProfileString(file, section, key, value);
  if (!written) return 0;
  CheckRoundTrip(*written);
  // The encoding stays; a GB18030 file may become UTF-8 (nothing but ASCII left) or UTF-16,
  // and a UTF-8 file with stray bytes may get its mark (either would otherwise read back as
  // other characters).
  const IniEncoding before = gm::DecodeIniBytes(file).encoding;
  const IniEncoding after = gm::DecodeIniBytes(*written).encoding;
  Require(after == before || before == IniEncoding::kGb18030 ||
          (before == IniEncoding::kUtf8 && after == IniEncoding::kUtf8Bom));
  Require(gm::ReadProfileString(*written, section, key, kDefault, buffer) ==
          gm::CutToBuffer(gm::ValueAsRead(value), buffer));
  if (!(gm::SameIniName(section, otherSection) && gm::SameIniName(key, otherKey))) {
    Require(gm::ReadProfileString(*written, otherSection, otherKey, kMissing, kWideBuffer) ==
            otherBefore);
  }
  const auto again = gm::WriteProfileString(*written, section, key, value);
  Require(again && *again == *written);
  return 0;
}
