// The pages drawn ahead: page images (page_image.h) of the pages near the
// one shown, at the view's zoom, gamma and colour count, within a bound of
// memory; the farthest from the page shown go first when it is reached.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <set>
#include <utility>

#include "previewer/render/page_image.h"

namespace mox {

// The page images together hold at most this much: at 1:1 and 600 dpi a
// black-and-white A4 page takes 4.4 MB, so about twenty pages.
inline constexpr std::size_t kDrawnPagesBytes = 96u << 20;

class DrawnPages {
 public:
  // The images are for this zoom, gamma and colour count: any other drops
  // them all.
  // True when that dropped them.
  bool Use(double zoom, double gamma, int colour_count);
  const PageImage* Find(std::int32_t page) const;
  // Keeps the image of a page; `near` (a position in page order) says
  // which pages to give up first: the farthest from it. An image larger
  // than a quarter of the bound (a colour page at 1:1) is not kept, and
  // the page is not drawn ahead again at these settings.
  void Keep(std::int32_t page, PageImage&& image, std::int32_t near);
  // A page that cannot be drawn ahead at these settings.
  void Refuse(std::int32_t page) { refused_.insert(page); }
  bool Refused(std::int32_t page) const { return refused_.count(page) != 0; }
  void Clear();
  std::size_t Bytes() const { return bytes_; }

 private:
  double zoom_ = -1.0;
  double gamma_ = -1.0;
  int colour_count_ = 0;
  std::list<std::pair<std::int32_t, PageImage>> images_;
  std::size_t bytes_ = 0;
  std::set<std::int32_t> refused_;
};

}  // namespace mox
