// The page view's behaviour without the window: the document shown, the
// page, the zoom, the scroller and the automatic reload. The window (Win32
// here, a fake one in the tests) supplies a handful of hooks and turns its
// messages into calls of these operations.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "platform/file_stamp.h"
#include "platform/scroller.h"
#include "previewer/render/page_renderer.h"
#include "previewer/render/preview_document.h"
#include "previewer/shell/drawn_pages.h"
#include "previewer/shell/kept_pages.h"
#include "previewer/shell/page_stack.h"
#include "previewer/shell/page_texts.h"
#include "previewer/shell/print_choice.h"
#include "previewer/shell/ruler.h"
#include "previewer/startup/box_reporter.h"
#include "previewer/text/find_text.h"

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
  // The gamma changed: the grey ramp of the palette is made again.
  virtual void RebuildPalette() {}

  // The ruler: a drawing context with an exclusive-or pen and the mouse
  // captured from Begin to End; the frame caption read and written as is.
  virtual void BeginRulerDrawing() {}
  virtual void DrawRulerLines(const std::vector<RulerLine>& lines) { (void)lines; }
  virtual void EndRulerDrawing() {}
  virtual std::string FrameCaption() { return {}; }
  // The DPI the window is shown at, for what the view draws in screen
  // measures (the ruler's ticks); the page itself is in device pixels.
  virtual int ScreenDpi() { return 96; }
  virtual void SetFrameCaption(const std::string& text) { (void)text; }
  // The main frame hidden during a printing or preview run, shown after.
  virtual void ShowMainFrame(bool shown) { (void)shown; }

  // Source links: the editor asked to show a line of a file (started when
  // it does not run); a brief mark at a place of the client area, a
  // baseline (x, y) with the height of a line above it, which the next
  // repaint removes.
  virtual void ShowSourceLine(const std::string& file, std::int32_t line) {
    (void)file;
    (void)line;
  }
  virtual void MarkPlace(std::int32_t x, std::int32_t y, std::int32_t height) {
    (void)x;
    (void)y;
    (void)height;
  }

  // Text and links: a part of the client area to paint again (what shows
  // highlighted changed there); the mouse held by the window through a
  // drag; text (UTF-8) put on the clipboard as Unicode; a web or mail
  // address opened in the browser, false when nothing could open it.
  virtual void InvalidateClientRect(const PixelRect& rect) {
    (void)rect;
    InvalidateView(false);
  }
  virtual void CaptureMouse(bool captured) { (void)captured; }
  virtual void PutOnClipboard(const std::string& utf8) { (void)utf8; }
  virtual bool OpenAddress(const std::string& address) {
    (void)address;
    return false;
  }
};

struct OptionsChoice;

class PageView {
 public:
  explicit PageView(PageViewHost& host) : host_(host), report_(host), doc_(report_, Options{}) {}
  virtual ~PageView() = default;

  // The document shown, opened with the program's options (read at start,
  // changed by the Options dialog), its face table and its page selection.
  // It reports in the window's boxes and caption, in the language of the
  // options.
  PreviewDocument& Doc() { return doc_; }
  const PreviewDocument& Doc() const { return doc_; }
  Options& Settings() { return doc_.Settings; }
  const Options& Settings() const { return doc_.Settings; }
  Language Lang() const { return report_.Lang(); }
  void SetLanguage(Language language) { report_.SetLanguage(language); }
  const char* Say(const Bilingual& text) const { return report_.Say(text); }
  Reporter& Report() { return report_; }
  // The zoom of the view, shared with printing and the ruler: the "current
  // zoom" of the options.
  double& Zoom() { return doc_.Settings.CurrentZoom; }

  // 0 done; 1 failed, and the document is closed (after a message). A
  // reload gives the zoom to keep; otherwise the initial zoom applies.
  int LoadDocument(std::optional<double> kept_zoom = std::nullopt);
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
  // The window's timer while the window is visible and no modal dialog
  // runs: the same reload without the focus. A file another program holds
  // is left for a later tick.
  void CheckDocumentFile();
  // The reload's rule: a changed file that is complete is loaded again on
  // the same page, zoom and scroll position; one that is incomplete (TeX
  // still writing it, or stopped at an error) leaves the page shown, says
  // so in the status line, and is looked at again once its stamp changes.
  bool WaitingForCompleteFile() const { return refused_stamp_.has_value(); }

