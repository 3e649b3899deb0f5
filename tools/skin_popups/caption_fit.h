#pragma once
// Checks that every caption fits its place in the UI font, in both languages: the captions
// of the dialog layouts and the row texts the program writes into the lists.

#include <QFont>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "popup_geometry.h"

namespace gm::popups {

// One text the program writes into a list row, in both languages.
struct RowText {
  std::u16string_view en;
  std::u16string_view cn;
  bool besideArrow;  // the row carries a submenu arrow at its right end
};

// Each problem found, as a readable line; empty when everything fits.
std::vector<std::string> CheckDialogCaptions(const DialogSkin& dialog, const QFont& font);
std::vector<std::string> CheckRowTexts(const MenuSkin& menu, std::span<const RowText> rows,
                                       const QFont& font);

// Free space a caption keeps on each side of an element of this look.
int HorizontalPadding(ElementLook look);

}  // namespace gm::popups
