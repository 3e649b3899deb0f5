#include "layout_files.h"

#include <system_error>

#include "platform/private_profile.h"
#include "platform/text.h"

namespace gm::skingen {
namespace {

constexpr std::u16string_view kButtonSection = u"BUTTONPOS";
constexpr std::u16string_view kEditSection = u"EDIT";
constexpr std::u16string_view kFunctionSection = u"FUN_STRING";
constexpr std::u16string_view kListSection = u"MACRODISPLAY";
constexpr std::u16string_view kUnusedName = u"Unused";
constexpr int kWarningTableSize = 3;

std::u16string RectLine(std::u16string_view name, const QRect& rect, std::u16string_view caption) {
  std::u16string line(name);
  for (const int value : {rect.x(), rect.y(), rect.width(), rect.height()}) {
    line += u',';
    line += DecimalText(value);
  }
  line += u',';
  line += caption;
  line += u',';
  return line;
}

class LayoutWriter {
 public:
  explicit LayoutWriter(std::filesystem::path file) : file_(std::move(file)) {}

  bool Start(std::vector<std::string>& problems) {
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    std::filesystem::remove(file_, error);
    if (error) {
      problems.push_back("cannot replace " + file_.string() + ": " + error.message());
      return false;
    }
    return true;
  }

  void Write(std::u16string_view section, int key, std::u16string_view value,
             std::vector<std::string>& problems) {
    if (!WritePrivateProfileStringW(section, DecimalText(key), value, file_)) {
      problems.push_back("cannot write [" + ToUtf8(section) + "] " + std::to_string(key) +
                         " of " + file_.string());
    }
  }

 private:
  std::filesystem::path file_;
};

void WriteButtons(LayoutWriter& writer, std::span<const Element> table, int tableSize,
                  bool english, std::vector<std::string>& problems) {
  for (int number = 0; number < tableSize; ++number) {
    writer.Write(kButtonSection, number, ElementLine(FindElement(table, number), english),
                 problems);
  }
}

void WritePlaces(LayoutWriter& writer, std::u16string_view section,
                 std::span<const ControlPlace> places, std::vector<std::string>& problems) {
  for (const ControlPlace& place : places) {
    writer.Write(section, place.key, RectLine(place.name, place.rect, u""), problems);
  }
}

void WriteLanguage(const std::filesystem::path& skinsFolder, bool english,
                   std::vector<std::string>& problems) {
  {
    LayoutWriter writer(skinsFolder / LayoutFileName(LayoutFile::kMain, english));
    if (writer.Start(problems)) {
      WriteButtons(writer, MainElements(), kMainTableSize, english, problems);
      for (const FunctionName& function : FunctionNames()) {
        const std::u16string_view name = english ? function.en : function.cn;
        writer.Write(kFunctionSection, function.code, RectLine(name, QRect(), name), problems);
      }
      WritePlaces(writer, kEditSection, MainEditPlaces(), problems);
    }
  }
  {
    LayoutWriter writer(skinsFolder / LayoutFileName(LayoutFile::kColor, english));
    if (writer.Start(problems)) {
      WriteButtons(writer, LightingElements(), kLightingTableSize, english, problems);
    }
  }
  {
    LayoutWriter writer(skinsFolder / LayoutFileName(LayoutFile::kAdvance, english));
    if (writer.Start(problems)) {
      WriteButtons(writer, AdvancedElements(), kAdvancedTableSize, english, problems);
    }
  }
  {
    LayoutWriter writer(skinsFolder / LayoutFileName(LayoutFile::kMac, english));
    if (writer.Start(problems)) {
      WriteButtons(writer, MacroElements(), kMacroTableSize, english, problems);
      WritePlaces(writer, kEditSection, MacroEditPlaces(), problems);
      WritePlaces(writer, kListSection, MacroListPlaces(), problems);
    }
  }
  {
    LayoutWriter writer(skinsFolder / LayoutFileName(LayoutFile::kLbWarning, english));
    if (writer.Start(problems)) {
      WriteButtons(writer, WarningElements(), kWarningTableSize, english, problems);
    }
  }
}

}  // namespace

std::filesystem::path LayoutFileName(LayoutFile file, bool english) {
  const char* stem = "";
  switch (file) {
    case LayoutFile::kMain: stem = "skin_main"; break;
    case LayoutFile::kColor: stem = "skin_color"; break;
    case LayoutFile::kAdvance: stem = "skin_advance"; break;
    case LayoutFile::kMac: stem = "skin_mac"; break;
    case LayoutFile::kLbWarning: stem = "LBWarning"; break;
  }
  const std::string name = std::string(stem) + (english ? "_en.ini" : ".ini");
  return std::filesystem::path(english ? "INI_EN" : "INI_CN") / name;
}

std::u16string ElementLine(const Element* element, bool english) {
  if (element == nullptr) {
    return RectLine(kUnusedName, QRect(), u"");
  }
  return RectLine(element->name, element->rect, Caption(*element, english));
}

std::vector<std::string> WriteLayoutFiles(const std::filesystem::path& skinsFolder) {
  std::vector<std::string> problems;
  for (const bool english : {true, false}) {
    WriteLanguage(skinsFolder, english, problems);
  }
  return problems;
}

}  // namespace gm::skingen
