#include "macro_text.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "macros/key_codes.h"
#include "macros/macro_record.h"
#include "platform/text.h"

namespace gm::datagen {

namespace {

constexpr int kMaxDelayMs = 10000;     // the step editor's limit
constexpr int kMaxMoveDistance = 100;  // the step editor's limit for x and y
constexpr int kMaxRepeatCount = 65535;
constexpr int kLightCount = 3;
constexpr int kMaxLightEntries = 5;    // the lighting pop-up's limit
constexpr int kMaxLightTime = 100;     // units of 122 ms
constexpr int kMaxByte = 255;

// The editor's CPI values and the DPI level codes a DPI-set step carries for them.
constexpr std::array<std::pair<int, uint16_t>, 12> kCpiLevels{{
    {200, 1}, {400, 2}, {600, 3}, {800, 4}, {1000, 5}, {1200, 6},
    {1600, 7}, {2000, 9}, {2400, 11}, {3200, 13}, {4000, 14}, {4800, 15},
}};

struct Direction {
  std::string_view word;
  uint8_t action;
};
constexpr std::array<Direction, 4> kDirections{{
    {"X-Y-", kActionMoveXMinusYMinus},
    {"X-Y+", kActionMoveXMinusYPlus},
    {"X+Y-", kActionMoveXPlusYMinus},
    {"X+Y+", kActionMoveXPlusYPlus},
}};

struct Button {
  std::string_view word;
  uint8_t code;
};
constexpr std::array<Button, 3> kButtons{{
    {"left", kStepLeftButton},
    {"right", kStepRightButton},
    {"middle", kStepMiddleButton},
}};

// Keyboard keys by the names the macro page's step list shows (LCONTROL, A, F4, SNAPSHOT...).
const std::map<std::string, uint8_t>& KeyUsagesByName() {
  static const std::map<std::string, uint8_t> table = [] {
    std::map<std::string, uint8_t> names;
    const std::u16string unknown = KeyNameOfUsage(0);
    for (int usage = kStepFirstKeyUsage; usage <= kStepLastKeyUsage; ++usage) {
      const std::u16string name = KeyNameOfUsage(static_cast<uint8_t>(usage));
      if (name != unknown) names.emplace(ToUtf8(name), static_cast<uint8_t>(usage));
    }
    return names;
  }();
  return table;
}

std::optional<uint8_t> PressAction(std::string_view word) {
  if (word == "down") return kActionPress;
  if (word == "up") return kActionRelease;
  return std::nullopt;
}

class MacroTextReader {
 public:
  MacroTextReader(const std::filesystem::path& file, Diagnostics& diagnostics)
      : file_(file), diagnostics_(diagnostics) {}

  MacroText Read() {
    for (const TextLine& line : ReadTextLines(file_, diagnostics_)) ReadLine(line);
    return std::move(text_);
  }

 private:
  void Fail(const TextLine& line, std::string_view message) {
    diagnostics_.Error(file_, line.number, std::string(message) + ": \"" + line.text + "\"");
  }
  std::nullopt_t Reject(const TextLine& line, std::string_view message) {
    Fail(line, message);
    return std::nullopt;
  }

  MacroSource* CurrentMacro() {
    auto& macros = text_.groups.empty() ? text_.macros : text_.groups.back().macros;
    return macros.empty() ? nullptr : &macros.back();
  }

  void ReadLine(const TextLine& line) {
    const std::string& keyword = line.words.front();
    if (keyword == "group") return ReadGroup(line);
    if (keyword == "macro") return ReadMacro(line);
    MacroSource* macro = CurrentMacro();
    if (macro == nullptr) return Fail(line, "a step or play line before the first macro");
    if (keyword == "play") return ReadPlay(line, *macro);

    std::optional<StepSource> step;
    if (keyword == "key") step = ReadKey(line);
    else if (keyword == "button") step = ReadButton(line);
    else if (keyword == "move") step = ReadMove(line);
    else if (keyword == "pause") step = ReadPause(line);
    else if (keyword == "dpi") step = ReadDpi(line);
    else if (keyword == "light") step = ReadLight(line);
    else return Fail(line, "unknown line");
    if (step) macro->steps.push_back(std::move(*step));
  }

