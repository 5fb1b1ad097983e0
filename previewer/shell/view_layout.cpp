#include "previewer/shell/view_layout.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "previewer/dvi/dvi_document.h"
#include "previewer/dvi/page_frame.h"
#include "previewer/startup/dimension.h"
#include "previewer/startup/options.h"

namespace mox {
namespace {

// Pixels the fitted page leaves round itself.
constexpr double kFitSlack = 20.0;

std::int32_t Unit(std::int32_t total, std::uint32_t client) {
  std::int32_t unit = total / 50;
  const auto half = static_cast<std::int32_t>(client / 2);
  if (half < unit) unit = half;
  return std::max(unit, 10);
}

long UnitsFor(std::int64_t excess, std::int32_t unit) {
  return static_cast<long>((excess + unit - 1) / unit);
}

}  // namespace

PageGeometry DocumentGeometry(const DocumentCore& doc) {
  const DviDocument& document = doc.Dvi;
  PageGeometry page;
  page.Width = document.PageWidth();
  page.Height = document.PageHeight();
  page.ConversionX = document.ConversionX;
  page.ConversionY = document.ConversionY;
  const PageMargins margins = PageMarginsOf(doc);
  page.MarginX = margins.X;
  page.MarginY = margins.Y;
  return page;
}

double ClampZoom(double zoom) {
  if (zoom > kLargestZoom) return kLargestZoom;
  if (!(zoom >= kSmallestZoom)) return kSmallestZoom;
  return zoom;
}

namespace {

// The client's size over the page's with its margins and slack, across and down.
std::pair<double, double> FitRatios(const PageGeometry& page, std::uint32_t client_width,
                                    std::uint32_t client_height) {
  const double width = 2.0 * page.MarginX + page.Width * page.ConversionX + kFitSlack;
  const double height = 2.0 * page.MarginY + page.Height * page.ConversionY + kFitSlack;
  return {width == 0.0 ? 1.0 : client_width / width, height == 0.0 ? 1.0 : client_height / height};
}

}  // namespace

double FitZoom(const PageGeometry& page, std::uint32_t client_width,
               std::uint32_t client_height) {
  const auto [rx, ry] = FitRatios(page, client_width, client_height);
  return ClampZoom(std::max(rx, ry));
}

double FitWholePageZoom(const PageGeometry& page, std::uint32_t client_width,
                        std::uint32_t client_height) {
  const auto [rx, ry] = FitRatios(page, client_width, client_height);
  return ClampZoom(std::min(rx, ry));
}

ScrollLayout LayOutPage(const PageGeometry& page, double zoom, std::uint32_t client_width,
                        std::uint32_t client_height) {
  ScrollLayout layout;
  layout.OffsetX = NearestInt(page.MarginX * zoom);
  layout.OffsetY = NearestInt(page.MarginY * zoom);
  const std::int32_t total_width =
      NearestInt(page.Width * zoom * page.ConversionX + 2.0 * layout.OffsetX);
  const std::int32_t total_height =
      NearestInt(page.Height * zoom * page.ConversionY + 2.0 * layout.OffsetY);
  const std::int64_t excess_width =
      std::max<std::int64_t>(total_width, client_width) - client_width;
  const std::int64_t excess_height =
      std::max<std::int64_t>(total_height, client_height) - client_height;
  layout.UnitX = Unit(total_width, client_width);
  layout.UnitY = Unit(total_height, client_height);
  layout.RangeX = UnitsFor(excess_width, layout.UnitX);
  layout.RangeY = UnitsFor(excess_height, layout.UnitY);
  return layout;
}

}  // namespace mox
