// Generates the skin images and layout files of the pop-up lists and dialogs:
//   skin_popups <skins folder> <contact sheet .png>
// Fails (exit code 1) when the UI font is missing, when a caption does not fit its place, or
// when a file cannot be written.

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "caption_fit.h"
#include "contact_sheet.h"
#include "data_generator/recoil_weapons.h"
#include "layout_files.h"
#include "popup_geometry.h"
#include "popup_images.h"
#include "program_row_texts.h"
#include "sheet_content.h"
#include "skin_generator/skin_palette.h"
#include "skin_generator/ui_font.h"
#include "weapon_catalog.h"

namespace gm::popups {
namespace {

constexpr int kExitFailure = 1;

void Report(const std::string& line) { std::fprintf(stderr, "skin_popups: %s\n", line.c_str()); }

std::vector<RowText> WeaponRows() {
  std::vector<RowText> rows;
  for (const recoil::RecoilWeapon& weapon : recoil::kRecoilWeapons) {
    rows.push_back({weapon.nameEn, weapon.nameCn, false});
  }
  return rows;
}

std::vector<std::string> CheckAllCaptions(const QFont& font) {
  std::vector<std::string> problems;
  auto add = [&problems](std::vector<std::string> more) {
    problems.insert(problems.end(), more.begin(), more.end());
  };
  add(CheckDialogCaptions(KeyCaptureDialog(), font));
  add(CheckDialogCaptions(RecoilDialog(), font));
  add(CheckRowTexts(KeyFunctionMenu(), kKeyMenuFixedRows, font));
  add(CheckRowTexts(PlainMenu(), kLightingRows, font));
  const std::vector<RowText> weapons = WeaponRows();
  add(CheckRowTexts(PlainMenu(), weapons, font));
  // The weapon's name is also written into the recoil dialog's name field.
  const PopupElement& nameField =
      RecoilDialog().buttons[static_cast<std::size_t>(kWeaponNameElement)];
  for (const RowText& row : weapons) {
    const PopupElement probe{nameField.name, nameField.rect, row.en, row.cn, nameField.look};
    const DialogSkin one{"gun", "weapon name", RecoilDialog().size, 0, {&probe, 1}, {}, {}};
    add(CheckDialogCaptions(one, font));
  }
  return problems;
}

bool SaveAll(const std::filesystem::path& skins, const std::vector<NamedImage>& files) {
  for (const NamedImage& file : files) {
    const std::filesystem::path path = skins / file.relativePath;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec || !skin::SaveJpeg(file.image, QString::fromStdString(path.string()))) {
      Report("cannot write " + path.string());
      return false;
    }
  }
  return true;
}

bool WriteLayouts(const std::filesystem::path& skins) {
  for (const DialogSkin* dialog : {&KeyCaptureDialog(), &RecoilDialog()}) {
    for (const Language language : {Language::kEnglish, Language::kChinese}) {
      std::string error;
      if (!WriteDialogLayout(skins, *dialog, language, error)) {
        Report(error);
        return false;
      }
    }
  }
  return true;
}

int Run(const std::filesystem::path& skins, const std::filesystem::path& sheetPath) {
  const std::optional<QFont> font = skingen::LoadUiFont();
  if (!font) {
    Report(std::string("neither \"") + skin::kUiFontFace + "\" nor \"" + skin::kUiFontFallback +
           "\" is installed; the captions cannot be measured");
    return kExitFailure;
  }
  const std::vector<std::string> problems = CheckAllCaptions(*font);
  for (const std::string& problem : problems) Report("caption does not fit: " + problem);
  if (!problems.empty()) return kExitFailure;

  for (const recoil::RecoilWeapon& weapon : recoil::kRecoilWeapons) {
    if (!HasOwnSilhouette(weapon.nameEn)) {
      Report("warning: no silhouette of its own for weapon " + std::string(weapon.stem) +
             "; it gets the typical one of its kind");
    }
  }
  const PopupImages images = DrawPopupImages();
  if (!SaveAll(skins, FilesOf(images)) || !WriteLayouts(skins)) return kExitFailure;

  const QImage sheet = ComposeContactSheet(BuildSheetSections(images, *font), *font);
  if (!skin::SavePng(sheet, QString::fromStdString(sheetPath.string()))) {
    Report("cannot write " + sheetPath.string());
    return kExitFailure;
  }
  return 0;
}

}  // namespace
}  // namespace gm::popups

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skin_popups <skins folder> <contact sheet .png>\n");
    return gm::popups::kExitFailure;
  }
  // Images are drawn off-screen; no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return gm::popups::Run(argv[1], argv[2]);
}

// Qt fills large areas on its own worker threads, synchronised through futex-based locks that
// the thread checker cannot see; in a build with the thread checker it would report Qt's
// internals. The generator itself draws on one thread only.
extern "C" const char* __tsan_default_suppressions() {
  return "race:libQt6Core.so\n"
         "race:libQt6Gui.so\n";
}