  void ReadGroup(const TextLine& line) {
    const auto name = ParseNamePair(TextAfterWords(line, 1));
    if (!name) return Fail(line, "a group needs a name");
    text_.groups.push_back(GroupSource{line.number, *name, {}});
  }

  void ReadMacro(const TextLine& line) {
    const auto name = ParseNamePair(TextAfterWords(line, 1));
    if (!name) return Fail(line, "a macro needs a name");
    MacroSource macro;
    macro.line = line.number;
    macro.name = *name;
    (text_.groups.empty() ? text_.macros : text_.groups.back().macros).push_back(macro);
  }

  void ReadPlay(const TextLine& line, MacroSource& macro) {
    const auto& w = line.words;
    if (w.size() == 3 && w[1] == "repeat") {
      const auto count = ParseInteger(w[2], 1, kMaxRepeatCount);
      if (!count) return Fail(line, "the repeat count must be 1..65535");
      macro.playMode = kPlayModeRepeat;
      macro.repeatCount = static_cast<uint16_t>(*count);
      return;
    }
    if (w.size() == 3 && w[1] == "mode" && (w[2] == "1" || w[2] == "2")) {
      macro.playMode = w[2] == "1" ? kPlayModeDevice1 : kPlayModeDevice2;
      macro.repeatCount = 1;  // the mouse's own modes always carry a repeat count of 1
      return;
    }
    Fail(line, "expected \"play repeat <n>\", \"play mode 1\" or \"play mode 2\"");
  }

  // The step's delay from its last word; nothing (reported) when it is not "<n>ms".
  std::optional<uint16_t> Delay(const TextLine& line) {
    const auto delay = ParseDelay(line.words.back(), kMaxDelayMs);
    if (!delay) Fail(line, "the last word must be the delay, 0ms..10000ms");
    return delay;
  }

  std::optional<StepSource> ReadKey(const TextLine& line) {
    const auto& w = line.words;
    if (w.size() != 4) return Reject(line, "expected \"key <name> down|up <n>ms\"");
    const auto& names = KeyUsagesByName();
    const auto key = names.find(w[1]);
    if (key == names.end()) return Reject(line, "unknown key name");
    const auto action = PressAction(w[2]);
    if (!action) return Reject(line, "a key goes down or up");
    const auto delay = Delay(line);
    if (!delay) return std::nullopt;
    return StepSource{line.number, key->second, *action, 0, 0, *delay, {}};
  }

  std::optional<StepSource> ReadButton(const TextLine& line) {
    const auto& w = line.words;
    if (w.size() != 4) {
      return Reject(line, "expected \"button left|right|middle down|up <n>ms\"");
    }
    const Button* button = nullptr;
    for (const auto& b : kButtons) {
      if (b.word == w[1]) button = &b;
    }
    if (button == nullptr) return Reject(line, "unknown mouse button");
    const auto action = PressAction(w[2]);
    if (!action) return Reject(line, "a button goes down or up");
    const auto delay = Delay(line);
    if (!delay) return std::nullopt;
    return StepSource{line.number, button->code, *action, 0, 0, *delay, {}};
  }

  std::optional<StepSource> ReadMove(const TextLine& line) {
    const auto& w = line.words;
    if (w.size() != 5) return Reject(line, "expected \"move X-Y+ <x> <y> <n>ms\"");
    const Direction* direction = nullptr;
    for (const auto& d : kDirections) {
      if (d.word == w[1]) direction = &d;
    }
    if (direction == nullptr) return Reject(line, "unknown move direction");
    const auto x = ParseInteger(w[2], 0, kMaxMoveDistance);
    const auto y = ParseInteger(w[3], 0, kMaxMoveDistance);
    if (!x || !y) return Reject(line, "move distances are 0..100");
    const auto delay = Delay(line);
    if (!delay) return std::nullopt;
    return StepSource{line.number, kStepMove, direction->action, static_cast<uint16_t>(*x),
                      static_cast<uint16_t>(*y), *delay, {}};
  }

