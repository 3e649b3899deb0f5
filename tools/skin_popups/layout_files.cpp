#include "layout_files.h"

#include <string_view>
#include <system_error>

#include "platform/private_profile.h"
#include "platform/text.h"

namespace gm::popups {
namespace {

constexpr std::u16string_view kButtonSection = u"BUTTONPOS";
constexpr std::u16string_view kEditSection = u"EDIT";
constexpr char16_t kSeparator = u',';

bool HasSeparator(std::u16string_view text) {
  return text.find(kSeparator) != std::u16string_view::npos;
}

bool WriteSection(std::u16string_view section, std::span<const PopupElement> elements,
                  Language language, const std::filesystem::path& file, std::string& error) {
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const PopupElement& element = elements[i];
    const std::u16string_view caption =
        language == Language::kEnglish ? element.captionEn : element.captionCn;
    if (HasSeparator(element.name) || HasSeparator(caption)) {
      error = "a comma in the name or caption of element " + std::to_string(i) + " of " +
              ToUtf8(section) + " would shift the fields of its line";
      return false;
    }
    const std::u16string key = DecimalText(static_cast<int64_t>(i));
    if (!WritePrivateProfileStringW(section, key, LayoutValue(element, language), file)) {
      error = "cannot write " + file.string();
      return false;
    }
  }
  return true;
}

}  // namespace

std::filesystem::path DialogLayoutPath(const std::filesystem::path& skinsFolder,
                                       const DialogSkin& dialog, Language language) {
  const std::string stem(dialog.layoutStem);
  if (language == Language::kEnglish) return skinsFolder / "INI_EN" / (stem + "_en.ini");
  return skinsFolder / "INI_CN" / (stem + ".ini");
}

std::u16string LayoutValue(const PopupElement& element, Language language) {
  const std::u16string_view caption =
      language == Language::kEnglish ? element.captionEn : element.captionCn;
  const QRect& r = element.rect;
  std::u16string value(element.name);
  for (const int number : {r.x(), r.y(), r.width(), r.height()}) {
    value += kSeparator;
    value += DecimalText(number);
  }
  value += kSeparator;
  value += caption;
  value += kSeparator;
  return value;
}

bool WriteDialogLayout(const std::filesystem::path& skinsFolder, const DialogSkin& dialog,
                       Language language, std::string& error) {
  const std::filesystem::path file = DialogLayoutPath(skinsFolder, dialog, language);
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  if (ec) {
    error = "cannot create " + file.parent_path().string() + ": " + ec.message();
    return false;
  }
  // Start from an empty file so that no key of an earlier layout survives.
  std::filesystem::remove(file, ec);
  if (ec) {
    error = "cannot replace " + file.string() + ": " + ec.message();
    return false;
  }
  return WriteSection(kButtonSection, dialog.buttons, language, file, error) &&
         WriteSection(kEditSection, dialog.edits, language, file, error);
}

}  // namespace gm::popups
