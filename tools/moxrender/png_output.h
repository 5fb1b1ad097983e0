// Pages as PNG files: the bands go into the file as they are drawn, a
// palette PNG of the band's pixels (with the frame, the pixels of the frame
// put into them; see framed_rows.h), compressed by RowDeflater, so no page
// is ever held whole.
#pragma once

#include <string>

#include "tools/moxrender/page_pictures.h"

namespace mox {

// Draws the current page and writes it; false with a message on stderr, and
// no file left behind, when it could not be drawn or written whole.
bool WritePagePng(PreviewDocument& doc, const std::string& path, const PictureGeometry& geometry,
                  double zoom, bool leave_out_frame);

}  // namespace mox
