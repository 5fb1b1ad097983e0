// Scanned pages kept beside the document's own page buffer, so that the
// continuous view draws the pages in view, and turns back to them, without
// scanning each again. The document's buffer (doc.Page) is the one the
// renderer and the source links read; Bring swaps the wanted page into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <utility>

#include "previewer/dvi/page_buffer.h"

namespace mox {

struct ScanDocument;

// Buffers kept besides the document's: a page's items take a few hundred
// kilobytes at most, so this bounds them to a few megabytes.
inline constexpr std::size_t kMostKeptPages = 12;

class KeptPages {
 public:
  // Makes doc.Page hold the page: a kept buffer swapped in, or the page
  // scanned into a buffer shaped like the document's. The buffer given up
  // is kept (the least recently used one beyond the bound is dropped).
  // 0 done; 1 when the scan failed (the scanner closed the document).
  int Bring(ScanDocument& doc, std::int32_t page);
  // The page doc.Page holds, -1 when not known.
  std::int32_t Held() const { return held_; }
  // doc.Page now holds this page, scanned by someone else.
  void SetHeld(std::int32_t page) { held_ = page; }
  // Every kept buffer dropped (a load, a reload, a print run); doc.Page is
  // then no longer known to hold a page.
  void Clear();
  std::size_t Count() const { return kept_.size(); }
  // Whether the page is at hand without a scan.
  bool Has(std::int32_t page) const;

 private:
  void Keep(std::int32_t page, PageBuffer&& buffer);

  std::int32_t held_ = -1;
  std::list<std::pair<std::int32_t, PageBuffer>> kept_;  // most recent first
};

}  // namespace mox
