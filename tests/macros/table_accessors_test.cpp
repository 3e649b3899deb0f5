// The locked accessors the pop-up lists read and write the macro tables through: bounded to
// the tables, and waiting while another thread holds them.

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>

#include "macros/led_step_entry.h"
#include "macros/macro_record.h"
#include "macros/recoil_macro_names.h"

namespace gm::test {
namespace {

using namespace std::chrono_literals;

class TableAccessors : public ::testing::Test {
 protected:
  void TearDown() override {
    g_gunMacroCount = 0;
    ClearMacroRecord(g_macros, 1);
  }
};

TEST_F(TableAccessors, RecoilNamesFollowTheStatedCountBoundedToTheTable) {
  for (int i = 0; i < kMacrosPerGroup; ++i) g_gunNames[i] = u"gun";
  struct Case { int16_t stated; std::size_t names; };
  for (const Case c : {Case{3, 3}, Case{25, 20}, Case{-3, 0}}) {
    g_gunMacroCount = c.stated;
    EXPECT_EQ(RecoilMacroNames().size(), c.names) << c.stated;
    EXPECT_EQ(RecoilMacroCount(), static_cast<int>(c.names)) << c.stated;
  }
}

TEST_F(TableAccessors, ALightingStepByteIsSetOnlyInsideTheTablesAndWaitsForThem) {
  EXPECT_FALSE(SetLedStepFirstEntry(21, 0, LedEntryByte::kMode, 6));
  EXPECT_FALSE(SetLedStepFirstEntry(1, kNoBlockIndex, LedEntryByte::kMode, 6));
  EXPECT_EQ(LedStepFirstEntry(1, kMacroBlockCount, LedEntryByte::kMode), 0);

  std::unique_lock lock(g_macroTablesMutex);
  auto done = std::async(std::launch::async,
                         [] { return SetLedStepFirstEntry(1, 4, LedEntryByte::kColor, 7); });
  EXPECT_EQ(done.wait_for(100ms), std::future_status::timeout);
  EXPECT_EQ(g_macros[1].ledBlocks[4].entries[0][1], 0);
  lock.unlock();
  EXPECT_TRUE(done.get());
  EXPECT_EQ(LedStepFirstEntry(1, 4, LedEntryByte::kColor), 7);
}

}  // namespace
}  // namespace gm::test
