// skin_generator: draws the images of the main window's four pages and writes their layout
// files, both from the one page description (skin_geometry.cpp).
//
//   skin_generator <skins folder> <contact sheet.png> [<preview folder>]
//
// Fails (exit code 1) when a caption does not fit its element in the UI font, when a coloured
// text would not stand out from the skin under it, when the description is inconsistent, or
// when a file cannot be written.

#include <QDir>
#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "caption_check.h"
#include "contact_sheet.h"
#include "contrast_check.h"
#include "layout_files.h"
#include "page_images.h"
#include "ui_font.h"

namespace {

using namespace gm::skingen;

constexpr int kSkinsArgument = 1;
constexpr int kSheetArgument = 2;
constexpr int kPreviewArgument = 3;

bool Report(const std::vector<std::string>& problems) {
  for (const std::string& problem : problems) {
    std::fprintf(stderr, "skin_generator: %s\n", problem.c_str());
  }
  return problems.empty();
}

void SavePreviews(const SkinImages& images, const QFont& font, const QString& folder) {
  QDir().mkpath(folder);
  for (const Page page : {Page::kKeys, Page::kAdvanced, Page::kMacro, Page::kLighting}) {
    const PageImageSet& set = ImagesOf(images, page);
    const QString stem = folder + "/" + PageImageStem(page);
    ComposePreview(set, page, true, font, &images).save(stem + "_en.png");
    ComposePreview(set, page, false, font, &images).save(stem + "_cn.png");
    OutlinePage(set, page, true, font).save(stem + "_outline.png");
    set.over.save(stem + "_over.png");
    set.down.save(stem + "_down.png");
  }
  images.lightingGreyed.save(folder + "/led_null.png");
  images.mask.save(folder + "/main_mask.png");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc <= kSheetArgument) {
    std::fprintf(stderr, "usage: skin_generator <skins folder> <contact sheet> [<previews>]\n");
    return EXIT_FAILURE;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication application(argc, argv);
  const std::optional<QFont> font = LoadUiFont();
  if (!font) {
    std::fprintf(stderr, "skin_generator: neither UI font face is installed\n");
    return EXIT_FAILURE;
  }
  const bool consistent = Report(CheckGeometry());
  const bool fits = Report(CheckCaptions(*font));
  if (!consistent || !fits) {
    return EXIT_FAILURE;
  }
  const SkinImages images = DrawSkinImages(*font);
  if (!Report(CheckTextContrast(images, *font))) {
    return EXIT_FAILURE;
  }
  const std::string skins = argv[kSkinsArgument];
  bool written = Report(SaveSkinImages(images, skins));
  written = Report(WriteLayoutFiles(skins)) && written;
  const QString sheet = QString::fromLocal8Bit(argv[kSheetArgument]);
  if (!DrawContactSheet(images, *font).save(sheet)) {
    written = Report({"cannot write " + sheet.toStdString()}) && false;
  }
  if (argc > kPreviewArgument) {
    SavePreviews(images, *font, QString::fromLocal8Bit(argv[kPreviewArgument]));
  }
  return written ? EXIT_SUCCESS : EXIT_FAILURE;
}
