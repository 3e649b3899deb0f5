// The main window's side of the key-capture dialog: opening it for the selected mouse key or
// for a macro step, and giving the mouse key the captured keyboard key.

#include <QPointer>

#include <optional>
#include <utility>

#include "macros/key_codes.h"
#include "settings/config_settings.h"
#include "settings/key_function.h"
#include "ui/dialogs/dialog_get_key.h"
#include "ui/pages/page_elements.h"
#include "ui/pages/ui_state.h"
#include "ui/window/main_dialog.h"

namespace gm {
namespace {

// g_selKey minus the first key button's element is the key index.
constexpr int kFirstKeyButton = static_cast<int>(kMainFirstKeyButton);

// The selected mouse key of the current configuration, or nothing when none is selected.
std::optional<std::pair<int, int>> SelectedKey() {
  const int config = g_curConfig.load();
  const int key = g_selKey - kFirstKeyButton;
  if (config < 0 || config >= kConfigCount || key < 0 || key >= kMaxKeys) return std::nullopt;
  return std::pair{config, key};
}

}  // namespace

void CQEL_GMouseDlg::OnOpenKeyCapture() {
  if (ending_) return;
  const auto selected = SelectedKey();
  if (!selected) return;
  raise();
  activateWindow();
  const auto [config, key] = *selected;
  g_capturedKeyCode = g_keyParam[config][key].load();
  g_capturedKeyName = KeyNameOfUsage(g_capturedKeyCode);
  QPointer<CQEL_GMouseDlg> alive(this);
  RunKeyCaptureDialog(this, KeyCaptureMode::kKeyAssignment, services_.keyboardCapture,
                      [this](KeyCaptureMode) { OnKeyCaptured(); });
  if (alive && !ending_) update();
}

void CQEL_GMouseDlg::OnKeyCaptured() {
  const auto selected = SelectedKey();
  if (!selected) return;
  const auto [config, key] = *selected;
  g_keyFunction[config][key] = kKeyboardKeyFunction;
  g_keyParam[config][key] = g_capturedKeyCode;
  update();
}

bool CQEL_GMouseDlg::OpenStepKeyCapture() {
  if (ending_) return false;
  return RunKeyCaptureDialog(this, KeyCaptureMode::kMacroStep, services_.keyboardCapture,
                             [this](KeyCaptureMode) { OnStepKeyCaptured(); });
}

}  // namespace gm
