#pragma once
// The two worker threads that answer the mouse.
//
// The report thread reads input report 6 and records what happened: key events leave flags
// for the key action thread and wake it, a configuration switch made on the mouse is read back
// and loaded at once, and recoil requests nudge the first key's recoil macro
// (device/recoil_adjust.h). The key action thread does the host side of the key functions
// that need one: the consumer usage of a multimedia key, the re-read of the active
// configuration after a configuration key, and the DPI level after a DPI key.
//
// Both threads sleep while nothing happens: the report thread waits in the read of the input
// connection without a timeout, the key action thread waits until a key event leaves a flag,
// and each report that leaves one costs one pass of each thread. Without an input connection
// (before the mouse is opened, after a failed read) the report thread waits for the next
// OpenDevice or CloseDevice, and tries again after kFailedReadRetryPause at the latest.
//
// DeviceWorkers owns both threads: Start launches them, Stop (and the destructor) asks them to
// end and joins them. Its owner is an object of the running program (the main window), never
// a static, so that no worker runs while the process's globals are being destroyed. Every
// wait of both threads ends at once on the stop request, so Stop returns as soon as the
// device exchange under way is done (a recoil adjustment under way waits for a running
// Apply).
//
// The report thread never waits for Apply: it hands recoil requests to a third thread
// (device/recoil_nudge_queue.h) and goes on reading.
//
// Repaints are requested through a callback that runs on the worker thread; the user
// interface supplies one that hands the request to its own thread.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <thread>

#include "device/recoil_nudge_queue.h"

namespace gm {

// Flags shared by the two threads (all 0 at start; Start clears g_keyEventPending).
// A key press waits for the key action thread, which clears the flag once it has handled the
// press; a press that arrives while it is set is dropped.
extern std::atomic<int32_t> g_keyEventPending;
// Event code (0xF1..0xFF) of the key event being handled: of the pending press, and of the
// last DPI event while no press is pending (a DPI event never changes the key of a press that
// waits, so the press is handled for the key that was pressed).
extern std::atomic<uint8_t> g_lastKeyEventCode;
// The key action thread should take the DPI level from the last DPI event.
extern std::atomic<int32_t> g_dpiChangePending;
// The last recoil nudge: 1 up, 0 down (down before the first request).
extern std::atomic<int32_t> g_recoilDirection;
// The last key event with a DPI change: its event code in the high byte, its byte 2 (bits
// 0..2: the new DPI level) in the low byte. One atomic, so the key action thread always sees
// a level together with the key it came with, whatever reports arrive meanwhile.
extern std::atomic<uint16_t> g_lastDpiKeyEvent;

// Every flag above back to 0. Only while the threads are stopped.
void ResetDeviceThreadFlags();

using RepaintRequest = std::function<void()>;
// Carries out or queues one recoil nudge (true: up). Empty: AdjustRecoilMacro at once, on the
// calling thread.
using RecoilNudgeRequest = std::function<void(bool up)>;

// The report thread's read waits for a report without a limit (the stop request ends it).
inline constexpr int kInputReadWithoutLimit = -1;
// After a read that failed (no input connection, device gone) the report thread waits for the
// input connection to change, and reads again after this long at the latest.
inline constexpr std::chrono::milliseconds kFailedReadRetryPause{1000};

// Reads the active configuration back from the mouse: g_curConfig = its configuration,
// CurConfig saved to g_configIniPath, the configuration loaded from g_configFolder, repaint.
// When the read-back fails nothing changes and the result is false.
bool ReReadActiveConfiguration(const RepaintRequest& repaint);

// What the report thread does with one input report (report id first). A report id other
// than 6, or a report shorter than its three event bytes, changes nothing. Recoil requests go
// to `nudge` (g_recoilDirection is set here, in report order).
void HandleInputReport(std::span<const uint8_t> report, const RepaintRequest& repaint,
                       const RecoilNudgeRequest& nudge = {});

// One pass of the key action thread: the DPI flag, then the pending key press, whose flag is
// cleared once it has been handled. The DPI flag is taken (cleared) before its event is read,
// and the press flag is cleared only when this pass found it set, so an event that arrives
// during the pass is handled by the next pass instead of being lost.
void RunKeyActionPass(const RepaintRequest& repaint);

class DeviceWorkers {
 public:
  explicit DeviceWorkers(RepaintRequest repaint);
  ~DeviceWorkers();
  DeviceWorkers(const DeviceWorkers&) = delete;
  DeviceWorkers& operator=(const DeviceWorkers&) = delete;

  // Clears g_keyEventPending and starts both threads and the recoil thread; nothing when they
  // already run.
  void Start();
  // Asks the threads to end and joins them (nudges still queued are dropped); nothing when
  // they do not run.
  void Stop();
  bool Running() const;

  // Loop passes since this object was made: reads of the report thread that returned (with a
  // report or not), passes of the key action thread. Any thread.
  struct Passes {
    uint64_t reads = 0;
    uint64_t keyActions = 0;
  };
  Passes PassesMade() const;

 private:
  void ReportLoop(std::stop_token stop);
  void KeyActionLoop(std::stop_token stop);
  // Called by the report thread after a report that may have left a flag.
  void WakeKeyActionThread();

  RepaintRequest repaint_;
  RecoilNudgeQueue recoilNudges_;
  // The key action thread waits on keyEvent_ until a flag is set; the report thread sets the
  // flags, then takes keyEventMutex_ once before it notifies, so the wake is never lost. The
  // mutex is held only for the wait and that handover, never together with another lock.
  std::mutex keyEventMutex_;
  std::condition_variable_any keyEvent_;
  std::atomic<uint64_t> readPasses_{0};
  std::atomic<uint64_t> keyActionPasses_{0};
  std::jthread reportThread_;
  std::jthread keyActionThread_;
};

}  // namespace gm
