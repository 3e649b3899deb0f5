// Macro lines and whole macro files from arbitrary bytes: the reading rule in both layouts and
// the group file reader must never address a step at 180 or beyond or a block at 5 or beyond,
// and every record read must still give a full version-3 line. Step insertion then runs on
// what was read.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor/macro_editor_state.h"
#include "editor/macro_step_insert.h"
#include "macros/macro_file.h"
#include "macros/macro_record.h"
#include "platform/message_sink.h"

namespace {

class SilentSink : public gm::MessageSink {
 public:
  void ShowMessage(const gm::UserMessage&) override {}
};

// One file name per fuzzing process; the file exists only while an input is being read.
const std::filesystem::path& InputFile() {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("macro_line_fuzz_" + std::to_string(::getpid()) + ".dat");
  return file;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckBounded(const gm::MacroRecord& record) {
  const int steps = gm::UsableStepCount(record);
  Check(steps >= 0 && steps <= gm::kMaxMacroSteps);
  Check(gm::UsableBlockCount(record.countF9) <= gm::kMacroBlockCount);
  Check(gm::UsableBlockCount(record.countFB) <= gm::kMacroBlockCount);
  for (int s = 0; s < steps; ++s) {
    if (const gm::MacroLedBlock* block = gm::LedBlockOfStep(record, s)) {
      Check(block >= record.ledBlocks && block < record.ledBlocks + gm::kMacroBlockCount);
    }
    if (const gm::MacroLedBlock* block = gm::FbBlockOfStep(record, s)) {
      Check(block >= record.fbBlocks && block < record.fbBlocks + gm::kMacroBlockCount);
    }
  }
  Check(gm::BuildMacroLine(record).size() == static_cast<size_t>(gm::kMacroLineChars));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SilentSink sink;
  gm::SetMessageSink(&sink);

  // The bytes as a line, one character each, in every layout and strength combination.
  const std::u16string line(data, data + size);
  for (const int header : {gm::kMacroHeaderV3, gm::kMacroHeaderV2}) {
    for (const bool storeStrength : {true, false}) {
      gm::MacroRecord record{};
      const int values =
          header == gm::kMacroHeaderV3 ? gm::kMacroReadValuesV3 : gm::kMacroReadValuesV2;
      gm::StoreMacroLine(record, line, header, values, storeStrength);
      CheckBounded(record);
    }
  }

  // The bytes as a whole group file.
  {
    std::ofstream out(InputFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  gm::LoadMacroFile(InputFile());
  std::error_code error;
  std::filesystem::remove(InputFile(), error);
  Check(gm::g_macroCount >= 0 && gm::g_macroCount <= gm::kMacrosPerGroup);
  for (int i = 0; i < gm::g_macroCount; ++i) CheckBounded(gm::g_macros[i]);

  // Insertion on what was read: no row selected, so nothing is saved.
  if (gm::g_macroCount > 0 && size > 0) {
    gm::g_groupEncrypted = 0;
    gm::g_macroListSel = -1;
    const uint8_t kinds[] = {gm::kStepLighting, gm::kStepBlock, gm::kStepMove, gm::kStepDpi, 4};
    const unsigned position = data[0] % (gm::kMaxMacroSteps + 2);
    for (const uint8_t code : kinds) {
      gm::InsertMacroStep(0, position, code, gm::kActionPress);
      CheckBounded(gm::g_macros[0]);
    }
  }
  return 0;
}
