// Macro recording on a real X display with the X11 keyboard capture, driven from standard
// input: a test types keys with xdotool while another X client has the focus. The window is
// not shown until "show", so the focus stays with that client. Messages are real message
// boxes.
//
//   macro_record_probe <empty folder>
// Makes group "A" with macro "a0" in the folder and selects a0 on the macro page. Writes:
//   ready
//   recording <1|0>                 after "record": recording runs; whether the capture delivers
//   key <press|release> <X key code> <virtual key>
//   stored <step count> {<code>:<action>}   after the second "record", "minimise" or "hide",
//                                           from a0's file
//   shown                           after "show"
//   box shown / box closed          around each message box
// Reads commands from standard input: "record" presses the Record element; "show",
// "minimise" and "hide" show, minimise and hide the window; "refuse" shows the "Recording"
// box of a click the window refuses while recording.

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <filesystem>
#include <string>

#include "backends/qt/x11_keyboard_capture.h"
#include "editor/macro_editor_state.h"
#include "editor/macro_page_access.h"
#include "macros/macro_file.h"
#include "macros/macro_group_names.h"
#include "macros/macro_tables.h"
#include "reporting_capture.h"
#include "settings/config_settings.h"
#include "settings/paths.h"
#include "ui/macro_page/macro_page_controls.h"
#include "ui/pages/input_result.h"
#include "ui/pages/page_input.h"
#include "ui/skin/skin_layout.h"
#include "ui/window/macro_recording.h"
#include "ui/window/qt_message_sink.h"

namespace {

using gm::probe::ReportingCapture;
using gm::probe::Say;

class Window final : public QWidget {};

void MakeGroup() {
  std::filesystem::create_directories(gm::g_macroDir);
  gm::g_macroGroupCount = 1;
  gm::g_macroGroupNames[0] = u"A";
  gm::g_macroCount = 1;
  gm::SetMacroName(gm::g_macros[0], u"a0");
  gm::g_macroNames[0] = u"a0";
  gm::g_groupMacroCount[0] = 1;
  gm::g_groupExpanded[0] = 1;
  gm::SaveMacroFile(gm::g_macroDir / "A.dat");
  gm::SelectEditorGroup(0, true);
}

void SayStored() {
  for (auto& r : gm::g_macros) r = {};
  gm::LoadMacroFile(gm::g_macroDir / "A.dat");
  const gm::MacroRecord saved = gm::ReadEditorMacro(0);
  std::string text = "stored " + std::to_string(saved.stepCount);
  for (int i = 0; i < gm::UsableStepCount(saved); ++i) {
    text += " " + std::to_string(saved.code[i]) + ":" + std::to_string(saved.action[i]);
  }
  Say(text);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  // The message box may be the only window shown: closing it does not end the probe.
  QApplication::setQuitOnLastWindowClosed(false);
  gm::g_isEnglish = 1;
  gm::SetDataPaths(std::filesystem::path(argv[1]), true);
  MakeGroup();
  gm::g_controlRects[gm::kRepeatEditRect] = {10, 10, 60, 30};
  gm::g_controlRects[gm::kMacroListRect] = {10, 40, 190, 260};
  gm::g_controlRects[gm::kStepListRect] = {200, 40, 400, 260};
  gm::g_controlRects[gm::kParamListRect] = {410, 40, 630, 160};

  Window window;
  gm::MacroPageControls controls(window);
  controls.Create(true);
  controls.FillMacroList();
  controls.MacroList()->SetCurSel(1);
  emit controls.MacroList()->selChange();

  gm::QtMessageSink boxes([](const QString& text) {
    Say("box shown");
    gm::ShowMessageBox(text);
    Say("box closed");
  });
  gm::SetMessageSink(&boxes);

  gm::X11KeyboardCapture x11;
  ReportingCapture capture(x11);
  gm::MacroRecording recording(controls, &capture);

  QSocketNotifier input(0, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char line[64] = {};
    if (std::fgets(line, sizeof line, stdin) == nullptr) {
      QApplication::quit();
      return;
    }
    const std::string command(line);
    if (command.rfind("show", 0) == 0) {
      window.show();
      Say("shown");
      return;
    }
    if (command.rfind("minimise", 0) == 0 || command.rfind("hide", 0) == 0) {
      if (command[0] == 'm') {
        window.showMinimized();
      } else {
        window.hide();
      }
      SayStored();
      return;
    }
    if (command.rfind("refuse", 0) == 0) {
      // Shown from the event loop, as the window shows it from a click.
      QTimer::singleShot(0, [] { gm::ShowUserMessage(gm::RecordingRefusedMessage()); });
      return;
    }
    if (command.rfind("record", 0) != 0) return;
    const bool wasRecording = recording.Active();
    recording.OnRecord(gm::InputAction{}, window);
    if (!wasRecording) {
      Say(std::string("recording ") + (recording.Active() ? "1 " : "0 ") +
          (recording.CaptureDelivers() ? "1" : "0"));
      return;
    }
    SayStored();
  });
  QTimer::singleShot(0, [] { Say("ready"); });
  return QApplication::exec();
}
