#pragma once
// Every image of the pop-ups, each with the file name it is saved under in the skins folder.

#include <QImage>

#include <string>
#include <vector>

#include "popup_geometry.h"
#include "program_preview.h"

namespace gm::popups {

struct NamedImage {
  std::string relativePath;  // below the skins folder, with '/' separators
  QImage image;
};

struct MenuImages {
  const MenuSkin* menu;
  DialogImages images;
  QImage mask;  // null for a list without a mask of its own
};

struct DialogImageSet {
  const DialogSkin* dialog;
  DialogImages images;
  QImage mask;
};

struct PopupImages {
  std::vector<MenuImages> menus;
  std::vector<DialogImageSet> dialogs;
  std::vector<NamedImage> weapons;  // Gun/1.jpg ...
};

PopupImages DrawPopupImages();

// All images with their file names, in a fixed order.
std::vector<NamedImage> FilesOf(const PopupImages& images);

}  // namespace gm::popups
