// The page view's source links: from a place on the page to the line of the
// source it came from (inverse search), and from a line of a source to its
// place on a page (forward search), through the source specials TeX writes
// with -src-specials.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "platform/text_format.h"
#include "previewer/base/nearest_int.h"
#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/source_specials.h"
#include "previewer/shell/page_navigation.h"
#include "previewer/shell/page_view.h"
#include "previewer/startup/options.h"
#include "previewer/shell/shell_texts.h"
#include "previewer/startup/startup_texts.h"

namespace mox {
namespace {

// Points in device pixels at the font resolution.
std::int32_t PointsToPixels(const Options& options, double points) {
  return static_cast<std::int32_t>(std::lround(options.ResolutionY * points / 72.27));
}

// How far above the baseline a source special sits on a click still counts
// as that line: the upper part of a 10 pt line, less than the gap down from
// the line above it.
constexpr double kClickSlackPoints = 6.0;
// The mark's height: a line of 10 pt text.
constexpr double kMarkPoints = 10.0;

void SayNoSpecials(Reporter& report) { report.Status(report.Say(kNoSourceSpecials)); }

}  // namespace

void PageView::InverseSearch(std::int32_t client_x, std::int32_t client_y) {
  if (!IsDocumentOpen() || CurrentPage < 0 || PageReady == 0) return;
  EndRulerDrag();
  // The page clicked becomes the current one in the continuous view.
  const PagePoint point = PageAtClientRow(client_y);
  if (point.Page < 0 || !IsDocumentOpen()) return;
  const platform::TScroller& scroller = host_.ViewScroller();
  const double zoom = Zoom();
  const double view_x = static_cast<double>(scroller.XPos) * UnitX + client_x - OffsetX;
  const double view_y = point.Y - OffsetY;
  const std::int32_t x = static_cast<std::int32_t>(std::lround(view_x / zoom));
  const std::int32_t y = static_cast<std::int32_t>(std::lround(view_y / zoom));
  const std::optional<std::uint32_t> mark =
      SourceMarkAtPoint(doc_.Page, x, y, PointsToPixels(Settings(), kClickSlackPoints));
  const DviDocument& document = doc_.Dvi;
  if (!mark || *mark >= document.SourceMarks.size() ||
      document.SourceFiles[document.SourceMarks[*mark].File].empty()) {
    SayNoSpecials(report_);
    return;
  }
  const SourceMark& found = document.SourceMarks[*mark];
  host_.ShowSourceLine(EditorFileFor(document.SourceFiles[found.File], FolderOf(DviFileName)),
                       found.Line);
}

bool PageView::ForwardSearch(const std::string& file, std::int32_t line,
                             const std::string& dvi_file) {
  if (!dvi_file.empty() && (!IsDocumentOpen() || !SameFileName(dvi_file, DviFileName))) {
    OpenChosenFile(dvi_file);
  }
  if (!IsDocumentOpen() || CurrentPage < 0) return false;
  const std::optional<std::uint32_t> mark =
      SourceMarkForLine(doc_.Dvi, FolderOf(DviFileName), file, line,
                        static_cast<std::uint32_t>(CurrentPage));
  if (!mark) {
    if (doc_.Dvi.SourceMarks.empty()) {
      SayNoSpecials(report_);
    } else {
      report_.Status(Format(Say(kNotAmongSources),
                        file.c_str()));
    }
    return false;
  }
  const std::int32_t page = static_cast<std::int32_t>(doc_.Dvi.SourceMarks[*mark].Page);
  if (page != CurrentPage && (GotoPage(page) != 0 || CurrentPage != page)) return false;
  const PageItem* item = SourceItemOf(doc_.Page, *mark);
  if (item == nullptr) return false;

  // The place a third down the window; sideways only when it is not in view.
  const double zoom = Zoom();
  const std::int32_t height = std::max<std::int32_t>(
      static_cast<std::int32_t>(std::lround(PointsToPixels(Settings(), kMarkPoints) * zoom)), 4);
  const long view_x = std::lround(item->X * zoom) + OffsetX;
  const long view_y = std::lround(item->Y * zoom) + OffsetY + static_cast<long>(PageTop(page));
  platform::TScroller& scroller = host_.ViewScroller();
  const long unit_x = std::max(1, UnitX);
  const long unit_y = std::max(1, UnitY);
  long x = scroller.XPos;
  const long left = scroller.XPos * unit_x;
  if (view_x < left || view_x >= left + static_cast<long>(ClientWidth)) {
    x = std::max(0L, (view_x - static_cast<long>(ClientWidth) / 4) / unit_x);
  }
  const long y = std::max(0L, (view_y - static_cast<long>(ClientHeight) / 3) / unit_y);
  scroller.ScrollTo(std::min(x, scroller.XRange), std::min(y, scroller.YRange));
  // The whole view is drawn again: a scroll moves what the window shows,
  // and when the search comes with the first paint (the start's "-S") the
  // window holds no page yet to move, only a blank band.
  host_.InvalidateView(false);
  UpdateTitle();
  host_.MarkPlace(static_cast<std::int32_t>(view_x - scroller.XPos * unit_x),
                  static_cast<std::int32_t>(view_y - scroller.YPos * unit_y), height);
  return true;
}

}  // namespace mox
