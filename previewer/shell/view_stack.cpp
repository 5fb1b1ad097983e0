// The page view's continuous view: the pages of the selection one below
// the other, each drawn as the single view draws its page, at its place in
// the stack; the current page is the one most in view.
#include <algorithm>
#include <optional>

#include "platform/file_stamp.h"
#include "previewer/dvi/scan_document.h"
#include "previewer/render/offset_device.h"
#include "previewer/shell/busy_flag.h"
#include "previewer/shell/page_navigation.h"
#include "previewer/shell/page_view.h"
#include "previewer/render/page_renderer.h"
#include "previewer/startup/options.h"

namespace mox {

std::int64_t PageView::PageTop(std::int32_t page) const {
  if (!ContinuousView()) return 0;
  const std::optional<std::size_t> slot = stack_.SlotOf(page);
  return slot ? stack_.TopOf(*slot) : 0;
}

std::int32_t PageView::PageMostInView() const {
  if (stack_.Pages.empty()) return CurrentPage;
  const platform::TScroller& scroller = host_.ViewScroller();
  const std::int64_t top = static_cast<std::int64_t>(scroller.YPos) * UnitY;
  return stack_.Pages[stack_.MostInView(top, top + ClientHeight)];
}

bool PageView::MakeCurrent(std::int32_t page) {
  if (page == CurrentPage) return true;
  CurrentPage = page;
  if (kept_.Bring(doc_, page) != 0) {
    UnloadDocument();
    PageReady = 1;
    return false;
  }
  doc_.Dvi.Reader.Close();
  UpdateTitle();
  return true;
}

void PageView::ScrollToPage(std::int32_t page) {
  const std::optional<std::size_t> slot = stack_.SlotOf(page);
  if (!slot) return;
  platform::TScroller& scroller = host_.ViewScroller();
  const long y = static_cast<long>(stack_.TopOf(*slot) / std::max(1, UnitY));
  scroller.ScrollTo(scroller.XPos, std::min(y, scroller.YRange));
}

PageView::PagePoint PageView::PageAtClientRow(std::int32_t client_y) {
  const double row = static_cast<double>(host_.ViewScroller().YPos) * UnitY + client_y;
  if (!ContinuousView()) return {CurrentPage, row};
  const auto at = static_cast<std::int64_t>(row);
  const PageStack::Range range = stack_.SlotsMeeting(at, at + 1);
  if (range.First >= range.End) return {};
  const std::int32_t page = stack_.Pages[range.First];
  if (!MakeCurrent(page)) return {};
  return {page, row - static_cast<double>(stack_.TopOf(range.First))};
}

void PageView::PaintStack(RenderDevice& device, const PixelRect& damaged) {
  const PageStack::Range range = stack_.SlotsMeeting(damaged.Top, damaged.Bottom);
  // A rewritten file is loaded again by the timer: until then only the
  // pages at hand are drawn, never a page scanned from the new file with
  // the old index. The file is looked at only when a page needs a scan.
  std::optional<bool> file_unchanged;
  const RenderView view{Zoom(), OffsetX, OffsetY, false};
  for (std::size_t slot = range.First; slot < range.End; ++slot) {
    const std::int32_t page = stack_.Pages[slot];
    const auto top = static_cast<int>(stack_.TopOf(slot));
    const auto height = static_cast<int>(stack_.PageHeight);
    OffsetDevice placed(device, 0, top);
    const PixelRect update{damaged.Left, std::max(damaged.Top - top, 0), damaged.Right,
                           std::min(damaged.Bottom - top, height)};
    if (const PageImage* image = drawn_.Find(page)) {
      image->Replay(placed, update);
      continue;
    }
    if (!kept_.Has(page)) {
      if (!file_unchanged) file_unchanged = platform::FileUnchanged(DviFileName, stamp_);
      if (!*file_unchanged) continue;
    }
    if (kept_.Bring(doc_, page) != 0) {
      UnloadDocument();
      PageReady = 1;
      return;
    }
    DrawPage(doc_, placed, update, 1.0, view);
  }
  doc_.Dvi.Reader.Close();
  // The caption follows the page most in view; its buffer is the
  // document's again for the source links and the ruler.
  const std::int32_t most = PageMostInView();
  if (most != CurrentPage) {
    CurrentPage = most;
    UpdateTitle();
  }
  if (kept_.Bring(doc_, CurrentPage) != 0) {
    UnloadDocument();
    PageReady = 1;
    return;
  }
  doc_.Dvi.Reader.Close();
}

void PageView::SetContinuousView(bool continuous) {
  if (continuous == Settings().ContinuousPages) return;
  EndRulerDrag();
  Settings().ContinuousPages = continuous;
  if (!IsDocumentOpen()) return;
  const std::int32_t page = CurrentPage;
  if (!continuous) stack_ = PageStack{};
  UpdateScroller();
  if (continuous) {
    ScrollToPage(page);
  } else {
    host_.ViewScroller().ScrollTo(0, 0);
  }
  host_.InvalidateView(true);
  UpdateTitle();
}

namespace {

// Rows of a page drawn ahead in one idle step: a few milliseconds at 1:1.
constexpr std::int32_t kRowsAStep = 256;

// The pages worth drawing ahead, nearest first: the page shown, the next
// two and the one before it.
std::vector<std::int32_t> PagesAhead(const ScanDocument& doc, std::int32_t current) {
  std::vector<std::int32_t> pages{current};
  std::int32_t next = current;
  for (int i = 0; i < 2; ++i) {
    next = NextSelectablePage(doc, next);
    if (next >= 0) pages.push_back(next);
  }
  const std::int32_t previous = PreviousSelectablePage(doc, current);
  if (previous >= 0) pages.push_back(previous);
  return pages;
}

}  // namespace

bool PageView::DrawAhead(int colour_count) {
  if (!Settings().DrawAhead || !IsDocumentOpen() || PrintMode != 0 || PaintEnabled == 0 || PageReady == 0 ||
      CurrentPage < 0 || painting_ || loading_ || RulerActive() || !first_paint_done_) {
    return false;
  }
  if (!platform::FileUnchanged(DviFileName, stamp_)) return false;
  if (drawn_.Use(Zoom(), Settings().Gamma, colour_count)) ahead_.reset();
  const PageExtent extent = PageExtentAt(doc_.Dvi, Zoom(), OffsetX, OffsetY);
  for (const std::int32_t page : PagesAhead(doc_, CurrentPage)) {
    if (drawn_.Find(page) != nullptr || drawn_.Refused(page)) continue;
    BusyFlag busy(painting_);
    if (kept_.Bring(doc_, page) != 0) {
      UnloadDocument();
      PageReady = 1;
      return false;
    }
    if (!ahead_ || ahead_->first != page) {
      ahead_.emplace(page, PageImage(colour_count));
      ahead_rows_ = 0;
    }
    const std::int32_t bottom = std::min(extent.Height, ahead_rows_ + kRowsAStep);
    const bool drawn = DrawPage(doc_, ahead_->second, {0, ahead_rows_, extent.Width, bottom}, 1.0,
                                {Zoom(), OffsetX, OffsetY, false});
    if (kept_.Bring(doc_, CurrentPage) != 0) {
      UnloadDocument();
      PageReady = 1;
      return false;
    }
    doc_.Dvi.Reader.Close();
    if (!drawn) {
      drawn_.Refuse(page);
      ahead_.reset();
    } else if ((ahead_rows_ = bottom) >= extent.Height) {
      drawn_.Keep(page, std::move(ahead_->second), CurrentPage);
      ahead_.reset();
    }
    return true;
  }
  return false;
}

}  // namespace mox
