// Drawing pages the way the previewer's window does, into images in memory,
// and writing them as PNG files.
#pragma once

#include <string>

#include "previewer/render/memory_device.h"

namespace mox {

struct PictureSettings {
  double Zoom = 1.0;
  bool LeaveOutFrame = false;
};

// The current page (already scanned) at the zoom, with the margins of the
// options, on a page as large as the postamble's widest and tallest page.
MemoryDevice DrawPicture(const PictureSettings& settings);

// The file name of page `page` (1-based): "%d" in the pattern becomes the
// number; a pattern without it gets "-<number>" before its extension when
// more than one page is written.
std::string PictureFileName(const std::string& pattern, int page, bool several);

}  // namespace mox
