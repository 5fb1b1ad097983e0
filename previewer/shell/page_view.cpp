#include "previewer/shell/page_view.h"

#include <algorithm>
#include <cstdlib>

#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/carry_over.h"
#include "previewer/fonts/load_run.h"
#include "previewer/resources/resource_ids.h"
#include "previewer/shell/busy_flag.h"
#include "previewer/shell/last_places.h"
#include "previewer/shell/page_navigation.h"
#include "previewer/render/offset_device.h"
#include "previewer/shell/view_commands.h"
#include "previewer/shell/view_layout.h"
#include "previewer/startup/options.h"
#include "previewer/startup/page_selection.h"
#include "previewer/shell/shell_texts.h"
#include "previewer/startup/startup_texts.h"

namespace mox {
namespace {

void ShowInformation(const char* text, const char* caption) {
  platform::Ui().ShowBox(text, caption, platform::kBoxOk | platform::kBoxIconInformation);
}

}  // namespace

int PageView::LoadDocument(std::optional<double> kept_zoom) {
  if (loading_) return 0;
  BusyFlag busy(loading_);
  StoredPrintPages.reset();
  PaintEnabled = 0;
  report_.Busy(true);
  PageReady = 0;
  // Kept and drawn pages belong to the file as it was.
  kept_.Clear();
  ForgetDrawnPages();
  ForgetText();
  bool failed = OpenDviFile(doc_, DviFileName) != 0 || PreScan(doc_) != 0 || LoadFonts(doc_) != 0;
  std::int32_t start = -1;
  // A document opened anew (no page shown yet, no zoom kept) starts where
  // it was left the last time.
  StartPlace place;
  if (!failed) {
    report_.Busy(false);
    doc_.SelectPages(Settings().PageSelectionText);
    if (!kept_zoom && CurrentPage < 0) {
      place = PlaceToStartAt();
      if (IsSelectablePage(doc_, place.Page)) CurrentPage = place.Page;
      kept_zoom = place.Zoom;
    }
    // A reload stays on its page while that page is still there.
    start = IsSelectablePage(doc_, CurrentPage) ? CurrentPage : FirstSelectablePage(doc_);
    if (start < 0) {
      ShowInformation(Say(kInvalidPageNumber), "");
      failed = true;
    }
  }
  if (!failed) {
    FileOpen = 1;
    PageReady = 1;
    const double initial = kept_zoom.value_or(Settings().InitialZoom);
    SetZoom(initial);
    UpdateScroller();
    CurrentPage = -1;
    failed = GotoPage(start) != 0;
  }
  if (failed) {
    report_.Busy(false);
    UnloadDocument();
    PageReady = 1;
    UpdateTitle();
    host_.InvalidateView(true);
    return 1;
  }
  place_path_ = FullDocumentPath(DviFileName);
  if (place.X > 0 || place.Y > 0) {
    platform::TScroller& scroller = host_.ViewScroller();
    const long down = place.Y + static_cast<long>(PageTop(CurrentPage));
    scroller.ScrollTo(std::min(place.X / std::max(1, UnitX), scroller.XRange),
                      std::min(down / std::max(1, UnitY), scroller.YRange));
  }
  host_.SetDocumentBackground(true);
  PaintEnabled = 1;
  host_.InvalidateView(true);
  return 0;
}

void PageView::UnloadDocument() {
  RememberShownPlace();
  FileOpen = 0;
  StoredPrintPages.reset();
  kept_.Clear();
  ForgetDrawnPages();
  ForgetText();
  stack_ = PageStack{};
  CloseDviFile(doc_);
  DviFileName.clear();
  CurrentPage = -1;
  UpdateScroller();
  host_.SetDocumentBackground(false);
  host_.InvalidateView(true);
  UpdateTitle();
}

int PageView::GotoPage(std::int32_t page) {
  if (!IsDocumentOpen() || !IsSelectablePage(doc_, page)) return 0;
  if (page == CurrentPage) {
    // The continuous view turns to the page's top even when the caption
    // already names it (most of it in view).
    if (ContinuousView()) ScrollToPage(page);
    return 0;
  }
  // The page index is that of the file as it was: a rewritten file is
  // loaded again first, an incomplete one not scanned at all.
  if (!loading_ && !FileReadyForScan()) return 0;
  if (!IsDocumentOpen() || !IsSelectablePage(doc_, page) || page == CurrentPage) return 0;
  PaintEnabled = 0;
  CurrentPage = page;
  PageReady = 0;
  // The continuous view keeps the pages it scanned; the single view scans
  // each page it turns to, as it always has.
  const bool continuous = ContinuousView();
  if (!continuous) kept_.Clear();
  if (continuous ? kept_.Bring(doc_, page) != 0 : ScanPage(doc_, page) != 0) {
    UnloadDocument();
    PageReady = 1;
    return 1;
  }
  if (!continuous) kept_.SetHeld(page);
  PageReady = 1;
  // TeX may rewrite the file while the page is shown: hold no handle on it.
  doc_.Dvi.Reader.Close();
  stamp_ = platform::RecordFileStamp(DviFileName);
  UpdateTitle();
  if (continuous) {
    ScrollToPage(page);
  } else {
    host_.ViewScroller().ScrollTo(0, 0);
  }
  PaintEnabled = 1;
  host_.InvalidateView(true);
  return 0;
}

void PageView::SetZoom(double zoom) {
  if (!IsDocumentOpen()) return;
  if (zoom > 0.0) {
    ApplyZoom(zoom);
    return;
  }
  // Fitting (0 in one direction, kFitWholePage the whole page): a scroll
  // bar that the new zoom shows or hides changes the client area the fit
  // was measured on, so fit again until it holds.
  const bool whole_page = zoom == kFitWholePage;
  for (int round = 0; round < 4; ++round) {
    host_.MeasureClient(ClientWidth, ClientHeight);
    const std::uint32_t width = ClientWidth;
    const std::uint32_t height = ClientHeight;
    const PageGeometry geometry = DocumentGeometry(doc_);
    ApplyZoom(whole_page ? FitWholePageZoom(geometry, width, height)
                         : FitZoom(geometry, width, height));
    host_.MeasureClient(ClientWidth, ClientHeight);
    if (ClientWidth == width && ClientHeight == height) break;
  }
}

void PageView::ApplyZoom(double zoom) {
  zoom = ClampZoom(zoom);
  if (zoom == Zoom()) return;
  // The continuous view keeps the page most in view at the window's top,
  // as far down it as it was.
  const std::int32_t page = ContinuousView() && IsDocumentOpen() ? PageMostInView() : -1;
  double within = 0.0;
  if (page >= 0 && stack_.PageHeight > 0) {
    const double row = static_cast<double>(host_.ViewScroller().YPos) * UnitY;
    within = (row - static_cast<double>(PageTop(page))) / static_cast<double>(stack_.PageHeight);
  }
  DiscardZoomImages(doc_);
  ForgetDrawnPages();
  Zoom() = zoom;
  UpdateScroller();
  if (page >= 0) {
    platform::TScroller& scroller = host_.ViewScroller();
    const double row = static_cast<double>(PageTop(page)) + within * stack_.PageHeight;
    scroller.ScrollTo(scroller.XPos,
                      std::min(static_cast<long>(std::max(row, 0.0)) / std::max(1, UnitY),
                               scroller.YRange));
  }
  host_.InvalidateView(true);
}

void PageView::UpdateScroller() {
  if (updating_scroller_) return;
  BusyFlag busy(updating_scroller_);
  const std::int32_t paint_enabled = PaintEnabled;
  PaintEnabled = 0;
  // Showing or hiding a scroll bar changes the client area; lay out again
  // for the new size so that the whole page stays within reach.
  for (int round = 0; round < 3; ++round) {
    LayOutScroller();
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    host_.MeasureClient(width, height);
    if (width == ClientWidth && height == ClientHeight) break;
  }
  if (!host_.HasPendingPaint()) host_.InvalidateView(false);
  PaintEnabled = paint_enabled;
}

void PageView::LayOutScroller() {
  host_.MeasureClient(ClientWidth, ClientHeight);
  platform::TScroller& scroller = host_.ViewScroller();
  if (IsDocumentOpen()) {
    const PageGeometry geometry = DocumentGeometry(doc_);
    ScrollLayout layout;
    if (ContinuousView()) {
      stack_ = StackPages(doc_, PageHeightAt(geometry, Zoom()));
      layout = LayOutStack(geometry, Zoom(), ClientWidth, ClientHeight, stack_);
    } else {
      layout = LayOutPage(geometry, Zoom(), ClientWidth, ClientHeight);
    }
    OffsetX = layout.OffsetX;
    OffsetY = layout.OffsetY;
    UnitX = layout.UnitX;
    UnitY = layout.UnitY;
    scroller.SetRange(layout.RangeX, layout.RangeY);
    scroller.SetUnits(UnitX, UnitY);
  } else {
    OffsetX = OffsetY = 0;
    scroller.SetRange(0, 0);
    scroller.SetUnits(1, 1);
    scroller.ScrollTo(0, 0);
  }
}

void PageView::UpdateTitle() {
  report_.Status(PageTitle(doc_, IsDocumentOpen() ? DviFileName : "", CurrentPage));
}

void PageView::PaintView(RenderDevice& device, const PixelRect& damaged) {
  if (PrintMode != 0 || painting_) return;
  BusyFlag busy(painting_);
  if (!first_paint_done_) {
    // The frame is shown and sized by now, so fitting can measure it.
    first_paint_done_ = true;
    UpdateScroller();
    if (!DviFileName.empty()) {
      LoadDocument();
      UpdateTitle();
      Options& options = Settings();
      if (options.SourceLine > 0 && IsDocumentOpen()) {
        ForwardSearch(options.SourceFile, options.SourceLine);
      }
      options.SourceLine = 0;
    }
    return;
  }
  if (PaintEnabled == 0 || CurrentPage < 0 || !IsDocumentOpen()) return;
  // The page would cover the cross, and erasing it later would damage the
  // page: the drag ends first.
  EndRulerDrag();
  report_.Busy(true);
  if (drawn_.Use(Zoom(), Settings().Gamma, device.ColourCount())) ahead_.reset();
  if (ContinuousView()) {
    PaintStack(device, damaged);
  } else if (const PageImage* image = drawn_.Find(CurrentPage)) {
    image->Replay(device, damaged);
  } else {
    DrawPage(doc_, device, damaged, 1.0, {Zoom(), OffsetX, OffsetY, false});
  }
  report_.Busy(false);
}

bool PageView::ViewCommand(int english_id) {
  if (english_id == CM_CLOSE) {
    if (IsDocumentOpen()) UnloadDocument();
    return true;
  }
  if (english_id == CM_CONTINUOUS) {
    SetContinuousView(!Settings().ContinuousPages);
    return true;
  }
  if (english_id == CM_ZOOMFITPAGE) {
    if (IsDocumentOpen()) SetZoom(kFitWholePage);
    return true;
  }
  if (std::optional<double> zoom = ZoomForCommand(english_id, Zoom())) {
    if (IsDocumentOpen()) SetZoom(*zoom);
    return true;
  }
  if (english_id == CM_PREVPAGE || english_id == CM_NEXTPAGE) {
    if (!IsDocumentOpen()) return true;
    // The continuous view turns from the page in view, which the caption
    // names once the window has painted.
    const std::int32_t from = ContinuousView() ? PageMostInView() : CurrentPage;
    const std::int32_t page = english_id == CM_PREVPAGE ? PreviousSelectablePage(doc_, from)
                                                        : NextSelectablePage(doc_, from);
    if (page >= 0) GotoPage(page);
    return true;
  }
  platform::TScroller& scroller = host_.ViewScroller();
  const ViewportState view{scroller.XPos, scroller.YPos, ClientWidth, ClientHeight, UnitX, UnitY};
  if (std::optional<ScrollTarget> target = ViewportTarget(english_id, view)) {
    EndRulerDrag();
    if (IsDocumentOpen()) scroller.ScrollTo(target->X, target->Y);
    return true;
  }
  return false;
}

void PageView::WheelTurned(int delta, bool sideways, bool zoom) {
  if (!IsDocumentOpen()) return;
  // Fine-grained wheels send parts of a notch: they add up to whole ones.
  wheel_rest_ += delta;
  const int notches = wheel_rest_ / kWheelNotch;
  wheel_rest_ -= notches * kWheelNotch;
  if (notches == 0) return;
  EndRulerDrag();
  if (zoom) {
    for (int i = 0; i < std::abs(notches); ++i) ViewCommand(notches > 0 ? CM_ZOOMIN : CM_ZOOMOUT);
    return;
  }
  // Turning the wheel away from the user shows what lies above (or left).
  const long pixels = -static_cast<long>(notches) * kWheelPixels;
  platform::TScroller& scroller = host_.ViewScroller();
  const long unit = std::max(1, sideways ? UnitX : UnitY);
  const long units = pixels / unit != 0 ? pixels / unit : (pixels < 0 ? -1 : 1);
  if (sideways) {
    scroller.ScrollBy(units, 0);
  } else {
    scroller.ScrollBy(0, units);
  }
}

void PageView::ApplyZoomText(const std::string& text) {
  const ZoomEntry entry = ReadZoomEntry(text, Lang());
  if (!entry.Error.empty()) {
    report_.Error(entry.Error);
    return;
  }
  SetZoom(entry.Zoom);
}

bool PageView::CloseView() {
  if (closing_) return false;
  BusyFlag busy(closing_);
  UnloadDocument();
  return true;
}

}  // namespace mox
