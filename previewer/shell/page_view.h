// The page view's behaviour without the window: the document shown, the
// page, the zoom, the scroller and the automatic reload. The window (Win32
// here, a fake one in the tests) supplies a handful of hooks and turns its
// messages into calls of these operations.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_stamp.h"
#include "platform/scroller.h"
#include "previewer/render/page_renderer.h"

namespace mox {

// What the view needs of the window that shows it.
class PageViewHost {
 public:
  virtual ~PageViewHost() = default;
  virtual void MeasureClient(std::uint32_t& width, std::uint32_t& height) = 0;
  // Marks the whole client area for repainting.
  virtual void InvalidateView(bool erase) = 0;
  // Whether part of the window already waits to be painted.
  virtual bool HasPendingPaint() = 0;
  // White paper behind a document, mid grey without one.
  virtual void SetDocumentBackground(bool document_shown) = 0;
  // The wait cursor on (true) or the previous cursor back (false).
  virtual void ShowBusy(bool busy) = 0;
  virtual platform::TScroller& ViewScroller() = 0;
  // The page's colours into the display's palette, when it has one.
  virtual void RealizePalette() {}
};

// The zoom of the view, shared with printing and the ruler: the "current
// zoom" of the options.
double& ZoomFactor();

class PageView {
 public:
  explicit PageView(PageViewHost& host) : host_(host) {}
  virtual ~PageView() = default;

  // 0 done; 1 failed, and the document is closed (after a message).
  int LoadDocument();
  void UnloadDocument();
  int GotoPage(std::int32_t page);
  // 0 fits the page to the window.
  void SetZoom(double zoom);
  void UpdateScroller();
  void UpdateTitle();

  // The first paint loads the document named at start (the window has its
  // size by then); later ones draw the damaged rectangle, given in
  // scrolled-view pixels, through the renderer.
  void PaintView(RenderDevice& device, const PixelRect& damaged);

  // The window has the focus again: realize the palette, then reload the
  // document when its file has changed since the page was scanned.
  void FocusGained();

  // The commands that need no dialog (English ids); true when handled.
  bool ViewCommand(int english_id);
  // Open: the chosen file replaces the document, with a fresh page filter.
  void OpenChosenFile(const std::string& path);
  // Change zoom: the text typed into the box (an error box for a bad one).
  void ApplyZoomText(const std::string& text);

  // Answers yes after closing the document; a nested call answers no.
  bool CloseView();

  bool IsDocumentOpen() const { return FileOpen != 0; }
  const platform::FileStamp& Stamp() const { return stamp_; }

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
  std::int32_t PaintEnabled = 0;
  std::int32_t PrintMode = 0;

  // The document, from the command line or the open dialog; empty for none.
  std::string DviFileName;

 private:
  void LayOutScroller();
  void ReloadIfChanged();
  void WaitForExclusiveAccess();

  PageViewHost& host_;
  platform::FileStamp stamp_;
  bool first_paint_done_ = false;
  bool loading_ = false;
  bool updating_scroller_ = false;
  bool painting_ = false;
  bool focusing_ = false;
  bool closing_ = false;
};

}  // namespace mox
