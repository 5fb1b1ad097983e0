// The page view of the previewer: the client window inside the frame. It
// turns window messages into the page view's operations and draws through
// the renderer; its construction reads the options.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/framework/file_dialog.h"
#include "platform/win32/framework/printer.h"
#include "platform/win32/gdi.h"
#include "platform/win32/framework/window.h"
#include "previewer/shell/page_view.h"

namespace mox {

class TMOXWindow : public win::TWindow, private PageViewHost, public PageView {
 public:
  // Reads the options; an invalid one ends the process with exit code 2
  // after one error box. Loads the face table beside the program.
  explicit TMOXWindow(const std::vector<std::string>& arguments);
  ~TMOXWindow() override;

  bool CanClose() override;
  bool Command(int id) override;

  // Called when the frame exists, for the commands that close it and the
  // dialogs it owns.
  void SetFrame(HWND frame);
  // One step of drawing ahead in idle time, for the window's colours; true
  // while steps are left.
  bool DrawAheadStep();

  // The grey ramp of the page bitmap bent by the gamma value; the first
  // call also makes the logical palette and realizes it.
  void BuildPalette(HDC dc);
  // 1 when the palette exists (and was realized into dc), else 0.
  int RealizePagePalette(HDC dc, bool repaint);

  win::FileDialogData OpenDialogData;

 protected:
  void Paint(HDC dc, const RECT& damaged, bool erase) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // The page view's hooks.
  void MeasureClient(std::uint32_t& width, std::uint32_t& height) override;
  void InvalidateView(bool erase) override;
  bool HasPendingPaint() override;
  void SetDocumentBackground(bool document_shown) override;
  void ShowBusy(bool busy) override;
  platform::TScroller& ViewScroller() override;
  void RealizePalette() override;
  void RebuildPalette() override;
  void BeginRulerDrawing() override;
  void DrawRulerLines(const std::vector<RulerLine>& lines) override;
  void EndRulerDrawing() override;
  std::string FrameCaption() override;
  int ScreenDpi() override { return Dpi(); }
  void SetFrameCaption(const std::string& text) override;
  void ShowMainFrame(bool shown) override;
  void ShowSourceLine(const std::string& file, std::int32_t line) override;
  void MarkPlace(std::int32_t x, std::int32_t y, std::int32_t height) override;
  void InvalidateClientRect(const PixelRect& rect) override;
  void CaptureMouse(bool captured) override;
  void PutOnClipboard(const std::string& utf8) override;
  bool OpenAddress(const std::string& address) override;
  // The forward search's mark, in scrolled-view pixels, drawn by the next
  // paint after it and then forgotten.
  void DrawPendingMark(HDC dc);
  // The find's match and the selection, inverted over what was painted.
  void DrawHighlights(HDC dc);
  // The hand over a link, else the arrow; false when the pointer is
  // another's (the wait cursor, outside the client area).
  bool SetLinkCursor(LPARAM hit);
  // HandleMessage's groups of messages.
  void MouseMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT CopyDataReceived(LPARAM data);
  LRESULT PaletteMessage(UINT message, WPARAM wparam);

  void OpenFile();
  void ChangeZoom();
  void EnterPageNumber();
  void AskFindText();
  void ChooseTrueTypeFonts();
  void PrintPages();
  void RunPrint();
  void RunPreview();
  void ShowAbout();
  HWND Owner() const { return frame_ != nullptr ? frame_ : Handle(); }

  HWND frame_ = nullptr;
  std::optional<RECT> pending_mark_;
  win::Palette palette_;
  win::TPrinter printer_;
  // While a ruler drag lasts: the client area's context with the
  // exclusive-or pen, and the pens of the ticks.
  std::optional<win::WindowDc> ruler_dc_;
  std::array<win::Pen, 5> ruler_pens_;
  HCURSOR saved_cursor_ = nullptr;
  int busy_depth_ = 0;
  bool realizing_ = false;
  bool palette_changing_ = false;
  bool quitting_ = false;
  bool about_open_ = false;
};

}  // namespace mox
