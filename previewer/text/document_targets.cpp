#include "previewer/text/document_targets.h"

#include "previewer/dvi/scan_document.h"
#include "previewer/text/page_text.h"

namespace mox {

DocumentTargets ReadDocumentTargets(ScanDocument& doc) {
  DocumentTargets targets;
  const std::vector<PageEntry>& pages = doc.Dvi.Pages;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (!doc.IsPageSelected(pages[i].Count0, static_cast<std::int32_t>(i + 1))) continue;
    const int page = static_cast<int>(i);
    const std::optional<PageText> text = ReadPageText(doc, page);
    if (!text) continue;
    for (const PageAnchor& anchor : text->Anchors) {
      targets.Names.try_emplace(anchor.Name, LinkTarget{page, anchor.X, anchor.Y});
    }
  }
  return targets;
}

std::optional<LinkTarget> TargetOf(const DocumentTargets& targets, std::string_view name) {
  const auto found = targets.Names.find(name);
  if (found == targets.Names.end()) return std::nullopt;
  return found->second;
}

}  // namespace mox
