#include "previewer/shell/drawn_pages.h"

#include <algorithm>
#include <cstdlib>

namespace mox {

bool DrawnPages::Use(double zoom, double gamma, int colour_count) {
  if (zoom == zoom_ && gamma == gamma_ && colour_count == colour_count_) return false;
  Clear();
  zoom_ = zoom;
  gamma_ = gamma;
  colour_count_ = colour_count;
  return true;
}

const PageImage* DrawnPages::Find(std::int32_t page) const {
  for (const auto& [kept, image] : images_) {
    if (kept == page) return &image;
  }
  return nullptr;
}

void DrawnPages::Keep(std::int32_t page, PageImage&& image, std::int32_t near) {
  if (image.Bytes() > kDrawnPagesBytes / 4) {
    Refuse(page);
    return;
  }
  std::erase_if(images_, [&](const auto& entry) {
    if (entry.first != page) return false;
    bytes_ -= entry.second.Bytes();
    return true;
  });
  bytes_ += image.Bytes();
  images_.emplace_back(page, std::move(image));
  while (bytes_ > kDrawnPagesBytes) {
    const auto farthest = std::max_element(images_.begin(), images_.end(), [near](const auto& a, const auto& b) {
      return std::abs(a.first - near) < std::abs(b.first - near);
    });
    bytes_ -= farthest->second.Bytes();
    images_.erase(farthest);
  }
}

void DrawnPages::Clear() {
  images_.clear();
  refused_.clear();
  bytes_ = 0;
  zoom_ = -1.0;
}

}  // namespace mox
