// An MDI frame: the MDI client with the children inside it, bars docked
// along its top and right edges, and a menu bar into which the active
// child's menus are merged by group numbers. Commands from menus,
// accelerators and the tool bar go to the active child first, then to the
// frame; what neither handles reaches DefFrameProc.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/framework/menu_set.h"
#include "platform/win32/framework/window.h"

#include "platform/command_states.h"

namespace mox::win {

class TMdiChild;

enum class DockSide { Top, Right, Bottom };

class TMdiFrame : public TWindow {
 public:
  TMdiFrame();
  ~TMdiFrame() override;

  // Creates the frame (hidden) and its MDI client. The frame's own menus
  // stay owned by the caller; the popup at window_menu lists the children.
  bool CreateFrame(const std::string& title, TMenuSet& menus, std::size_t window_menu,
                   int icon_id);
  HWND Client() const { return client_; }

  // A bar along an edge, in the order docked; a hidden one takes no room.
  void Dock(HWND window, DockSide side, int size);
  // A docked window's new height (top) or width (right), in pixels.
  void ResizeDocked(HWND window, int size);
  // Pixels a top bar leaves free at its right, for a window of the frame's
  // own on the bar's row.
  void ReserveBeside(HWND window, int width);
  void Layout();

  // Takes a child made for this frame; the child is deleted once its
  // window is gone.
  TMdiChild& Adopt(std::unique_ptr<TMdiChild> child);
  TMdiChild* ActiveChild() const;
  const std::vector<std::unique_ptr<TMdiChild>>& Children() const { return children_; }
  void Activate(TMdiChild& child);
  // Asks every child whether it may close; false at the first refusal.
  bool CanCloseChildren();

  // The accelerators of the active child, or the frame's.
  HACCEL ActiveAccelerators() const;
  void SetAccelerators(HACCEL accelerators) { accelerators_ = accelerators; }

  // Called by the children.
  void ChildActivated(TMdiChild* child);
  void ChildDestroyed(TMdiChild* child);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  LRESULT DefaultProcessing(UINT message, WPARAM wparam, LPARAM lparam) override;
  // The active child changed (or the last one went).
  virtual void ActiveChildChanged() {}
  // The tool bar whose buttons send commands.
  void SetToolBar(HWND tool_bar) { tool_bar_ = tool_bar; }
  // What greys the frame's commands in its menus and gives its buttons'
  // tool tips (none: every command enabled, no tips).
  void SetCommandStates(const platform::CommandStates* states) { states_ = states; }

 private:
  void ShowMenusOf(TMdiChild* child);
  void RouteCommand(int id, WPARAM wparam, LPARAM lparam);

  struct Docked {
    HWND Window;
    DockSide Side;
    int Size;
    int Reserve = 0;
  };
  HWND client_ = nullptr;
  HWND tool_bar_ = nullptr;
  const platform::CommandStates* states_ = nullptr;
  TMenuSet* menus_ = nullptr;
  HMENU window_menu_ = nullptr;
  HACCEL accelerators_ = nullptr;
  std::vector<Docked> docked_;
  std::vector<std::unique_ptr<TMdiChild>> children_;
  std::vector<std::unique_ptr<TMdiChild>> dead_;
  TMdiChild* menus_shown_for_ = nullptr;
  std::wstring hint_;
  bool closing_ = false;
};

// An MDI child of a TMdiFrame, with menus merged into the frame's bar
// while it is active and accelerators of its own.
class TMdiChild : public TWindow {
 public:
  explicit TMdiChild(TMdiFrame& frame) : frame_(frame) {}
  ~TMdiChild() override;

  // Creates the window inside the frame's MDI client.
  bool CreateChild(const std::wstring& caption, bool maximized);
  TMdiFrame& Frame() const { return frame_; }

  virtual TMenuSet* Menus() { return nullptr; }
  virtual HACCEL Accelerators() const { return nullptr; }
  // Asks CanClose and destroys the window when it agrees.
  void Close();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  LRESULT DefaultProcessing(UINT message, WPARAM wparam, LPARAM lparam) override;
  virtual void Resized(int width, int height) { (void)width; (void)height; }

 private:
  TMdiFrame& frame_;
};

}  // namespace mox::win
