#include "previewer/shell/page_view.h"

#include <algorithm>

#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "previewer/dvi/document_operation.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_scanner.h"
#include "previewer/fonts/carry_over.h"
#include "previewer/fonts/load_run.h"
#include "previewer/resources/resource_ids.h"
#include "previewer/shell/busy_flag.h"
#include "previewer/shell/page_navigation.h"
#include "previewer/shell/view_commands.h"
#include "previewer/shell/view_layout.h"
#include "previewer/startup/language.h"
#include "previewer/startup/messages.h"
#include "previewer/startup/options.h"
#include "previewer/startup/page_selection.h"

namespace mox {
namespace {

void ShowInformation(const char* text, const char* caption) {
  platform::Ui().ShowBox(text, caption, platform::kBoxOk | platform::kBoxIconInformation);
}

}  // namespace

double& ZoomFactor() { return CurrentOptions().CurrentZoom; }

int PageView::LoadDocument() {
  if (loading_) return 0;
  BusyFlag busy(loading_);
  StoredPrintPages().reset();
  PaintEnabled = 0;
  host_.ShowBusy(true);
  PageReady = 0;
  bool failed = OpenDviFile(DviFileName) != 0 || PreScan() != 0 || LoadFonts() != 0;
  std::int32_t start = -1;
  if (!failed) {
    host_.ShowBusy(false);
    ParsePageRanges(CurrentOptions().PageSelectionText);
    // A reload stays on its page while that page is still there.
    start = IsSelectablePage(CurrentPage) ? CurrentPage : FirstSelectablePage();
    if (start < 0) {
      ShowInformation(Tr("非法页号", "Invalid page no."), "");
      failed = true;
    }
  }
  if (!failed) {
    FileOpen = 1;
    PageReady = 1;
    const double initial = CurrentOptions().InitialZoom;
    SetZoom(initial);
    UpdateScroller();
    if (initial == 0.0) {
      // The first layout may have added or removed scroll bars.
      SetZoom(0.0);
      UpdateScroller();
    }
    CurrentPage = -1;
    failed = GotoPage(start) != 0;
  }
  if (failed) {
    host_.ShowBusy(false);
    UnloadDocument();
    PageReady = 1;
    UpdateTitle();
    host_.InvalidateView(true);
    return 1;
  }
  host_.SetDocumentBackground(true);
  PaintEnabled = 1;
  host_.InvalidateView(true);
  return 0;
}

void PageView::UnloadDocument() {
  FileOpen = 0;
  StoredPrintPages().reset();
  CloseDviFile();
  DviFileName.clear();
  CurrentPage = -1;
  UpdateScroller();
  host_.SetDocumentBackground(false);
  host_.InvalidateView(true);
  UpdateTitle();
}

int PageView::GotoPage(std::int32_t page) {
  if (!IsDocumentOpen() || !IsSelectablePage(page) || page == CurrentPage) return 0;
  PaintEnabled = 0;
  CurrentPage = page;
  PageReady = 0;
  if (ScanPage(page) != 0) {
    UnloadDocument();
    PageReady = 1;
    return 1;
  }
  PageReady = 1;
  // TeX may rewrite the file while the page is shown: hold no handle on it.
  Document().Reader.Close();
  stamp_ = platform::RecordFileStamp(DviFileName);
  UpdateTitle();
  host_.ViewScroller().ScrollTo(0, 0);
  PaintEnabled = 1;
  host_.InvalidateView(true);
  return 0;
}

void PageView::SetZoom(double zoom) {
  if (!IsDocumentOpen()) return;
  if (zoom == 0.0) {
    host_.MeasureClient(ClientWidth, ClientHeight);
    zoom = FitZoom(DocumentGeometry(), ClientWidth, ClientHeight);
  }
  zoom = ClampZoom(zoom);
  if (zoom == ZoomFactor()) return;
  DiscardZoomImages();
  ZoomFactor() = zoom;
  UpdateScroller();
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
    const ScrollLayout layout =
        LayOutPage(DocumentGeometry(), ZoomFactor(), ClientWidth, ClientHeight);
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

void PageView::UpdateTitle() { ShowStatus(PageTitle(IsDocumentOpen() ? DviFileName : "", CurrentPage)); }

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
    }
    return;
  }
  if (PaintEnabled == 0 || CurrentPage < 0 || !IsDocumentOpen()) return;
  // The page would cover the cross, and erasing it later would damage the
  // page: the drag ends first.
  EndRulerDrag();
  host_.ShowBusy(true);
  DrawPage(device, damaged, 1.0, {ZoomFactor(), OffsetX, OffsetY, false});
  host_.ShowBusy(false);
}

void PageView::FocusGained() {
  if (PrintMode != 0 || focusing_) return;
  BusyFlag busy(focusing_);
  IgnoreNextClick = 1;
  host_.RealizePalette();
  ReloadIfChanged();
}

void PageView::WaitForExclusiveAccess() {
  // TeX may still be writing: wait (with the user) until nobody holds the
  // file. A file that disappears meanwhile ends the wait; the reload then
  // reports it.
  while (platform::Files().Exists(DviFileName) && !platform::CanOpenExclusively(DviFileName)) {
    ShowInformation(
        Tr("其它程序正在读写该DVI文件, 请等待直到DVI文件\n"
           "不再被其它程序使用, 然后单击OK继续",
           "The DVI file is in use by another application.\n"
           "Please wait for the application which uses the DVI file\n"
           "to terminate, and then click OK to continue"),
        "Information");
  }
}

void PageView::ReloadIfChanged() {
  if (!IsDocumentOpen() || PageReady == 0 || CurrentPage < 0) return;
  WaitForExclusiveAccess();
  if (platform::FileUnchanged(DviFileName, stamp_)) return;
  ReloadKeepingPlace(true);
}

void PageView::ReloadKeepingPlace(bool carry_over) {
  platform::TScroller& scroller = host_.ViewScroller();
  const long x = scroller.XPos;
  const long y = scroller.YPos;
  if (carry_over) SaveCarryOver();
  LoadDocument();
  if (carry_over) DiscardCarryOver();
  scroller.ScrollTo(std::min(x, scroller.XRange), std::min(y, scroller.YRange));
  stamp_ = platform::RecordFileStamp(DviFileName);
}

bool PageView::ViewCommand(int english_id) {
  if (english_id == CM_CLOSE) {
    if (IsDocumentOpen()) UnloadDocument();
    return true;
  }
  if (std::optional<double> zoom = ZoomForCommand(english_id, ZoomFactor())) {
    if (IsDocumentOpen()) SetZoom(*zoom);
    return true;
  }
  if (english_id == CM_PREVPAGE || english_id == CM_NEXTPAGE) {
    if (!IsDocumentOpen()) return true;
    const std::int32_t page = english_id == CM_PREVPAGE ? PreviousSelectablePage(CurrentPage)
                                                        : NextSelectablePage(CurrentPage);
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

void PageView::OpenChosenFile(const std::string& path) {
  DviFileName = path;
  CurrentPage = -1;
  Options& options = CurrentOptions();
  options.PageSelectionText.clear();
  options.ParityFilter = 0;
  options.SequenceMode = 0;
  LoadDocument();
  UpdateTitle();
}

void PageView::ApplyZoomText(const std::string& text) {
  const ZoomEntry entry = ReadZoomEntry(text);
  if (!entry.Error.empty()) {
    ShowError(entry.Error);
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
