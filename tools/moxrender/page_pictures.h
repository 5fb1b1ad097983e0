// Drawing pages the way the previewer's window does: the page of the
// postamble's size with the margins of the options, at a zoom.
#pragma once

#include <string>

#include "previewer/render/render_device.h"

namespace mox {

struct PictureGeometry {
  int Width;
  int Height;
  int MarginX;
  int MarginY;
};

// The picture of the open document's pages at a zoom.
PictureGeometry PictureGeometryAt(double zoom);

// Draws the current page (already scanned) into the device, whole.
void DrawPicture(RenderDevice& device, const PictureGeometry& geometry, double zoom,
                 bool leave_out_frame);

// The file name of page `page` (1-based): "%d" in the pattern becomes the
// number; a pattern without it gets "-<number>" before its extension when
// more than one page is written.
std::string PictureFileName(const std::string& pattern, int page, bool several);

}  // namespace mox
