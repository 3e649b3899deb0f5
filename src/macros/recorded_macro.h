#pragma once
// What macro recording changes in the editor's table g_macros: the record that a recording
// fills, the keystrokes written into it and its file once the recording ends. Each function
// takes g_macroTablesMutex inside (the device report thread may replace a record of the open
// group); callers hold no lock. A macro index outside 0..19 changes nothing.

#include <cstdint>
#include <string_view>

#include "macros/macro_record.h"
#include "macros/macro_recorder.h"
#include "platform/keyboard_capture.h"

namespace gm {

// The recoil strength a recorded macro carries (not enabled).
inline constexpr uint8_t kRecordedMacroStrength = 10;

// Empties g_macros[macro] for a recording: the blank template g_macros[20] is copied over it,
// except its play mode, which stays; the name becomes name and the repeat count 1.
bool BeginRecordedMacro(int macro, std::u16string_view name);

// The recorded macro's recoil strength: not enabled, kRecordedMacroStrength.
bool SetRecordedMacroStrength(int macro);

// Feeds one keystroke to recorder, writing into g_macros[macro]. stored receives a copy of the
// record when a step was stored (for the step list). An index outside 0..19: kIgnored.
RecordedKey RecordKeyIntoMacro(int macro, MacroRecorder& recorder, const KeyEvent& event,
                               MacroRecord& stored);

// Ends a recording: g_macros[macro].stepCount = steps, and the record is written as line
// `macro` of the file of group `group` (SaveGroupMacro; a failed write is reported to the
// user there).
void FinishRecordedMacro(int group, int macro, int steps);

}  // namespace gm