  // The commands that need no dialog (English ids); true when handled.
  bool ViewCommand(int english_id);
  // Open: the chosen file replaces the document, with a fresh page filter.
  // A file that cannot be loaded leaves the previous document on its page.
  void OpenChosenFile(const std::string& path);
  // The mouse wheel turned by delta (120 a notch, positive away from the
  // user): the page scrolls up or down, sideways with Shift, and Ctrl zooms
  // in or out a zoom command's step per notch.
  static constexpr int kWheelNotch = 120;
  static constexpr int kWheelPixels = 48;
  void WheelTurned(int delta, bool sideways, bool zoom);
  // Help: the tutorial "tutor.dvi" beside the program is opened; without
  // it a box says where help is found.
  void ShowHelp();
  // Change zoom: the text typed into the box (an error box for a bad one).
  void ApplyZoomText(const std::string& text);

  // Inverse search, at a point of the client area (Ctrl+double-click): the
  // editor is asked to show the source line of the nearest source special
  // before the point. Without source specials on the page the status line
  // says how to get them.
  void InverseSearch(std::int32_t client_x, std::int32_t client_y);
  // Forward search: the page holding the nearest source special at or
  // before a line of a source file is shown, the place scrolled into view
  // and marked. A DVI file named too replaces the document when it is
  // another one. False (after a status line) when nothing matches.
  bool ForwardSearch(const std::string& file, std::int32_t line,
                     const std::string& dvi_file = std::string());

  // Answers yes after closing the document; a nested call answers no.
  bool CloseView();

  // Select page: the list position picked (an error box when it names no
  // page). Enter page no.: the current page's \count0 as the box starts
  // with it, and the text typed, read as a number, searched after the
  // current page.
  void GotoListPosition(std::int32_t position);
  std::string CurrentPageNumberText() const;
  void GotoPageNumberText(const std::string& text);

  // Options: a choice the user confirmed is checked (an error box, nothing
  // applied), applied (a new gamma repaints, a new resolution reloads the
  // document), and saved when asked, with a box that says where.
  void ApplyOptions(const OptionsChoice& choice);
  // The face table changed: the open document is loaded again with glyphs
  // made afresh, staying on its page and scroll position.
  void FacesChanged();

  // The ruler, in client pixels: the left button pressed, the mouse moved,
  // the button released. A press that follows the focus only clears
  // IgnoreNextClick. Painting, viewport moves and a lost capture end a drag.
  void RulerPress(std::int32_t x, std::int32_t y);
  void RulerMove(std::int32_t x, std::int32_t y);
  void EndRulerDrag();
  bool RulerActive() const { return ruler_.has_value(); }

  // Printing (mode 1) and preview (mode 2) runs: the main frame hidden,
  // painting and reloads held while PrintMode is set, the zoom put aside;
  // at the end the same page at the same zoom, scrolled to its top-left
  // corner, and the frame shown again.
  void BeginPrintRun(std::int32_t mode);
  void EndPrintRun();
  // Scans page n (1-based) of the stored print selection, only page 1 in a
  // preview: false past the last page, or when the scan failed (the
  // document is then closed, as after a failed page change).
  bool ScanPrintedPage(int n, bool preview);
  // Draws the scanned page's band (device pixels) for the printer: at
  // Scale printer pixels a font pixel, times PreviewScale preview pixels a
  // printer pixel (1 on paper), centred on the printable area. Returns the
  // page box on the paper (in printer pixels).
  struct PrintTarget {
    double Scale = 1.0;
    double PreviewScale = 1.0;
    std::int32_t PrintableWidth = 0;
    std::int32_t PrintableHeight = 0;
  };
  PrintBox DrawPrintedBand(RenderDevice& device, const PixelRect& band, const PrintTarget& target);

