// The page scanner: the pre-scan that measures every selected page of a new
// document, marks the characters it uses and records the ziti in force at
// each page's start; and the scan that turns one page into the page buffer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mox {

struct ScanDocument;

// What a page needs of the page buffer and the image-name area.
struct PageMeasure {
  std::size_t Items;      // including the ItemEnd
  std::size_t ImageNeed;  // bytes of image names
};

// 0 on success; 1 on failure, after which the document is closed.
int PreScan(ScanDocument& doc, int pages_per_group = 1);
// Reads one page from its bop (the reader stands there) to its eop, marking
// the characters it uses. When measure is false only the ziti changes are
// followed. With a page index its source specials become the document's
// marks of that page.
PageMeasure MeasurePage(ScanDocument& doc, bool measure, std::int32_t page = -1);
// Fills the page buffer from page `page` of the page index. 0 on success;
// 1 on failure, after which the document is closed.
int ScanPage(ScanDocument& doc, int page);

}  // namespace mox
