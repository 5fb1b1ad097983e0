// Drawing pages the way the previewer's window does: the page of the
// postamble's size with the margins of the options, at a zoom.
#pragma once

#include <string>

#include "previewer/render/render_device.h"

#include "previewer/render/preview_document.h"

namespace mox {

struct PictureGeometry {
  int Width;
  int Height;
  int MarginX;
  int MarginY;
};

// The largest picture: PNG readers refuse sides above a million pixels by
// default, and 2^32 pixels hold a sheet of A0 at 1200 dpi; only a mistake
// in a document (or a zoom and resolution no one prints at) goes beyond.
inline constexpr int kMaxPictureSide = 1000000;
inline constexpr long long kMaxPicturePixels = 1LL << 32;

// The picture of the open document's pages at a zoom (each side at least 1,
// saturated for absurd sizes in the file).
PictureGeometry PictureGeometryAt(const PreviewDocument& doc, double zoom);

// Whether a picture can be drawn: each side at most kMaxPictureSide, the
// whole at most kMaxPicturePixels.
bool PictureFits(const PictureGeometry& geometry);

// Draws the current page (already scanned) into the device, whole; false
// when the renderer refused it (after its message).
bool DrawPicture(PreviewDocument& doc, RenderDevice& device, const PictureGeometry& geometry,
                 double zoom, bool leave_out_frame);

// The file name of page `page` (1-based): "%d" in the pattern becomes the
// number; a pattern without it gets "-<number>" before its extension when
// more than one page is written.
std::string PictureFileName(const std::string& pattern, int page, bool several);

}  // namespace mox