  // The continuous view ("-L1", the default): the pages of the selection
  // one below the other, CurrentPage the one most in view. Otherwise one
  // page at a time, as the single view always was. Switching keeps the page.
  bool ContinuousView() const { return Settings().ContinuousPages && PrintMode == 0; }
  void SetContinuousView(bool continuous);
  const PageStack& Stack() const { return stack_; }
  // The row of the scrolled view where a page's picture starts: its place
  // in the stack, 0 in the single view.
  std::int64_t PageTop(std::int32_t page) const;
  // The page shown at a row of the client area (CurrentPage in the single
  // view; -1 over a gap or with no document), made current when it is
  // another, and the row's place in that page's picture.
  struct PagePoint {
    std::int32_t Page = -1;
    double Y = 0.0;
  };
  PagePoint PageAtClientRow(std::int32_t client_y);

  // Idle time: the next page not drawn ahead (the current page, the next
  // two and the previous one, in the selection's order) is drawn into a
  // page image for a device of the colour count, so that showing it later
  // costs a copy. True while pages are left to draw; nothing is drawn
  // while the view paints, prints, loads or waits for a rewritten file.
  bool DrawAhead(int colour_count);
  std::size_t DrawnAheadBytes() const { return drawn_.Bytes(); }

  // Links (hyperref's, read from the page's specials): whether a point of
  // the client area is over one, for the pointer; and a click there. An
  // internal link shows its target's page with the target at the window's
  // top; a web or mail address is opened in the browser after one question
  // (an address agreed to once opens without asking again). True when the
  // point was over a link: the click is the link's, not the ruler's.
  bool IsOverLink(std::int32_t client_x, std::int32_t client_y);
  bool FollowLinkAt(std::int32_t client_x, std::int32_t client_y);

  // Find: text (the program's text, GBK or GB18030) looked for from just
  // after the last match of the same text, else from the page in view, on
  // through the selected pages and round from the first. The match is
  // scrolled into view and highlighted; false, with a status line, when
  // the text is nowhere. Find next looks for the last text again (false
  // without one: the window asks for it).
  bool FindInDocument(const std::string& text);
  bool FindNext();
  const std::string& FindQuery() const { return query_; }

  // Selecting text: a drag with Shift held, in client pixels, within the
  // page it starts on; at its end the text of the rectangle goes to the
  // clipboard, and the rectangle stays highlighted until the next press,
  // find or load. Copy puts the selection's text (or the last match's) on
  // the clipboard again.
  void SelectionPress(std::int32_t x, std::int32_t y);
  void SelectionMove(std::int32_t x, std::int32_t y);
  void SelectionRelease(std::int32_t x, std::int32_t y);
  bool SelectionActive() const { return selection_.has_value() && selection_->Dragging; }
  void CopySelection();

  // What the window shows inverted over the painted pages, in client
  // pixels: the match found and the selection.
  std::vector<PixelRect> HighlightRects() const;

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
  // The pages picked in the print dialog: physical page indices in list
  // order, kept until a document is loaded or closed. Nothing: every page.
  std::optional<std::vector<std::int32_t>> StoredPrintPages;

 private:
  struct RulerDrag {
    std::int32_t X = -10000;  // (-10000, -10000): not drawn
    std::int32_t Y = -10000;
    std::int32_t Unit = 1;
    std::string SavedCaption;
    RulerRect Client{};
  };
  void MoveCross(std::int32_t x, std::int32_t y);

  // The last places of documents (see last_places.h): the shown one's put
  // first in the file beside the program as it is given up, and a document
  // opened anew starts at its own. Nothing without a program path (tests).
  void RememberShownPlace();
  struct StartPlace {
    std::int32_t Page = -1;
    std::optional<double> Zoom;
    long X = 0;
    long Y = 0;
  };
  StartPlace PlaceToStartAt();

