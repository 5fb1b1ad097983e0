// The arithmetic of the page view: where the page sits in the scrolled view,
// how large the scroll units and ranges are, and which zoom fits the page to
// the window. Pure functions of the page geometry and the client size, so
// that the window and the tests compute the same numbers.
#pragma once

#include <cstdint>

#include "previewer/startup/document_core.h"

namespace mox {

// The page in pixels at zoom 1: the largest page of the document and the
// margins of "-B".
struct PageGeometry {
  double Width = 0.0;        // W, DVI units
  double Height = 0.0;       // H, DVI units
  double ConversionX = 0.0;  // cx, pixels per DVI unit at zoom 1
  double ConversionY = 0.0;  // cy
  double MarginX = 0.0;      // ox, pixels at zoom 1
  double MarginY = 0.0;      // oy
};

// The geometry of the open document with the current options' margins.
PageGeometry DocumentGeometry(const DocumentCore& doc);

inline constexpr double kSmallestZoom = 0.05;
inline constexpr double kLargestZoom = 1.0;

// A zoom within [0.05, 1]; NaN becomes 0.05.
double ClampZoom(double zoom);

// The zoom at which the page with its margins and 20 pixels of slack fills
// the client area in one direction (the larger ratio), clamped.
double FitZoom(const PageGeometry& page, std::uint32_t client_width,
               std::uint32_t client_height);

// The zoom at which the whole page with its margins and the same slack
// fits the client area (the smaller ratio), clamped; and the value that
// asks SetZoom for it.
double FitWholePageZoom(const PageGeometry& page, std::uint32_t client_width,
                        std::uint32_t client_height);
inline constexpr double kFitWholePage = -1.0;

struct ScrollLayout {
  std::int32_t OffsetX = 0;  // page margins at the zoom, pixels
  std::int32_t OffsetY = 0;
  std::int32_t UnitX = 1;    // scroll unit, pixels
  std::int32_t UnitY = 1;
  long RangeX = 0;           // scroll range, units
  long RangeY = 0;
};

// The scroller of the view with a document: about fifty units a page, at
// least 10 pixels and at most half the window each, and a range that shows
// what does not fit.
ScrollLayout LayOutPage(const PageGeometry& page, double zoom, std::uint32_t client_width,
                        std::uint32_t client_height);

}  // namespace mox
