// Pages as PNG files. Without the frame the bands go straight into the file
// as they are drawn (a palette PNG of the band's 1 or 4 bits a pixel, no
// copy of the page in memory); with the frame, which is drawn over the
// finished page, the page is drawn into memory first and written in RGB.
#pragma once

#include <string>

#include "tools/moxrender/page_pictures.h"

namespace mox {

// Whether this build can write PNG files (the Windows console build cannot).
bool CanWritePng();

// Draws the current page and writes it; false with a message on stderr.
bool WritePagePng(const std::string& path, const PictureGeometry& geometry, double zoom,
                  bool leave_out_frame);

}  // namespace mox
