#include "ui/dialogs/macro_group_file_dialog.h"

#include <QFileDialog>
#include <QString>

#include "settings/paths.h"
#include "ui/dialogs/dialog_modality.h"
#include "ui/popups/window_placement.h"

namespace gm {

namespace {

constexpr char kMacroGroupFileFilter[] = "All Files(*.dat)";
constexpr char kMacroGroupFileExtension[] = "dat";

}  // namespace

std::optional<std::filesystem::path> ChooseMacroGroupFile(MacroGroupFileChoice choice,
                                                          QWidget* owner) {
  QFileDialog dialog(owner, QString(), QString::fromStdU16String(g_macroDir.u16string()),
                     QString::fromLatin1(kMacroGroupFileFilter));
  if (choice == MacroGroupFileChoice::kExport) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromLatin1(kMacroGroupFileExtension));
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  MakeWindowModal(dialog);
  CentreOverMainWindow(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return std::filesystem::path(dialog.selectedFiles().constFirst().toStdU16String());
}

}  // namespace gm
