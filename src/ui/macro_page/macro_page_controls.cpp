#include "ui/macro_page/macro_page_controls.h"

#include <QLineEdit>
#include <QWidget>

#include <array>
#include <string>

#include "editor/macro_editor_state.h"
#include "editor/macro_list_edit.h"
#include "editor/macro_page_access.h"
#include "editor/macro_page_rows.h"
#include "platform/text.h"
#include "ui/pages/led_mode_names.h"
#include "ui/pages/ui_state.h"
#include "ui/skin/control_colours.h"
#include "ui/skin/skin_layout.h"
#include "ui/skin/ui_fonts.h"

namespace gm {

namespace {

constexpr int kIconSize = 16;
constexpr std::array kMacroListIcons{169, 170, 171};
constexpr std::array kStepListIcons{172, 173, 174, 175, 178, 182};
constexpr std::array kParamListIcons{178};

template <std::size_t N>
ListImageList LoadIcons(const std::filesystem::path& folder, const std::array<int, N>& ids) {
  ListImageList images;
  images.iconSize = QSize(kIconSize, kIconSize);
  for (const int id : ids) {
    const std::filesystem::path file = folder / ("icon_" + std::to_string(id) + ".png");
    QPixmap icon(QString::fromStdU16String(file.u16string()));
    if (!icon.isNull() && icon.size() != images.iconSize) {
      icon = icon.scaled(images.iconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    images.icons.push_back(icon);
  }
  return images;
}

QRect RectOf(const ControlRect& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

QString ToQString(const std::u16string& text) { return QString::fromStdU16String(text); }

}  // namespace

MacroPageControls::MacroPageControls(QWidget& window, MacroPageHooks hooks)
    : window_(window), hooks_(std::move(hooks)) {}

MacroPageControls::~MacroPageControls() { Destroy(); }

void MacroPageControls::LoadImageLists(const std::filesystem::path& skinsFolder) {
  const std::filesystem::path folder = skinsFolder / "icons";
  macroImages_ = LoadIcons(folder, kMacroListIcons);
  stepImages_ = LoadIcons(folder, kStepListIcons);
  paramImages_ = LoadIcons(folder, kParamListIcons);
}

// ---- Lifetime -----------------------------------------------------------------------------------

CListBoxXI* MacroPageControls::MakeList(int id, std::size_t rectIndex,
                                        const ListImageList& images) {
  auto* list = new CListBoxXI(id, &window_);
  list->setGeometry(RectOf(g_controlRects[rectIndex]));
  ApplyControlColors(*list, ControlKind::kListBox);
  list->SetImageList(&images);
  return list;
}

void MacroPageControls::Create(bool isEnglish) {
  if (Exists()) return;
  repeatEdit_ = new QLineEdit(&window_);
  repeatEdit_->setGeometry(RectOf(g_controlRects[kRepeatEditRect]));
  repeatEdit_->setAlignment(Qt::AlignCenter);
  repeatEdit_->setFrame(false);
  ApplyControlColors(*repeatEdit_, ControlKind::kEdit);
  connect(repeatEdit_, &QLineEdit::textChanged, this, &MacroPageControls::OnChangeRepeatEdit);

  macroList_ = MakeList(kMacroListId, kMacroListRect, macroImages_);
  stepList_ = MakeList(kStepListId, kStepListRect, stepImages_);
  paramList_ = MakeList(kParamListId, kParamListRect, paramImages_);
  connect(macroList_, &CListBoxXI::selChange, this, &MacroPageControls::OnSelChangeMacroList);
  connect(macroList_, &CListBoxXI::dblClk, this, &MacroPageControls::OnDblClkMacroList);
  connect(stepList_, &CListBoxXI::selChange, this, &MacroPageControls::OnSelChangeStepList);
  connect(paramList_, &CListBoxXI::selChange, this, &MacroPageControls::OnSelChangeParamList);
  connect(paramList_, &CListBoxXI::dblClk, this, &MacroPageControls::OnDblClkParamList);

  SetLanguageFont(isEnglish);
  for (QWidget* control : {static_cast<QWidget*>(repeatEdit_), static_cast<QWidget*>(macroList_),
                           static_cast<QWidget*>(stepList_), static_cast<QWidget*>(paramList_)}) {
    control->show();
  }
  g_macroListExists = true;
}

void MacroPageControls::Destroy() {
  if (!Exists()) return;
  EndEdits();  // what was typed is kept
  g_macroListExists = false;
  // A control may be running one of its own handlers (the page switch comes from a click):
  // each goes once that has returned.
  for (QWidget* control : {static_cast<QWidget*>(repeatEdit_), static_cast<QWidget*>(macroList_),
                           static_cast<QWidget*>(stepList_), static_cast<QWidget*>(paramList_)}) {
    control->disconnect(this);
    control->hide();
    control->deleteLater();
  }
  repeatEdit_ = nullptr;
  macroList_ = stepList_ = paramList_ = nullptr;
}

void MacroPageControls::SetLanguageFont(bool isEnglish) {
  isEnglish_ = isEnglish;
  if (!Exists()) return;
  const QFont& font = PageTextFont(isEnglish);
  repeatEdit_->setFont(font);
  macroList_->setFont(font);
  stepList_->setFont(font);
  paramList_->setFont(font);
}

void MacroPageControls::EndEdits() {
  for (CListBoxXI* list : {macroList_, stepList_, paramList_}) {
    if (list != nullptr) list->EndEdit(true);
  }
}

void MacroPageControls::Repaint() {
  if (hooks_.repaint) {
    hooks_.repaint();
  } else {
    window_.update();
  }
}

// ---- Filling ------------------------------------------------------------------------------------

void MacroPageControls::FillMacroList() {
  if (macroList_ == nullptr) return;
  if (macroList_->count() > 0) macroList_->ResetContent();
  MacroListRows rows = BuildMacroListRows(ReadMacroGroupListing(), g_groupExpanded.data());
  g_macroListEntries = std::move(rows.entries);
  for (const ListRowText& row : rows.shown) macroList_->AddItem(ToQString(row.text), row.image);
  macroList_->SetCurSel(g_macroListSel);
  Repaint();
}

void MacroPageControls::AddStepToList(const MacroRecord& record, int step) {
  if (stepList_ == nullptr || step < 0 || step >= kMaxMacroSteps) return;
  if (step > 0) stepList_->AddItem(ToQString(DelayRowText(record.delayMs[step - 1])), kImageDelay);
  const StepRowText text =
      StepRowOf(record.code[step], record.action[step], record.xy[step].x, record.xy[step].y);
  if (text.keyRow == KeyRowKind::kKeyDown) ++g_keyDownRows;
  if (text.keyRow == KeyRowKind::kKeyUp) ++g_keyUpRows;
  stepList_->AddItem(ToQString(text.row.text), text.row.image);
  stepList_->SetCurSel(g_isRecording != 0 ? stepList_->count() - 1 : g_stepMenuRow);
  if (step == UsableStepCount(record) - 1) {
    stepList_->AddItem(ToQString(DelayRowText(record.delayMs[step])), kImageNone);
  }
}

void MacroPageControls::ClearStepList() {
  if (stepList_ == nullptr) return;
  for (int row = stepList_->count() - 1; row >= 0; --row) stepList_->DeleteString(row);
}

void MacroPageControls::RefreshStepList(int macro) {
  g_keyDownRows = 0;
  g_keyUpRows = 0;
  if (stepList_ == nullptr) return;
  ClearStepList();
  const MacroRecord record = ReadEditorMacro(macro);
  // The edit shows this macro's own count also when no steps are shown (none, or a locked
  // group): the next selection stores what the edit shows into this macro.
  const MacroRecord current = macro == g_curMacro ? record : ReadEditorMacro(g_curMacro);
  if ((record.playMode & kPlayModeMask) == kPlayModeRepeat) {
    EnableRepeatEdit(true);
    SetRepeatEditText(QString::number(current.repeatCount));
  } else {
    EnableRepeatEdit(false);
    SetRepeatEditText(QStringLiteral("1"));
  }
  if (IsEditorGroupLocked()) return;  // a locked group shows no steps
  const int steps = UsableStepCount(record);
  if (steps > 0) {
    stepList_->setUpdatesEnabled(false);
    for (int step = 0; step < steps; ++step) AddStepToList(record, step);
    stepList_->setUpdatesEnabled(true);
  }
  Repaint();
}

void MacroPageControls::AddLedStepLines(int block) {
  if (paramList_ == nullptr) return;
  paramList_->ResetContent();
  std::vector<std::u16string> rows;
  ChangeEditorLedBlock(g_curMacro, block, [&rows](MacroLedBlock& b) {
    rows = LedParamRowTexts(b, g_ledEntryMode, g_ledStepModeNames.data(), g_ledOptionNames[0]);
  });
  for (const std::u16string& row : rows) paramList_->AddItem(ToQString(row), kImageNone);
}

// ---- Outcomes -----------------------------------------------------------------------------------

void MacroPageControls::CarryOut(const MacroCommandOutcome& outcome, int editedRow) {
  ShowOutcomeMessages(outcome);
  if (!Exists()) return;  // a message box may outlast the page
  if (outcome.restoreMacroListRowText && editedRow >= 0 && editedRow < macroList_->count()) {
    const int image = macroList_->GetItemImage(editedRow);
    macroList_->DeleteString(editedRow);
    macroList_->InsertItem(editedRow, ToQString(*outcome.restoreMacroListRowText), image);
    macroList_->SetCurSel(editedRow);
  }
  if (outcome.clearStepList) stepList_->ResetContent();
  if (outcome.clearParamList) paramList_->ResetContent();
  if (outcome.disableRepeatEdit) {
    EnableRepeatEdit(false);
    SetRepeatEditText(QStringLiteral("1"));
  }
  if (outcome.fillMacroList) FillMacroList();
  if (outcome.selectMacroListRow) macroList_->SetCurSel(*outcome.selectMacroListRow);
  if (outcome.refreshStepListOf) RefreshStepList(*outcome.refreshStepListOf);
  if (outcome.selectFirstStepRow) stepList_->SetCurSel(0);
  if (outcome.refreshParamListOf) {
    AddLedStepLines(*outcome.refreshParamListOf);
    paramList_->SetCurSel(outcome.paramListRow);
  }
}

// ---- Repeat count -------------------------------------------------------------------------------

void MacroPageControls::SetRepeatEditText(const QString& text) {
  if (repeatEdit_ == nullptr) return;
  if (repeatEdit_->text() == text) {
    OnChangeRepeatEdit();  // no change signal for the same text, the handler runs all the same
  } else {
    repeatEdit_->setText(text);
  }
}

void MacroPageControls::EnableRepeatEdit(bool enabled) {
  if (repeatEdit_ != nullptr) repeatEdit_->setEnabled(enabled);
}

void MacroPageControls::OnChangeRepeatEdit() {
  if (repeatEdit_ == nullptr) return;
  const RepeatCountOutcome result = CommitRepeatCount(repeatEdit_->text().toStdU16String());
  ShowOutcomeMessages(result.outcome);
  // The corrected text comes back through this handler, which finds nothing to change.
  if (result.correctedText) SetRepeatEditText(QString::fromStdU16String(*result.correctedText));
}

}  // namespace gm