  void LayOutScroller();
  // The continuous view's painting: each page of the stack the damaged
  // rectangle meets, its buffer brought into the document's; then the
  // current page follows the page most in view.
  void PaintStack(RenderDevice& device, const PixelRect& damaged);
  // The page most in view in the continuous view, from the scroller.
  std::int32_t PageMostInView() const;
  // Makes a page of the stack current: its buffer into the document's and
  // the caption. False when it could not be scanned (the document closed).
  bool MakeCurrent(std::int32_t page);
  // The continuous view's page turn: the page's top to the window's top.
  void ScrollToPage(std::int32_t page);
  // Sets a zoom (clamped), discarding the zoomed glyphs when it changes.
  void ApplyZoom(double zoom);
  void ReloadIfChanged();

  // Text: the page under a row of the client area without making it
  // current (the pointer's moves must not turn the caption), and the page
  // pixels of a client point on it; a page's rectangle of page pixels in
  // client pixels.
  PagePoint PageUnderClientRow(std::int32_t client_y) const;
  std::optional<std::pair<std::int32_t, std::int32_t>> PagePixelsAt(const PagePoint& point,
                                                                     std::int32_t client_x) const;
  PixelRect ClientRectOf(std::int32_t page, const TextBox& box) const;
  // A page's text, kept or read; null when it cannot be read, or when the
  // file was rewritten since the scan and the text is not kept.
  const PageText* TextOfPage(std::int32_t page);
  const PageLink* LinkAt(std::int32_t client_x, std::int32_t client_y);
  void FollowInternalLink(const std::string& name);
  void OpenExternalLink(const std::string& address);
  // Shows a page's rectangle: its page current, scrolled to a third down
  // the window (sideways only when it is out of view).
  void ScrollIntoView(std::int32_t page, const TextBox& box);
  void ForgetText();
  void InvalidateHighlights();
  // Loads the document again, staying on its page, zoom and scroll
  // position; with carry_over the glyphs of the old load are taken over.
  void ReloadKeepingPlace(bool carry_over);
  void WaitForExclusiveAccess();
  // A page change finds the file changed since the last scan: the page
  // index no longer fits it. True when the view may scan (reloaded, or not
  // changed); false while the file is incomplete.
  bool FileReadyForScan();

  // The window's boxes and caption; the busy state is its wait cursor.
  class ViewReporter final : public BoxReporter {
   public:
    explicit ViewReporter(PageViewHost& host) : host_(host) {}
    void Busy(bool busy) override { host_.ShowBusy(busy); }

   private:
    PageViewHost& host_;
  };

  PageViewHost& host_;
  ViewReporter report_;
  PreviewDocument doc_;
  platform::FileStamp stamp_;
  // The stamp of a changed file found incomplete: not looked at again
  // until the file's stamp differs from it.
  std::optional<platform::FileStamp> refused_stamp_;
  std::optional<RulerDrag> ruler_;
  PageStack stack_;
  KeptPages kept_;
  DrawnPages drawn_;
  // The page being drawn ahead, a few rows each idle step so that a key
  // never waits long, and the rows it has so far.
  std::optional<std::pair<std::int32_t, PageImage>> ahead_;
  std::int32_t ahead_rows_ = 0;
  void ForgetDrawnPages() {
    drawn_.Clear();
    ahead_.reset();
  }
  // The pages' text, the last find and the selection.
  PageTexts texts_;
  std::string query_;
  std::optional<TextMatch> match_;
  struct Selection {
    std::int32_t Page = -1;
    TextBox Box;          // page pixels, corners in order
    std::int32_t StartX = 0;
    std::int32_t StartY = 0;
    bool Dragging = false;
  };
  std::optional<Selection> selection_;
  std::set<std::string> agreed_addresses_;
  // The full path of the document shown, as its last place names it.
  std::string place_path_;
  double print_saved_zoom_ = 1.0;
  std::size_t printed_pages_ = 0;
  bool first_paint_done_ = false;
  bool loading_ = false;
  bool updating_scroller_ = false;
  bool painting_ = false;
  bool focusing_ = false;
  bool checking_ = false;
  int wheel_rest_ = 0;
  bool closing_ = false;
};

}  // namespace mox
