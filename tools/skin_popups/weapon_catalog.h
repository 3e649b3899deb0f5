#pragma once
// The silhouette of each weapon of the recoil set, by its English name. A name the catalogue
// does not know gets the silhouette of a typical weapon of its kind.

#include <string_view>

#include "data_generator/recoil_weapons.h"
#include "weapon_builder.h"

namespace gm::popups {

WeaponBuilder BuildWeapon(std::u16string_view nameEn, recoil::WeaponKind kind);

// True when the catalogue has a silhouette of its own for this name.
bool HasOwnSilhouette(std::u16string_view nameEn);

}  // namespace gm::popups
