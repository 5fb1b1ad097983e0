// The page view of the previewer: the client window inside the frame. Its
// construction reads the options; it owns the view state of the document.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/framework/window.h"

namespace mox {

struct OpenDialogData {
  DWORD Flags = 0;
  std::string Filter;
  std::string InitialDirectory;
  std::string DefaultExtension;
};

class TMOXWindow : public win::TWindow {
 public:
  // Reads the options; an invalid one ends the process with exit code 2
  // after one error box.
  explicit TMOXWindow(const std::vector<std::string>& arguments);
  ~TMOXWindow() override;

  bool CanClose() override;
  bool Command(int id) override;

  bool IsDocumentOpen() const { return FileOpen != 0; }
  // Called when the frame exists, for the commands that close it.
  void SetFrame(HWND frame) { frame_ = frame; }

  std::int32_t OffsetX = 0;
  std::int32_t OffsetY = 0;
  std::uint32_t ClientWidth = 0;
  std::uint32_t ClientHeight = 0;
  std::int32_t UnitX = 1;
  std::int32_t UnitY = 1;
  std::int32_t CurrentPage = -1;
  std::int32_t IgnoreNextClick = 0;
  std::int32_t PageReady = 1;
  std::int32_t FileOpen = 0;
  OpenDialogData DialogData;
  std::int32_t PaintEnabled = 0;
  std::int32_t PrintMode = 0;

  // The document shown, from the command line or the open dialog.
  std::string DviFileName;

 protected:
  void Paint(HDC dc, const RECT& damaged, bool erase) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void UpdateScroller();
  void UnloadDocument();
  void UpdateTitle();
  void ShowAbout();

  HWND frame_ = nullptr;
  bool first_paint_done_ = false;
  bool painting_ = false;
  bool updating_scroller_ = false;
  bool closing_ = false;
  bool about_open_ = false;
};

}  // namespace mox
