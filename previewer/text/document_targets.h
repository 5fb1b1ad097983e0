// The named anchors of a document, where links inside it lead: read from
// every selected page once a load (the window keeps the map with the
// document and reads it again after a reload).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace mox {

struct ScanDocument;

struct LinkTarget {
  int Page = 0;             // index in the page index
  std::int32_t X = 0;       // page pixels of the anchor's place (page_text.h)
  std::int32_t Y = 0;
};

struct DocumentTargets {
  // The first anchor of each name, in page order.
  std::map<std::string, LinkTarget, std::less<>> Names;
};

// The anchors of the selected pages; a page that cannot be read adds none.
DocumentTargets ReadDocumentTargets(ScanDocument& doc);

// Where a name leads, or nothing for a name no page has.
std::optional<LinkTarget> TargetOf(const DocumentTargets& targets, std::string_view name);

}  // namespace mox
