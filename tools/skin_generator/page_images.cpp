#include "page_images.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include "page_painter.h"
#include "skin_palette.h"

namespace gm::skingen {
namespace {

constexpr std::array kPages{Page::kKeys, Page::kAdvanced, Page::kMacro, Page::kLighting};

bool SaveImage(const QImage& image, const QString& path, bool jpeg,
               std::vector<std::string>& problems) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  const bool saved = jpeg ? skin::SaveJpeg(image, path) : skin::SavePng(image, path);
  if (!saved) {
    problems.push_back("cannot write " + path.toStdString());
  }
  return saved;
}

}  // namespace

const char* PageImageStem(Page page) {
  switch (page) {
    case Page::kKeys: return "main";
    case Page::kAdvanced: return "advanced";
    case Page::kMacro: return "mac";
    case Page::kLighting: return "led";
  }
  return "";
}

const PageImageSet& ImagesOf(const SkinImages& images, Page page) {
  return images.pages[static_cast<std::size_t>(page)];
}

SkinImages DrawSkinImages(const QFont& uiFont) {
  SkinImages images;
  for (const Page page : kPages) {
    PageImageSet& set = images.pages[static_cast<std::size_t>(page)];
    set.normal = DrawPage(page, ButtonState::Normal, uiFont);
    set.over = DrawPage(page, ButtonState::Over, uiFont);
    set.down = DrawPage(page, ButtonState::Down, uiFont);
  }
  images.mask = DrawWindowMask();
  images.lightingGreyed = DrawLightingGreyed(ImagesOf(images, Page::kLighting).normal);
  images.sliderKnob = DrawSliderKnob();
  images.leftMacroMark = DrawLeftMacroMark();
  images.icons = DrawIcons();
  return images;
}

std::vector<std::string> SaveSkinImages(const SkinImages& images, const std::string& skinsFolder) {
  std::vector<std::string> problems;
  const QString folder = QString::fromStdString(skinsFolder) + "/";
  for (const Page page : kPages) {
    const PageImageSet& set = ImagesOf(images, page);
    const QString stem = folder + PageImageStem(page);
    SaveImage(set.normal, stem + "_normal.jpg", true, problems);
    SaveImage(set.over, stem + "_over.jpg", true, problems);
    SaveImage(set.down, stem + "_down.jpg", true, problems);
  }
  SaveImage(images.mask, folder + "main_mask.jpg", true, problems);
  SaveImage(images.lightingGreyed, folder + "led_null.jpg", true, problems);
  SaveImage(images.sliderKnob, folder + "moveRect.png", false, problems);
  SaveImage(images.leftMacroMark, folder + "zhi_en.png", false, problems);
  SaveImage(images.leftMacroMark, folder + "zhi_cn.png", false, problems);
  for (const NamedIcon& icon : images.icons) {
    SaveImage(icon.image, folder + QString::fromStdString(icon.fileName), false, problems);
  }
  return problems;
}

}  // namespace gm::skingen
