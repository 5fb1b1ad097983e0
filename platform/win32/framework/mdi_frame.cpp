#include "platform/win32/framework/mdi_frame.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/menu_merge.h"
#include "platform/win32/wide_text.h"

namespace mox::win {
namespace {

constexpr int kClientId = 0x7F10;
// The window menu's list of children uses ids from here on, above every
// command of the programs.
constexpr UINT kFirstChildId = 0xFF00;
// Posted to the frame to delete the children whose windows are gone: a
// child cannot be deleted inside its own window procedure.
constexpr UINT kCollectChildren = WM_APP + 0x3F0;

}  // namespace

TMdiFrame::TMdiFrame() { SetBackgroundColor(GetSysColor(COLOR_BTNFACE)); }

TMdiFrame::~TMdiFrame() = default;

bool TMdiFrame::CreateFrame(const std::string& title, TMenuSet& menus, std::size_t window_menu,
                            int icon_id) {
  menus_ = &menus;
  window_menu_ = menus.Popup(window_menu);
  std::vector<std::pair<std::wstring, HMENU>> entries;
  for (std::size_t i = 0; i < menus.Count(); ++i) entries.emplace_back(menus.Caption(i), menus.Popup(i));
  HMENU bar = BuildMenuBar(entries);
  if (!CreateTopLevel(title, bar, icon_id)) {
    DestroyMenuBarOnly(bar);
    return false;
  }
  CLIENTCREATESTRUCT client{window_menu_, kFirstChildId};
  client_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                            WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0,
                            0, 0, 0, Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kClientId)), Instance(),
                            &client);
  if (client_ == nullptr) return false;
  Layout();
  return true;
}

void TMdiFrame::Dock(HWND window, DockSide side, int size) {
  docked_.push_back({window, side, size});
  Layout();
}

void TMdiFrame::ResizeDocked(HWND window, int size) {
  for (Docked& bar : docked_) {
    if (bar.Window == window) bar.Size = size;
  }
  Layout();
}

void TMdiFrame::ReserveBeside(HWND window, int width) {
  for (Docked& bar : docked_) {
    if (bar.Window == window) bar.Reserve = width;
  }
  Layout();
}

void TMdiFrame::Layout() {
  if (Handle() == nullptr || client_ == nullptr) return;
  RECT area;
  GetClientRect(Handle(), &area);
  for (const Docked& bar : docked_) {
    if (!IsWindowVisible(bar.Window)) continue;
    if (bar.Side == DockSide::Top) {
      MoveWindow(bar.Window, area.left, area.top,
                 std::max(0L, area.right - area.left - bar.Reserve), bar.Size, TRUE);
      area.top += bar.Size;
    }
  }
  for (const Docked& bar : docked_) {
    if (!IsWindowVisible(bar.Window) || bar.Side != DockSide::Bottom) continue;
    const int height = std::min<long>(bar.Size, std::max(0L, area.bottom - area.top));
    MoveWindow(bar.Window, area.left, area.bottom - height, std::max(0L, area.right - area.left),
               height, TRUE);
    area.bottom -= height;
  }
  for (const Docked& bar : docked_) {
    if (!IsWindowVisible(bar.Window) || bar.Side != DockSide::Right) continue;
    const int height = std::max(0L, area.bottom - area.top);
    MoveWindow(bar.Window, area.right - bar.Size, area.top, bar.Size, height, TRUE);
    area.right -= bar.Size;
  }
  MoveWindow(client_, area.left, area.top, std::max(0L, area.right - area.left),
             std::max(0L, area.bottom - area.top), TRUE);
}

TMdiChild& TMdiFrame::Adopt(std::unique_ptr<TMdiChild> child) {
  children_.push_back(std::move(child));
  return *children_.back();
}

TMdiChild* TMdiFrame::ActiveChild() const {
  if (client_ == nullptr) return nullptr;
  const HWND active = reinterpret_cast<HWND>(SendMessageW(client_, WM_MDIGETACTIVE, 0, 0));
  for (const auto& child : children_) {
    if (child->Handle() != nullptr && child->Handle() == active) return child.get();
  }
  return nullptr;
}

void TMdiFrame::Activate(TMdiChild& child) {
  if (child.Handle() != nullptr) {
    SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child.Handle()), 0);
  }
}

bool TMdiFrame::CanCloseChildren() {
  // A copy: a child's question runs a message loop of its own.
  std::vector<TMdiChild*> children;
  for (const auto& child : children_) {
    if (child->Handle() != nullptr) children.push_back(child.get());
  }
  for (TMdiChild* child : children) {
    if (!child->CanClose()) return false;
  }
  return true;
}

HACCEL TMdiFrame::ActiveAccelerators() const {
  const TMdiChild* active = ActiveChild();
  if (active != nullptr && active->Accelerators() != nullptr) return active->Accelerators();
  return accelerators_;
}

void TMdiFrame::ChildActivated(TMdiChild* child) {
  ShowMenusOf(child);
  ActiveChildChanged();
}

void TMdiFrame::ChildDestroyed(TMdiChild* child) {
  if (menus_shown_for_ == child) ShowMenusOf(nullptr);
  const auto found = std::find_if(children_.begin(), children_.end(),
                                  [child](const auto& owned) { return owned.get() == child; });
  if (found != children_.end()) {
    dead_.push_back(std::move(*found));
    children_.erase(found);
    if (Handle() != nullptr) PostMessageW(Handle(), kCollectChildren, 0, 0);
  }
  ActiveChildChanged();
}

