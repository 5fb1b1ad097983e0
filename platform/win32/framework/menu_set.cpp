#include "platform/win32/framework/menu_set.h"

#include "platform/win32/wide_text.h"

namespace mox::win {

using platform::Widen;

void AppendMenuItems(HMENU popup, const std::vector<MenuItemData>& items) {
  for (const MenuItemData& item : items) {
    if (item.Id == 0) {
      AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::wstring text = Widen(item.Caption);
    if (!item.Shortcut.empty()) text += L"\t" + Widen(item.Shortcut);
    AppendMenuW(popup, MF_STRING | (item.Checked ? MF_CHECKED : MF_UNCHECKED),
                static_cast<UINT_PTR>(item.Id), text.c_str());
  }
}

TMenuSet::TMenuSet(const std::vector<MenuData>& menus) {
  for (const MenuData& menu : menus) {
    HMENU popup = CreatePopupMenu();
    AppendMenuItems(popup, menu.Items);
    menus_.push_back({Widen(menu.Caption), menu.Group, popup});
  }
}

TMenuSet::~TMenuSet() {
  for (const Entry& entry : menus_) DestroyMenu(entry.Popup);
}

std::vector<int> TMenuSet::Groups() const {
  std::vector<int> groups;
  for (const Entry& entry : menus_) groups.push_back(entry.Group);
  return groups;
}

void TMenuSet::SetChecked(int id, bool checked) {
  for (const Entry& entry : menus_) {
    CheckMenuItem(entry.Popup, static_cast<UINT>(id),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

bool TMenuSet::IsChecked(int id) const {
  for (const Entry& entry : menus_) {
    const UINT state = GetMenuState(entry.Popup, static_cast<UINT>(id), MF_BYCOMMAND);
    if (state != static_cast<UINT>(-1)) return (state & MF_CHECKED) != 0;
  }
  return false;
}

TPopupMenu::TPopupMenu(const std::vector<MenuItemData>& items) : menu_(CreatePopupMenu()) {
  AppendMenuItems(menu_, items);
}

TPopupMenu::~TPopupMenu() { DestroyMenu(menu_); }

HMENU BuildMenuBar(const std::vector<std::pair<std::wstring, HMENU>>& menus) {
  HMENU bar = CreateMenu();
  for (const auto& [caption, popup] : menus) {
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
  }
  return bar;
}

void DestroyMenuBarOnly(HMENU bar) {
  if (bar == nullptr) return;
  // RemoveMenu takes a popup out without destroying it.
  while (GetMenuItemCount(bar) > 0) RemoveMenu(bar, 0, MF_BYPOSITION);
  DestroyMenu(bar);
}

TAcceleratorTable::TAcceleratorTable(const std::vector<AcceleratorData>& keys) {
  std::vector<ACCEL> table;
  for (const AcceleratorData& key : keys) {
    ACCEL entry{};
    entry.fVirt =
        static_cast<BYTE>(FVIRTKEY | (key.Control ? FCONTROL : 0) | (key.Shift ? FSHIFT : 0));
    entry.key = static_cast<WORD>(key.Key);
    entry.cmd = static_cast<WORD>(key.Id);
    table.push_back(entry);
  }
  if (!table.empty()) table_ = CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

TAcceleratorTable::~TAcceleratorTable() {
  if (table_ != nullptr) DestroyAcceleratorTable(table_);
}

void ApplyCommandStates(HMENU popup, const platform::CommandStates& states, bool grey_only,
                        UINT foreign) {
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(popup, i);
    if (id == 0 || id == static_cast<UINT>(-1) || id >= foreign) continue;  // separator, popup
    const bool enabled = states.IsEnabled(static_cast<int>(id));
    if (!enabled || !grey_only) {
      EnableMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    }
    if (const std::optional<bool> checked = states.IsChecked(static_cast<int>(id))) {
      CheckMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | (*checked ? MF_CHECKED : MF_UNCHECKED));
    }
  }
}

}  // namespace mox::win
