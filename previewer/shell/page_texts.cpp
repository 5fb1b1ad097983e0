#include "previewer/shell/page_texts.h"

#include <algorithm>
#include <cstdlib>

#include "previewer/dvi/scan_document.h"

namespace mox {

const PageText* PageTexts::Of(ScanDocument& doc, std::int32_t page) {
  if (const auto kept = pages_.find(page); kept != pages_.end()) return &kept->second;
  if (unreadable_.count(page) != 0) return nullptr;
  std::optional<PageText> text = ReadPageText(doc, page);
  // The window holds no handle on a file TeX may be rewriting.
  doc.Dvi.Reader.Close();
  if (!text) {
    unreadable_[page] = true;
    return nullptr;
  }
  if (pages_.size() >= kKeptPages) {
    // The page farthest from this one goes.
    const auto farther = [page](const auto& a, const auto& b) {
      return std::abs(a.first - page) < std::abs(b.first - page);
    };
    pages_.erase(std::max_element(pages_.begin(), pages_.end(), farther));
  }
  return &pages_.emplace(page, std::move(*text)).first->second;
}

const DocumentTargets& PageTexts::Targets(ScanDocument& doc) {
  if (!targets_) {
    targets_ = ReadDocumentTargets(doc);
    doc.Dvi.Reader.Close();
  }
  return *targets_;
}

void PageTexts::Clear() {
  pages_.clear();
  unreadable_.clear();
  targets_.reset();
}

}  // namespace mox
