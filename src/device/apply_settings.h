#pragma once
// Apply: downloads the four configurations, the shared settings and every macro bound to a
// key into the mouse's memory, then sets the desktop pointer speed and wheel lines and saves
// the settings to config.ini.
//
// Order of one run (each device block is one WriteDeviceMemory exchange):
//  1. the macro the window names (the one selected on the macro page) is saved to its group
//     file;
//  2. feature report 7 is read back: the macro memory ends below 0x7F8, or 0xFF8 when the
//     mouse reports its large memory;
//  3. Init CurConfig is written;
//  4. every key is mapped to its device code (a key bound to a recoil or user macro that no
//     longer exists gets function 0, which is also what step 13 saves);
//  5. the settings blocks 0x01, 0x08 .. 0x68 (the macro tick length is set before 0x18);
//  6. 0x76 is read back and written again with the active configuration in its low two bits
//     (blocks 0x70 and 0x78);
//  7. the descriptor table at 0xA0;
//  8. the images from 0x400 in slot order; no image block may start at or above the end of
//     the macro memory;
//  9. the final commit (07 18 10, 20 ms, 07 18 00);
//     (a download that the mouse cuts short skips to step 11)
// 10. the desktop pointer speed and wheel lines, each only when the desktop can report its
//     current value;
// 11. SaveConfigSections: configurations 0..3 with one replacement of config.ini.
//
// All settings are read once at the start; runs never overlap (a second caller waits).

#include <chrono>
#include <cstdint>
#include <optional>

#include "device/system_mouse_settings.h"
#include "macros/group_macro_save.h"
#include "platform/message_sink.h"

namespace gm {

enum class ApplyResult {
  kCompleted,        // downloaded and committed; desktop settings and config.ini written
  kSaveFailed,       // downloaded and committed, but config.ini or a desktop setting was not
                     // written
  kMacroMemoryFull,  // the macro images do not fit: message shown, ended before the commit
  kImageError,       // a lighting piece would end above 0x4000: "Error!" shown, ended there
  kNoDevice,         // no connection to the mouse when the run began: nothing done
  // The mouse went away or refused a report (after its retries) once the run had begun:
  // ended there, and config.ini written as at the end of a whole run so that no setting is
  // lost (the desktop settings are left alone). The caller tells the user.
  kMouseNotFullyWritten,
};

// The window is repainted after a run that reached the final commit.
constexpr bool ShouldRepaintAfterApply(ApplyResult result) {
  return result == ApplyResult::kCompleted || result == ApplyResult::kSaveFailed;
}

inline const UserMessage kMacroMemoryFullMessage =
    SameInBothLanguages(u"宏存储过多，请减少宏定义按键个数！");

// Shown by the window after a run that ended kMouseNotFullyWritten.
inline const UserMessage kMouseNotFullyWrittenMessage{
    u"鼠标未完全写入（鼠标已拔出或拒绝了数据）。您的设置已保留，请插好鼠标后再次点击应用。",
    u"The mouse was not fully written (it was unplugged or refused a report). Your settings "
    u"are kept; plug the mouse in and click Apply again."};

inline constexpr std::chrono::milliseconds kFinalCommitPause{20};

// Desktop pointer speed of a pointer-speed choice: 0 -> 1, 1..8 -> twice the choice,
// anything else -> 18.
int PointerSpeedOfChoice(uint8_t choice);
// Desktop wheel lines of a wheel-speed choice: (choice + 1) AND 0xFF.
int WheelLinesOfChoice(uint8_t choice);

// Without a connection to the mouse the run returns kNoDevice at once and writes nothing
// (no file, no desktop setting). A report the mouse does not take (each is tried a few
// times, see DeviceTransaction::Send), or a read-back that fails, ends the download where it
// happened with kMouseNotFullyWritten; config.ini is still saved. macroToSaveFirst is saved
// with SaveGroupMacro before anything is read back; nothing is saved without it.
ApplyResult ApplySettingsToDevice(SystemMouseSettings& system,
                                  std::optional<GroupMacro> macroToSaveFirst);

// Puts the lighting state back to its process-start value.
void ResetApplyLightingState();

}  // namespace gm
