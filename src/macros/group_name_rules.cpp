#include "macros/group_name_rules.h"

#include <system_error>

#include "platform/ini_document.h"
#include "platform/text.h"

namespace gm {

namespace {

constexpr char16_t kFirstPrintable = u' ';
constexpr char16_t kDelete = 0x7F;
constexpr std::u16string_view kRefusedCharacters = u"/\\<>:\"|?*";

bool IsControl(char16_t c) { return c < kFirstPrintable || c == kDelete; }
// The entry of folder whose name equals fileName but for letter case, first in name order.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::u16string_view fileName) {
  std::optional<std::filesystem::path> found;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::filesystem::path entryName = it->path().filename();
    const std::u16string entryText = ToUtf16(entryName.string());
    if (ToUtf8(entryText) != entryName.string()) continue;  // not UTF-8: no group's file
    if (!SameTextIgnoringCase(entryText, fileName)) continue;
    if (!found || entryName < found->filename()) found = it->path();
  }
  return found;
}

}  // namespace

bool IsValidGroupName(std::u16string_view name) {
  if (name.empty() || name.size() > kMaxGroupNameUnits) return false;
  if (name == u"." || name == u"..") return false;
  for (char16_t c : name) {
    if (IsControl(c) || kRefusedCharacters.find(c) != std::u16string_view::npos) return false;
  }
  // The list file trims blanks around a value and strips matching outer quotes.
  if (ValueAsRead(name) != name) return false;
  return SurrogatesArePaired(name);
}

std::optional<std::filesystem::path> GroupFilePath(const std::filesystem::path& folder,
                                                   std::u16string_view name) {
  if (!IsValidGroupName(name)) return std::nullopt;
  std::u16string fileName(name);
  fileName += kGroupFileExtension;
  const std::filesystem::path file(ToUtf8(fileName));
  // With no separator in the name this is one plain component; checked again so that no
  // later change of the rules above can let a path leave the folder.
  if (file.has_parent_path() || file.is_absolute() || file == "." || file == "..") {
    return std::nullopt;
  }
  std::filesystem::path exact = folder / file;
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(exact, ec))) return exact;
  if (auto other = FindIgnoringCase(folder, fileName)) return other;
  return exact;
}

}  // namespace gm
