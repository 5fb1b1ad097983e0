#include "previewer/shell/kept_pages.h"

#include <algorithm>

#include "previewer/dvi/page_scanner.h"
#include "previewer/dvi/scan_document.h"

namespace mox {
namespace {

// An empty buffer with the room the pre-scan gave the document's: the
// scanner fills a buffer of that shape.
PageBuffer ShapedLike(const PageBuffer& model) {
  PageBuffer buffer;
  buffer.Items.reserve(model.Capacity);
  buffer.Capacity = model.Capacity;
  buffer.ImageNames.assign(model.ImageNames.size(), '\0');
  buffer.Stack.resize(model.Stack.size());
  return buffer;
}

}  // namespace

int KeptPages::Bring(ScanDocument& doc, std::int32_t page) {
  if (held_ == page) return 0;
  const auto found = std::find_if(kept_.begin(), kept_.end(),
                                  [page](const auto& entry) { return entry.first == page; });
  PageBuffer given_up;
  if (found != kept_.end()) {
    given_up = std::exchange(doc.Page, std::move(found->second));
    kept_.erase(found);
  } else {
    given_up = std::exchange(doc.Page, ShapedLike(doc.Page));
    if (ScanPage(doc, page) != 0) {
      held_ = -1;
      kept_.clear();
      return 1;
    }
  }
  if (held_ >= 0) Keep(held_, std::move(given_up));
  held_ = page;
  return 0;
}

void KeptPages::Keep(std::int32_t page, PageBuffer&& buffer) {
  kept_.emplace_front(page, std::move(buffer));
  if (kept_.size() > kMostKeptPages) kept_.pop_back();
}

bool KeptPages::Has(std::int32_t page) const {
  return held_ == page || std::any_of(kept_.begin(), kept_.end(),
                                      [page](const auto& entry) { return entry.first == page; });
}

void KeptPages::Clear() {
  kept_.clear();
  held_ = -1;
}

}  // namespace mox