void TMdiFrame::ShowMenusOf(TMdiChild* child) {
  if (menus_ == nullptr || Handle() == nullptr) return;
  TMenuSet* child_menus = child != nullptr ? child->Menus() : nullptr;
  std::vector<std::pair<std::wstring, HMENU>> entries;
  if (child_menus != nullptr) {
    for (const platform::MenuSource& source :
         platform::MergeMenuGroups(menus_->Groups(), child_menus->Groups())) {
      const TMenuSet& from = source.FromChild ? *child_menus : *menus_;
      entries.emplace_back(from.Caption(source.Index), from.Popup(source.Index));
    }
  } else {
    for (std::size_t i = 0; i < menus_->Count(); ++i) {
      entries.emplace_back(menus_->Caption(i), menus_->Popup(i));
    }
  }
  HMENU bar = BuildMenuBar(entries);
  HMENU old = reinterpret_cast<HMENU>(SendMessageW(
      client_, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), reinterpret_cast<LPARAM>(window_menu_)));
  DrawMenuBar(Handle());
  if (old != nullptr && old != bar) DestroyMenuBarOnly(old);
  menus_shown_for_ = child_menus != nullptr ? child : nullptr;
}

void TMdiFrame::RouteCommand(int id, WPARAM wparam, LPARAM lparam) {
  if (static_cast<UINT>(id) < kFirstChildId && id < 0xF000) {
    // Greyed commands do nothing, whatever sent them.
    if (states_ != nullptr && !states_->IsEnabled(id)) return;
    if (TMdiChild* active = ActiveChild(); active != nullptr && active->Command(id)) return;
    if (Command(id)) return;
  }
  // The window list and the buttons of a maximized child.
  DefaultProcessing(WM_COMMAND, wparam, lparam);
}

LRESULT TMdiFrame::DefaultProcessing(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefFrameProcW(Handle(), client_, message, wparam, lparam);
}

LRESULT TMdiFrame::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      // Not DefFrameProc: it would give the client the whole area.
      if (wparam != SIZE_MINIMIZED) Layout();
      return 0;
    case WM_COMMAND:
      if (lparam == 0 || reinterpret_cast<HWND>(lparam) == tool_bar_) {
        RouteCommand(LOWORD(wparam), wparam, lparam);
        return 0;
      }
      break;
    case WM_INITMENUPOPUP: {
      if (HIWORD(lparam) != 0) break;  // a system menu
      const HMENU popup = reinterpret_cast<HMENU>(wparam);
      if (TMdiChild* active = ActiveChild()) {
        SendMessageW(active->Handle(), WM_INITMENUPOPUP, wparam, lparam);
      }
      if (states_ != nullptr) ApplyCommandStates(popup, *states_, true, kFirstChildId);
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lparam);
        hint_ = platform::Widen(states_ != nullptr ? states_->HintOf(static_cast<int>(header->idFrom))
                                                   : std::string());
        info->lpszText = hint_.data();
        info->hinst = nullptr;
        return 0;
      }
      break;
    }
    case WM_CLOSE:
      // A close that arrives while one is being asked is ignored.
      if (closing_) return 0;
      closing_ = true;
      if (CanCloseChildren() && CanClose()) DestroyWindow(Handle());
      closing_ = false;
      return 0;
    case WM_QUERYENDSESSION:
      return CanCloseChildren() && CanClose() ? TRUE : FALSE;
    case WM_DESTROY: {
      // The bar shows popups of the children: it goes first, alone.
      HMENU bar = GetMenu(Handle());
      SetMenu(Handle(), nullptr);
      DestroyMenuBarOnly(bar);
      menus_shown_for_ = nullptr;
      PostQuitMessage(0);
      return 0;
    }
    default:
      if (message == kCollectChildren) {
        dead_.clear();
        return 0;
      }
      break;
  }
  return TWindow::HandleMessage(message, wparam, lparam);
}

TMdiChild::~TMdiChild() {
  // An MDI child is destroyed through its client, which then activates
  // another child.
  if (Handle() != nullptr) SendMessageW(frame_.Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
}

bool TMdiChild::CreateChild(const std::wstring& caption, bool maximized) {
  const RECT bounds{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN |
                      WS_CLIPSIBLINGS | (maximized ? WS_MAXIMIZE : 0);
  return Create(frame_.Client(), style, WS_EX_MDICHILD, caption.c_str(), bounds);
}

void TMdiChild::Close() {
  if (Handle() == nullptr || !CanClose()) return;
  SendMessageW(frame_.Client(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
}

LRESULT TMdiChild::DefaultProcessing(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefMDIChildProcW(Handle(), message, wparam, lparam);
}

LRESULT TMdiChild::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) Resized(LOWORD(lparam), HIWORD(lparam));
      // DefMDIChildProc keeps the maximized state and the frame's buttons.
      return DefaultProcessing(message, wparam, lparam);
    case WM_CLOSE:
      Close();
      return 0;
    case WM_MDIACTIVATE:
      if (reinterpret_cast<HWND>(lparam) == Handle()) {
        frame_.ChildActivated(this);
      } else if (reinterpret_cast<HWND>(wparam) == Handle() && lparam == 0) {
        frame_.ChildActivated(nullptr);  // the last child is going
      }
      return DefaultProcessing(message, wparam, lparam);
    case WM_NCDESTROY: {
      const LRESULT result = DefaultProcessing(message, wparam, lparam);
      frame_.ChildDestroyed(this);
      return result;
    }
    default:
      break;
  }
  return TWindow::HandleMessage(message, wparam, lparam);
}

}  // namespace mox::win
