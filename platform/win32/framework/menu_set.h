// Menus made from data: the popups of a frame or an MDI child with their
// captions, merge groups and check marks, owned by one object, and the menu
// bars that show popups owned elsewhere.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/command_states.h"

namespace mox::win {

struct MenuItemData {
  int Id = 0;              // 0 for a separator
  std::string Caption;     // GBK
  std::string Shortcut;    // GBK, shown at the right ("Ctrl+Z"); empty for none
  bool Checked = false;
};

struct MenuData {
  std::string Caption;     // GBK
  int Group = 0;           // the merge group
  std::vector<MenuItemData> Items;
};

class TMenuSet {
 public:
  explicit TMenuSet(const std::vector<MenuData>& menus);
  ~TMenuSet();
  TMenuSet(const TMenuSet&) = delete;
  TMenuSet& operator=(const TMenuSet&) = delete;

  std::size_t Count() const { return menus_.size(); }
  HMENU Popup(std::size_t index) const { return menus_[index].Popup; }
  const std::wstring& Caption(std::size_t index) const { return menus_[index].Caption; }
  int Group(std::size_t index) const { return menus_[index].Group; }
  std::vector<int> Groups() const;

  void SetChecked(int id, bool checked);
  bool IsChecked(int id) const;

 private:
  struct Entry {
    std::wstring Caption;
    int Group;
    HMENU Popup;
  };
  std::vector<Entry> menus_;
};

// A popup menu of its own (a context menu), destroyed with its owner.
class TPopupMenu {
 public:
  explicit TPopupMenu(const std::vector<MenuItemData>& items);
  ~TPopupMenu();
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;
  HMENU Handle() const { return menu_; }

 private:
  HMENU menu_;
};

// Fills a popup with items.
void AppendMenuItems(HMENU popup, const std::vector<MenuItemData>& items);

// Greys a popup's items whose commands cannot run now and checks its
// choices, as `states` say; ids from `foreign` on (an MDI window list's)
// are left alone, and with `grey_only` so are the items that can run
// (another owner of the popup may have greyed them).
void ApplyCommandStates(HMENU popup, const platform::CommandStates& states, bool grey_only,
                        UINT foreign = 0xFFFF);

// A menu bar of popups owned elsewhere, and its end: the bar goes, the
// popups stay with their owners.
HMENU BuildMenuBar(const std::vector<std::pair<std::wstring, HMENU>>& menus);
void DestroyMenuBarOnly(HMENU bar);

struct AcceleratorData {
  int Key = 0;          // virtual-key code
  bool Control = false;
  int Id = 0;
  bool Shift = false;
};

// An accelerator table made from data, destroyed with its owner.
class TAcceleratorTable {
 public:
  explicit TAcceleratorTable(const std::vector<AcceleratorData>& keys);
  ~TAcceleratorTable();
  TAcceleratorTable(const TAcceleratorTable&) = delete;
  TAcceleratorTable& operator=(const TAcceleratorTable&) = delete;
  HACCEL Handle() const { return table_; }

 private:
  HACCEL table_ = nullptr;
};

}  // namespace mox::win
