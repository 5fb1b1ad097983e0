#include "frontend/win32/menu_data.h"

#include <string>

namespace mox::varelo {
namespace {

std::string ShortcutText(const Shortcut& keys) {
  if (keys.Key == 0) return {};
  std::string text = std::string(keys.Control ? "Ctrl+" : "") + (keys.Shift ? "Shift+" : "");
  if (keys.Key == kKeyF3) return text + "F3";
  if (keys.Key == kKeyTab) return text + "Tab";
  if (keys.Key == kKeyCloseBracket) return text + "]";
  return text + static_cast<char>(keys.Key);
}

}  // namespace

std::vector<win::MenuItemData> FrameworkItems(const std::vector<MenuItem>& items) {
  std::vector<win::MenuItemData> converted;
  for (const MenuItem& item : items) {
    converted.push_back({item.Id, item.Caption, ShortcutText(item.Keys), item.Checked});
  }
  return converted;
}

std::vector<win::MenuData> FrameworkMenus(const std::vector<Menu>& menus) {
  std::vector<win::MenuData> converted;
  for (const Menu& menu : menus) {
    converted.push_back({menu.Caption, menu.Group, FrameworkItems(menu.Items)});
  }
  return converted;
}

std::vector<win::AcceleratorData> AcceleratorsOf(const std::vector<Menu>& menus) {
  std::vector<win::AcceleratorData> keys;
  for (const Menu& menu : menus) {
    for (const MenuItem& item : menu.Items) {
      if (item.Keys.Key != 0) {
        keys.push_back({item.Keys.Key, item.Keys.Control, item.Id, item.Keys.Shift});
      }
    }
  }
  return keys;
}

std::vector<win::AcceleratorData> EditorAccelerators() {
  std::vector<win::AcceleratorData> keys = AcceleratorsOf(EditorMenus());
  for (const win::AcceleratorData& key : AcceleratorsOf(FrameMenus())) keys.push_back(key);
  return keys;
}

}  // namespace mox::varelo
