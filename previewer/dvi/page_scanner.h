// The page scanner: the pre-scan that measures every selected page of a new
// document, marks the characters it uses and records the ziti in force at
// each page's start; and the scan that turns one page into the page buffer.
#pragma once

#include <cstddef>
#include <vector>

#include "previewer/dvi/source_specials.h"

namespace mox {

// What a page needs of the page buffer and the image-name area.
struct PageMeasure {
  std::size_t Items;      // including the ItemEnd
  std::size_t ImageNeed;  // bytes of image names
  std::vector<SourceSpecial> Sources;  // the source specials, in order
};

// 0 on success; 1 on failure, after which the document is closed.
int PreScan(int pages_per_group = 1);
// Reads one page from its bop (the reader stands there) to its eop, marking
// the characters it uses. When measure is false only the ziti changes are
// followed.
PageMeasure MeasurePage(bool measure);
// Fills the page buffer from page `page` of the page index. 0 on success;
// 1 on failure, after which the document is closed.
int ScanPage(int page);

}  // namespace mox
