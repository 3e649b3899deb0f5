#pragma once
// The mouse's recoil nudges: when the mouse asks for it, every pointer-move step of the user
// macro on the first key of the current configuration moves one unit up or down, the macro's
// image in the mouse is rewritten in place and the macro is saved to its group file.
//
// The image the mouse plays is a reduced form of the one Apply writes: delays become 1..127
// ticks with no extension pairs and no cap, short device-mode-2 macros are not repeated, and
// a lighting step is encoded like a key step (press t + 0x80, release t, other actions no
// entry) with no lighting piece.
//
// The image goes into the slot that the last Apply recorded for the first key, and only when
// that slot still belongs to this macro and the image fits it:
// - no slot recorded yet (no Apply in this run): nothing is written;
// - the last Apply ended before the first key's image was written whole (macro memory full,
//   image error, mouse gone): the slot holds no whole image, nothing is written;
// - the slot holds another macro's image: the first key's function is not the macro whose
//   image the slot holds, or the current configuration's position 1 did not play that slot
//   at the last Apply (another function or another address there); nothing is written. A
//   configuration switched to on the mouse whose first key holds the same macro plays the
//   same slot, and the nudge is written;
// - an image longer than the slot: nothing is written (a cut image would play a broken
//   macro and could run into the next slot);
// - otherwise the image, zero-filled to the slot's length, is written in blocks of 8 bytes
//   with no final commit; a block that does not reach the mouse ends the write.
// The adjusted macro is saved to its file in every one of these cases.

#include <cstdint>
#include <mutex>
#include <vector>

#include "macros/macro_record.h"

namespace gm {

// Held while the recoil slot is checked and written, and by Apply for its whole run: Apply
// publishes the slot before it writes the slot's image, and a nudge written in between would
// leave blocks of two different images in the mouse. While holding it the recoil adjustment
// takes no other lock than g_featureReportMutex, so Apply may take any lock under it.
extern std::mutex g_recoilSlotMutex;

// A move step's y is nudged within 0..kRecoilMaxMoveY (a larger y only ever goes down).
inline constexpr uint16_t kRecoilMaxMoveY = 30;
// The image is written in blocks of this many bytes (the last block holds the remainder).
inline constexpr int kRecoilWriteBlockBytes = 8;

// Moves the y of every move step (0xF6) among the record's steps one unit: up while below 30,
// down while above 0.
void NudgeRecoilMoves(MacroRecord& record, bool up);

// The reduced image of a record, header and step entries only: header = 1 for play modes 1
// and 2, else repeatCount; one entry per step (steps 0 .. min(stepCount, 180) - 1) with
// delayMs / tickMs ticks clamped to 1..127 (a tick length below 1 counts as 1).
std::vector<uint8_t> EncodeRecoilImage(const MacroRecord& record, int tickMs);

// What became of the mouse's copy of the macro.
enum class RecoilSlotWrite {
  kWritten,
  kNoSlot,                 // no Apply has recorded a slot, or it lies outside the memory
  kSlotHoldsAnotherMacro,  // the slot does not hold the macro the current first key plays
  kImageLongerThanSlot,
  kWriteFailed,            // a block did not reach the mouse (no mouse, unplugged)
};

enum class RecoilAdjustOutcome {
  kNotUserMacro,    // the first key plays no user macro (function below 256)
  kMacroNotFound,   // its group or macro does not exist (no group file, index beyond it)
  kAdjusted,
};

struct RecoilAdjustResult {
  RecoilAdjustOutcome outcome = RecoilAdjustOutcome::kNotUserMacro;
  RecoilSlotWrite slot = RecoilSlotWrite::kNoSlot;
  bool saved = false;  // every key of the file was written
};

// Nudges the first key's user macro of g_curConfig up or down, writes its image into the
// recorded slot (rules above) and saves it: when its group is the one open in the editor,
// g_macros[index] is replaced and SaveMacro writes it (macroNum included), under
// g_macroTablesMutex; for any other group only DAT_VER and the macro's line are written (a
// file still in the older layout has its other lines rewritten in the current one first).
// Runs on the device report thread.
RecoilAdjustResult AdjustRecoilMacro(bool up);

}  // namespace gm
