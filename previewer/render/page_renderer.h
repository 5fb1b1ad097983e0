// The page renderer: draws the page buffer of the current page into a device
// for an update rectangle, band by band, at the zoom of the view: glyphs
// resampled (and cached in their records), rules, BMF images and em: lines,
// in black and white or in grey levels, with a dotted frame round the page.
#pragma once

#include <cstdint>

#include "previewer/base/document.h"
#include "previewer/render/render_device.h"

namespace mox {

struct PreviewDocument;

// A rectangle of zoomed page pixels (the page's top-left margin corner is
// 0, 0); right and bottom are exclusive.
struct PixelRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

struct RenderView {
  double Zoom = 1.0;        // device pixels per font pixel
  int MarginX = 0;          // page margins at this zoom
  int MarginY = 0;
  bool LeaveOutFrame = false;
};

// Zoom at and above which pages are drawn in black and white.
inline constexpr double kGreyBelowZoom = 0.91;

// Draws the update rectangle; bands go to the device at the rectangle's
// position divided by device_scale (1 on screen). False, after the message
// "Error: drawing rectangle too wide!", when a band cannot hold one row of
// the rectangle (nothing is drawn then); also false while a drawing is
// under way (a nested call draws nothing).
bool DrawPage(PreviewDocument& doc, RenderDevice& device, const PixelRect& update,
              double device_scale, const RenderView& view);

// The page picture at a zoom: the page of the postamble's size (truncated to
// whole pixels) with a margin on each side; the frame runs along its last
// row and column. Saturated at the 32-bit limits for absurd sizes in a file.
struct PageExtent {
  std::int32_t Width;
  std::int32_t Height;
};
PageExtent PageExtentAt(const DviDocument& document, double zoom, int margin_x, int margin_y);

// Bits a pixel the page is drawn with at a zoom on a device.
int BitsPerPixelFor(double zoom, int device_colour_count);

// Frees every cached zoom image (the zoom has changed, or the document goes).
void DiscardZoomImages(PreviewDocument& doc);

}  // namespace mox
