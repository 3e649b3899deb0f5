#pragma once
// Every image the four pages need, drawn from the page description.

#include <QFont>
#include <QImage>

#include <array>
#include <string>
#include <vector>

#include "mark_images.h"
#include "skin_geometry.h"

namespace gm::skingen {

struct PageImageSet {
  QImage normal;
  QImage over;
  QImage down;
};

struct SkinImages {
  std::array<PageImageSet, 4> pages;  // indexed by Page
  QImage mask;                        // main_mask.jpg
  QImage lightingGreyed;              // led_null.jpg
  QImage sliderKnob;                  // moveRect.png
  QImage leftMacroMark;               // zhi_en.png and zhi_cn.png
  std::vector<NamedIcon> icons;
};

SkinImages DrawSkinImages(const QFont& uiFont);

// File stem of a page's images: "main", "advanced", "mac", "led".
const char* PageImageStem(Page page);

const PageImageSet& ImagesOf(const SkinImages& images, Page page);

// Writes every image below `skinsFolder`; returns the problems met (empty on success).
std::vector<std::string> SaveSkinImages(const SkinImages& images, const std::string& skinsFolder);

}  // namespace gm::skingen
