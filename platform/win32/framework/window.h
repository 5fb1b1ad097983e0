// The framework's plain window: a Win32 window owned by a C++ object that
// receives its messages, with an optional scroller that keeps the scroll bars
// and the painting origin in step with its position.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/dpi_scale.h"
#include "platform/scroller.h"

namespace mox::win {

class TWindow : public platform::ScrollHost {
 public:
  TWindow();
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  // Creates the window; `id` is the child id (or menu) of the new window.
  // With WS_EX_MDICHILD and an MDI client as the parent it is an MDI child.
  bool Create(HWND parent, DWORD style, DWORD ex_style, const wchar_t* caption,
              const RECT& bounds, HMENU id_or_menu = nullptr);
  // An overlapping top-level window with its menu bar (the window's once
  // made) and the icon of a resource id (0: none); GBK title.
  bool CreateTopLevel(const std::string& title, HMENU menu, int icon_id);
  HWND Handle() const { return hwnd_; }
  // The window class the next Create registers and uses: "MoxWindow"
  // unless a program gives its main frame a class of its own, by which
  // other programs find it.
  void SetWindowClass(const wchar_t* name) { class_name_ = name; }

  // Background used to erase the client area.
  void SetBackgroundColor(COLORREF color);

  // Gives the window a scroller (units 1 by 1, ranges 0 by 0).
  void AttachScroller();
  // Scroll bars shown (greyed) even when there is nothing to scroll.
  void KeepScrollBars(bool horizontal, bool vertical) {
    keep_horizontal_bar_ = horizontal;
    keep_vertical_bar_ = vertical;
  }
  platform::TScroller* Scroller() { return scroller_.get(); }
  const platform::TScroller* Scroller() const { return scroller_.get(); }

  // Asked before the window's frame closes.
  virtual bool CanClose() { return true; }
  // A menu, tool bar or accelerator command; returns whether it was handled.
  virtual bool Command(int id) { (void)id; return false; }

  static HINSTANCE Instance() { return GetModuleHandleW(nullptr); }
  // The window object of a handle, or null for a window that is none.
  static TWindow* FromHandle(HWND window);

  // The DPI the window is drawn at: a top-level window's own, which
  // WM_DPICHANGED changes; a child's is its top-level window's.
  int Dpi() const;
  // value (in pixels at 96 dpi) at the window's DPI.
  int Scaled(int value) const;
  // The client area's size; nothing (0 by 0) before the window exists.
  SIZE ClientSize() const;

 protected:
  // Draws the damaged rectangle; the device origin already follows the
  // scroller, so dc and damaged are in scrolled-view coordinates.
  virtual void Paint(HDC dc, const RECT& damaged, bool erase) {
    (void)dc; (void)damaged; (void)erase;
  }
  // Every message passes here first; the default handles painting,
  // erasing, scrolling and sizing and leaves the rest to Windows.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // What Windows does with a message: DefWindowProc here, DefFrameProc and
  // DefMDIChildProc in the MDI windows.
  virtual LRESULT DefaultProcessing(UINT message, WPARAM wparam, LPARAM lparam);
  // Moves the window's content with the scroller.
  void ScrollContent(long dx, long dy) override;
  // After WM_DPICHANGED has moved a top-level window to the size the
  // system suggests: fonts, bars and layouts made again at Dpi().
  virtual void DpiChanged() {}

 private:
  static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wparam,
                                          LPARAM lparam);
  static void RegisterWindowClass(const wchar_t* name);

  void SetScrollBar(bool horizontal, long range, long page, long position) override;
  void HandleScrollBar(bool horizontal, WPARAM wparam);

  HWND hwnd_ = nullptr;
  int dpi_ = platform::kBaseDpi;
  const wchar_t* class_name_ = L"MoxWindow";
  COLORREF background_ = RGB(255, 255, 255);
  std::unique_ptr<platform::TScroller> scroller_;
  bool keep_horizontal_bar_ = false;
  bool keep_vertical_bar_ = false;
};

}  // namespace mox::win
