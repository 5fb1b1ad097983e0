// Varelo's menu and shortcut tables in the framework's form.
#pragma once

#include <vector>

#include "frontend/core/commands.h"
#include "platform/win32/framework/menu_set.h"

namespace mox::varelo {

std::vector<win::MenuData> FrameworkMenus(const std::vector<Menu>& menus);
// The items of one menu (the context menu takes some of the edit menu's).
std::vector<win::MenuItemData> FrameworkItems(const std::vector<MenuItem>& items);
// The shortcuts of a set of menus, as an accelerator table's entries.
std::vector<win::AcceleratorData> AcceleratorsOf(const std::vector<Menu>& menus);
// An editor window's shortcuts: its own menus' and the frame's, whose menus
// stay in the bar while it is active.
std::vector<win::AcceleratorData> EditorAccelerators();

}  // namespace mox::varelo