  std::optional<StepSource> ReadPause(const TextLine& line) {
    if (line.words.size() != 2) return Reject(line, "expected \"pause <n>ms\"");
    const auto delay = Delay(line);
    if (!delay) return std::nullopt;
    return StepSource{line.number, kStepPause, kActionNone, 0, 0, *delay, {}};
  }

  std::optional<StepSource> ReadDpi(const TextLine& line) {
    const auto& w = line.words;
    if (w.size() == 3 && w[1] == "restore") {
      const auto delay = Delay(line);
      if (!delay) return std::nullopt;
      return StepSource{line.number, kStepDpi, kActionDpiRestore, 0, 0, *delay, {}};
    }
    if (w.size() != 4 || w[1] != "set") {
      return Reject(line, "expected \"dpi set <cpi> <n>ms\" or \"dpi restore <n>ms\"");
    }
    const auto cpi = ParseInteger(w[2], 0, INT32_MAX);
    std::optional<uint16_t> level;
    for (const auto& [value, code] : kCpiLevels) {
      if (cpi && *cpi == value) level = code;
    }
    if (!level) {
      return Reject(line,
                    "the CPI must be 200/400/600/800/1000/1200/1600/2000/2400/3200/4000/4800");
    }
    const auto delay = Delay(line);
    if (!delay) return std::nullopt;
    return StepSource{line.number, kStepDpi, kActionDpiSet, *level, 0, *delay, {}};
  }

  std::optional<LightEntry> ParseLightEntry(std::string_view word) {
    LightEntry entry{};
    std::size_t field = 0;
    while (field < entry.size()) {
      const auto comma = word.find(',');
      const auto part = word.substr(0, comma);
      const bool isTime = field == 2;
      const auto value = ParseInteger(part, isTime ? 1 : 0, isTime ? kMaxLightTime : kMaxByte);
      if (!value) return std::nullopt;
      entry[field++] = static_cast<uint8_t>(*value);
      if (comma == std::string_view::npos) break;
      word.remove_prefix(comma + 1);
    }
    if (field != entry.size() || word.find(',') != std::string_view::npos) return std::nullopt;
    return entry;
  }

  std::optional<StepSource> ReadLight(const TextLine& line) {
    const auto& w = line.words;
    const std::size_t entryCount = w.size() < 3 ? 0 : w.size() - 3;
    if (entryCount < 1 || entryCount > kMaxLightEntries) {
      return Reject(line, "expected \"light <0..2> <mode,colour,time,value>... <n>ms\" with 1..5 "
                        "entries");
    }
    const auto light = ParseInteger(w[1], 0, kLightCount - 1);
    if (!light) return Reject(line, "the light is 0, 1 or 2");
    StepSource step{line.number, kStepLighting, static_cast<uint8_t>(kActionLight0 + *light),
                    0, 0, 0, {}};
    for (std::size_t i = 0; i < entryCount; ++i) {
      const auto entry = ParseLightEntry(w[2 + i]);
      if (!entry) {
        return Reject(line, "a light entry is mode,colour,time,value with time 1..100");
      }
      step.lightEntries.push_back(*entry);
    }
    const auto delay = Delay(line);
    if (!delay) return std::nullopt;
    step.delayMs = *delay;
    return step;
  }

  const std::filesystem::path& file_;
  Diagnostics& diagnostics_;
  MacroText text_;
};

}  // namespace

MacroText ReadMacroText(const std::filesystem::path& file, Diagnostics& diagnostics) {
  return MacroTextReader(file, diagnostics).Read();
}

}  // namespace gm::datagen
