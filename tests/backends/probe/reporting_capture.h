#pragma once
// For the probe programs the X11 tests start: a line on standard output per event, and a
// keyboard capture that reports each keystroke ("key press|release <X code> <VK> <repeat>")
// and each start ("started 0|1") before passing them on.

#include <cstdio>
#include <string>

#include "platform/keyboard_capture.h"

namespace gm::probe {

inline void Say(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

class ReportingCapture final : public KeyboardCapture {
 public:
  explicit ReportingCapture(KeyboardCapture& inner) : inner_(inner) {}
  KeyboardCaptureStart Start(KeyEventCallback callback) override {
    auto start = inner_.Start([callback](const KeyEvent& e) {
      Say("key " + std::string(e.kind == KeyEventKind::kPress ? "press " : "release ") +
          std::to_string(e.xKeyCode) + " " + std::to_string(e.vk) + " " +
          (e.autoRepeat ? "1" : "0"));
      callback(e);
    });
    Say(std::string("started ") + (start.started ? "1" : "0"));
    return start;
  }
  void Stop() override { inner_.Stop(); }
  bool Running() const override { return inner_.Running(); }

 private:
  KeyboardCapture& inner_;
};

}  // namespace gm::probe
