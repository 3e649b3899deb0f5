#pragma once
// Checks the page description before anything is written: every caption (and every text the
// program writes into an element) fits its element in the UI font in both languages, every
// element lies inside the page, and no two elements a click can hit overlap (a text written
// onto its own control excepted).

#include <QFont>

#include <string>
#include <vector>

#include "skin_geometry.h"

namespace gm::skingen {

// Width a text may take in the element: the element's width less what its look keeps free
// (padding, the key badge, the drop arrow, the record dot).
int TextRoom(const Element& element);

// Each problem found, as a readable line; empty when everything fits.
std::vector<std::string> CheckCaptions(const QFont& font);
std::vector<std::string> CheckGeometry();

}  // namespace gm::skingen
