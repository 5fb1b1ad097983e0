// The text of the pages a view has looked at, read once a page and kept
// until the document is loaded again: hovering over a page asks for its
// links at every move of the mouse. The anchors of the whole document are
// read on the first internal link followed.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "previewer/text/document_targets.h"
#include "previewer/text/page_text.h"

namespace mox {

struct ScanDocument;

class PageTexts {
 public:
  // The text of a page (an index into the page index), read when it is not
  // kept; null when the page cannot be read.
  const PageText* Of(ScanDocument& doc, std::int32_t page);
  bool Has(std::int32_t page) const { return pages_.count(page) != 0; }
  const DocumentTargets& Targets(ScanDocument& doc);
  void Clear();

 private:
  // Pages kept before the oldest ones are given up: the pages around the
  // view, and a find's last pages.
  static constexpr std::size_t kKeptPages = 24;
  std::map<std::int32_t, PageText> pages_;
  // Pages that could not be read, not tried again.
  std::map<std::int32_t, bool> unreadable_;
  std::optional<DocumentTargets> targets_;
};

}  // namespace mox
