#pragma once
// The shape of a menu table that CQelMenu draws: a tree of items in which a command item
// carries its command id and an item that opens a submenu carries kSubmenuItemId and its
// children. Item texts keep their trailing blanks: the menu painter measures them as
// characters. The tables themselves are constant data (context_menus.h).

#include <span>
#include <string_view>

namespace gm {

inline constexpr int kSubmenuItemId = -1;

struct MenuItemSpec {
  std::u16string_view text;
  int id = 0;                               // command id, kSubmenuItemId, or 0 for a separator
  std::span<const MenuItemSpec> children{};  // the submenu's items
};

}  // namespace gm
