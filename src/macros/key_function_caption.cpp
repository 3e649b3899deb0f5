#include "macros/key_function_caption.h"

#include <algorithm>

#include "macros/key_codes.h"
#include "macros/macro_record.h"
#include "platform/text.h"
#include "settings/key_function.h"

namespace gm {

static_assert(kRecoilMacroSlots == kMacrosPerGroup);
static_assert(kUserMacroGroupSlots == kMaxMacroGroups);
static_assert(kUserMacroSlotsPerGroup == kMacrosPerGroup);

namespace {

// Codes below this one are named by their FUN_STRING entry (48 and 49 have none).
constexpr int32_t kFirstUnnamedFunction = 48;

constexpr std::u16string_view kRecoilPrefixEnglish = u"[C] : ";
constexpr std::u16string_view kRecoilPrefixChinese = u"【指】: ";
constexpr std::u16string_view kLeftButtonMacroPrefix = u"【指】:";
constexpr std::u16string_view kPlainMacroPrefix = u"【普】:";
constexpr std::u16string_view kCutMark = u"...";

std::u16string FunStringOf(int32_t code, std::span<const std::u16string> funStrings) {
  if (code < 0 || static_cast<size_t>(code) >= funStrings.size()) return {};
  return funStrings[static_cast<size_t>(code)];
}

std::u16string RecoilCaption(int32_t code, bool isEnglish, const KeyCaptionSources& sources) {
  const int index = RecoilMacroIndex(code);
  // The count comes from the recoil file; never read past the names actually held.
  const int64_t loaded = std::min(static_cast<int64_t>(std::max(sources.recoilCount, 0)),
                                  static_cast<int64_t>(sources.recoilNames.size()));
  if (index < 0 || index >= loaded) return {};
  const auto prefix = isEnglish ? kRecoilPrefixEnglish : kRecoilPrefixChinese;
  return std::u16string(prefix) + sources.recoilNames[static_cast<size_t>(index)];
}

std::u16string UserMacroCaption(int32_t code, int32_t leftMac, const KeyCaptionSources& sources) {
  const int group = UserMacroGroup(code);
  const int index = UserMacroIndex(code);
  if (group < 0 || group >= kUserMacroGroupSlots || index < 0 ||
      index >= kUserMacroSlotsPerGroup || !sources.userMacroName) {
    return {};
  }
  const auto name = sources.userMacroName(group, index);
  if (!name) return {};
  const auto prefix = leftMac != 0 ? kLeftButtonMacroPrefix : kPlainMacroPrefix;
  return std::u16string(prefix) + *name;
}

std::u16string FullCaption(int32_t code, uint8_t param, int32_t leftMac, bool isEnglish,
                           const KeyCaptionSources& sources) {
  if (code == kKeyboardKeyFunction) return KeyNameOfUsageForPage(param);
  if (code >= 0 && code < kFirstUnnamedFunction) return FunStringOf(code, sources.funStrings);
  if (IsRecoilCode(code)) return RecoilCaption(code, isEnglish, sources);
  if (IsUserMacroCode(code)) return UserMacroCaption(code, leftMac, sources);
  return {};
}

}  // namespace

std::u16string KeyFunctionCaption(int32_t code, uint8_t param, int32_t leftMac, bool isEnglish,
                                  const KeyCaptionSources& sources) {
  return CutCaption(FullCaption(code, param, leftMac, isEnglish, sources));
}

std::u16string CutCaption(std::u16string_view caption) {
  if (caption.size() <= kCaptionMaxUnits) return std::u16string(caption);
  size_t keep = kCaptionMaxUnits;
  if (IsHighSurrogate(caption[keep - 1])) --keep;
  return std::u16string(caption.substr(0, keep)) + std::u16string(kCutMark);
}

}  // namespace gm
