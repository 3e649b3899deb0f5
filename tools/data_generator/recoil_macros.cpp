#include "recoil_macros.h"

#include <string>

#include "platform/text.h"
#include "recoil_weapons.h"
#include "text_lines.h"

namespace gm::datagen {

namespace {

constexpr int kMinRoundsPerMinute = 300;   // 200 ms per shot
constexpr int kMaxRoundsPerMinute = 1500;  // 40 ms per shot
constexpr int kMinPull = 1;                // the recoil dialog's strength range
constexpr int kMaxPull = 99;
constexpr int kMsPerMinute = 60000;
constexpr int kShotsPerRun = 2;            // steps 0 and 1, whose delays the dialog edits
constexpr uint16_t kNoSideways = 0;
constexpr uint8_t kStrengthSet = 1;        // as the recoil dialog leaves a saved macro

}  // namespace

int ShotIntervalMs(int roundsPerMinute) {
  return (kMsPerMinute + roundsPerMinute / 2) / roundsPerMinute;
}

std::vector<RecoilSource> ReadRecoilSources(const std::filesystem::path& file,
                                            Diagnostics& diagnostics) {
  std::vector<RecoilSource> sources;
  const auto lines = ReadTextLines(file, diagnostics);
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const TextLine& line = lines[index];
    if (index >= recoil::kRecoilWeaponCount) {
      diagnostics.Error(file, line.number, "more lines than weapons in recoil_weapons.h");
      break;
    }
    const recoil::RecoilWeapon& weapon = recoil::kRecoilWeapons[index];
    if (line.words.size() < 4) {
      diagnostics.Error(file, line.number, "expected \"<stem> <rounds/min> <pull> <name>\"");
      continue;
    }
    if (line.words[0] != weapon.stem || ToUtf16(TextAfterWords(line, 3)) != weapon.nameEn) {
      diagnostics.Error(file, line.number,
                        "expected weapon " + std::string(weapon.stem) + " " +
                            ToUtf8(weapon.nameEn) + " of recoil_weapons.h here");
      continue;
    }
    const auto rpm = ParseInteger(line.words[1], kMinRoundsPerMinute, kMaxRoundsPerMinute);
    const auto pull = ParseInteger(line.words[2], kMinPull, kMaxPull);
    if (!rpm || !pull) {
      diagnostics.Error(file, line.number, "rounds/min must be 300..1500 and the pull 1..99");
      continue;
    }
    sources.push_back({static_cast<int>(*rpm), static_cast<int>(*pull)});
  }
  if (lines.size() < recoil::kRecoilWeaponCount) {
    diagnostics.Error(file.string() + ": fewer lines than weapons in recoil_weapons.h");
  }
  return sources;
}

std::vector<MacroRecord> BuildRecoilMacros(const std::vector<RecoilSource>& sources,
                                           Language language) {
  std::vector<MacroRecord> records;
  for (std::size_t i = 0; i < sources.size() && i < recoil::kRecoilWeaponCount; ++i) {
    const recoil::RecoilWeapon& weapon = recoil::kRecoilWeapons[i];
    const auto name = language == Language::kEnglish ? weapon.nameEn : weapon.nameCn;
    MacroRecord record = NewMacroRecord(name, kPlayModeDevice2, 1);
    const auto pull = static_cast<uint16_t>(sources[i].pullPerShot);
    const auto interval = static_cast<uint16_t>(ShotIntervalMs(sources[i].roundsPerMinute));
    for (int shot = 0; shot < kShotsPerRun; ++shot) {
      AppendStep(record, kStepMove, kActionMoveXMinusYPlus, kNoSideways, pull, interval);
    }
    record.strengthEnabled = kStrengthSet;
    record.strength = static_cast<uint8_t>(pull);
    records.push_back(record);
  }
  return records;
}

}  // namespace gm::datagen
