#pragma once
// ui/macro_page: the macro page's widgets and menus: the repeat edit, its three lists and their
// context menus (macro_page_menus.h).
//
// The real controls of the macro page: the repeat-count edit and three CListBoxXI lists (the
// tree of groups and macros, the steps of the selected macro with the delays between them, the
// parameters of a selected lighting step). Create makes them on entering the page at their
// layout places (g_controlRects 4, 7, 8, 9) with the page font of the language; Destroy
// removes them on leaving it. The fill functions rebuild a list from the macro tables (read
// through editor/macro_page_access.h); the On* handlers are what the user's selections,
// double clicks and typing into the repeat edit do.
//
// Every text set into the repeat edit, by the program or by the user, passes through
// OnChangeRepeatEdit, which corrects it to 1..65535 and stores it in the selected macro and
// its group file.
//
// User-interface thread only.

#include <QObject>
#include <QString>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>

#include "editor/macro_command_outcome.h"
#include "macros/macro_record.h"
#include "ui/controls/list_box_xi.h"

class QLineEdit;
class QWidget;

namespace gm {

inline constexpr int kRepeatEditId = 10004;

// What the page asks of the window around it.
struct MacroPageHooks {
  // Close the open skinned pop-up list, if any.
  std::function<void()> closePopup;
  // The user picked a row of the macro list: called first, while g_isRecording still tells
  // whether a recording runs.
  std::function<void()> macroListSelection;
  // A recording was ended by a macro-list selection: remove the recording's key hook.
  std::function<void()> endRecordingHook;
  // Repaint the macro page's region.
  std::function<void()> repaint;
};

class MacroPageControls : public QObject {
  Q_OBJECT

 public:
  // window is the parent of the controls.
  explicit MacroPageControls(QWidget& window, MacroPageHooks hooks = {});
  ~MacroPageControls() override;

  // Icons of the three lists from skinsFolder / "icons" (icon_<resource>.png); missing files
  // give no icon.
  void LoadImageLists(const std::filesystem::path& skinsFolder);

  // ---- Lifetime -----------------------------------------------------------------------------
  // Creates the four controls (again after Destroy); sets g_macroListExists.
  void Create(bool isEnglish);
  void Destroy();
  bool Exists() const { return macroList_ != nullptr; }
  // The page font of a language, for the four controls (language switch).
  void SetLanguageFont(bool isEnglish);
  // Commits a running in-place edit of any of the three lists (a left click on the page).
  void EndEdits();
  // Sets the repeat edit's text; the text then goes through OnChangeRepeatEdit, also when it
  // equals the text shown (the play modes and recording set it this way).
  void SetRepeatEditText(const QString& text);
  void EnableRepeatEdit(bool enabled);

  // ---- Filling ---------------------------------------------------------------------------------
  void FillMacroList();
  // Appends the rows of step `step` of record to the step list.
  void AddStepToList(const MacroRecord& record, int step);
  // Rebuilds the step list for g_macros[macro] and sets the repeat edit by its play mode.
  void RefreshStepList(int macro);
  // Fills the parameter list from lighting block `block` of g_macros[g_curMacro].
  void AddLedStepLines(int block);

  // Shows an editor command's messages and carries out its list updates; editedRow is the
  // macro list's row whose text a refused rename puts back.
  void CarryOut(const MacroCommandOutcome& outcome, int editedRow = -1);

  // ---- Handlers ---------------------------------------------------------------------------------
  void OnSelChangeMacroList();
  void OnDblClkMacroList();
  void OnSelChangeStepList();
  void OnSelChangeParamList();
  void OnDblClkParamList();
  void OnChangeRepeatEdit();
  void OnLedParamChanged();

  // The controls, or nullptr while the page is not shown.
  CListBoxXI* MacroList() const { return macroList_; }
  CListBoxXI* StepList() const { return stepList_; }
  CListBoxXI* ParamList() const { return paramList_; }
  QLineEdit* RepeatEdit() const { return repeatEdit_; }

 private:
  CListBoxXI* MakeList(int id, std::size_t rectIndex, const ListImageList& images);
  void ClearStepList();
  void Repaint();

  QWidget& window_;
  MacroPageHooks hooks_;
  ListImageList macroImages_;
  ListImageList stepImages_;
  ListImageList paramImages_;
  QLineEdit* repeatEdit_ = nullptr;
  CListBoxXI* macroList_ = nullptr;
  CListBoxXI* stepList_ = nullptr;
  CListBoxXI* paramList_ = nullptr;
  bool isEnglish_ = true;
};

}  // namespace gm
