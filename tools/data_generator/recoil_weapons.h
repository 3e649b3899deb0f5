// The weapons of the recoil-compensation set, in the order of the recoil macro files.
// Macro g of PUBG_EN.dat / PUBG_CN.dat is weapons[g]; its picture is skins/Gun/<stem>.jpg.
// The stem is the macro's position counted from 1, which is how the recoil dialog finds the
// picture of the macro it shows.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace gm::recoil {

enum class WeaponKind { AssaultRifle, SubmachineGun, LightMachineGun };

struct RecoilWeapon {
    std::string_view stem;          // picture file name without ".jpg" ("1" for the first macro)
    std::u16string_view nameEn;     // macro name in PUBG_EN.dat
    std::u16string_view nameCn;     // macro name in PUBG_CN.dat
    WeaponKind kind;
};

inline constexpr std::array<RecoilWeapon, 20> kRecoilWeapons{{
    {"1", u"M416", u"M416 步枪", WeaponKind::AssaultRifle},
    {"2", u"AKM", u"AKM 步枪", WeaponKind::AssaultRifle},
    {"3", u"Beryl M762", u"M762 步枪", WeaponKind::AssaultRifle},
    {"4", u"SCAR-L", u"SCAR-L 步枪", WeaponKind::AssaultRifle},
    {"5", u"G36C", u"G36C 步枪", WeaponKind::AssaultRifle},
    {"6", u"QBZ95", u"QBZ 步枪", WeaponKind::AssaultRifle},
    {"7", u"AUG A3", u"AUG 步枪", WeaponKind::AssaultRifle},
    {"8", u"Groza", u"格罗扎步枪", WeaponKind::AssaultRifle},
    {"9", u"M16A4", u"M16A4 步枪", WeaponKind::AssaultRifle},
    {"10", u"Mk47 Mutant", u"Mk47 突变者", WeaponKind::AssaultRifle},
    {"11", u"ACE32", u"ACE32 步枪", WeaponKind::AssaultRifle},
    {"12", u"K2", u"K2 步枪", WeaponKind::AssaultRifle},
    {"13", u"UMP45", u"UMP45 冲锋枪", WeaponKind::SubmachineGun},
    {"14", u"Vector", u"维克托冲锋枪", WeaponKind::SubmachineGun},
    {"15", u"Micro UZI", u"UZI 微型冲锋枪", WeaponKind::SubmachineGun},
    {"16", u"Tommy Gun", u"汤姆逊冲锋枪", WeaponKind::SubmachineGun},
    {"17", u"PP-19 Bizon", u"野牛冲锋枪", WeaponKind::SubmachineGun},
    {"18", u"MP5K", u"MP5K 冲锋枪", WeaponKind::SubmachineGun},
    {"19", u"DP-28", u"DP-28 轻机枪", WeaponKind::LightMachineGun},
    {"20", u"M249", u"M249 轻机枪", WeaponKind::LightMachineGun},
}};

inline constexpr std::size_t kRecoilWeaponCount = kRecoilWeapons.size();

}  // namespace gm::recoil
